#pragma once

#include <cstdint>

// One 32-bit pixel. In memory the bytes are alpha, red, green, blue (byte 0 is alpha);
// alpha is straight, not premultiplied.
using LICE_pixel = uint32_t;

constexpr LICE_pixel LICE_RGBA(int r, int g, int b, int a)
{
  return static_cast<LICE_pixel>(a & 0xFF) | static_cast<LICE_pixel>(r & 0xFF) << 8 |
         static_cast<LICE_pixel>(g & 0xFF) << 16 | static_cast<LICE_pixel>(b & 0xFF) << 24;
}

constexpr int LICE_GETA(LICE_pixel p)
{
  return static_cast<int>(p & 0xFF);
}
constexpr int LICE_GETR(LICE_pixel p)
{
  return static_cast<int>((p >> 8) & 0xFF);
}
constexpr int LICE_GETG(LICE_pixel p)
{
  return static_cast<int>((p >> 16) & 0xFF);
}
constexpr int LICE_GETB(LICE_pixel p)
{
  return static_cast<int>((p >> 24) & 0xFF);
}

// Mode word of every drawing operation: the low byte selects the operation, the flags
// ask for the source pixel's alpha to be used and for bilinear filtering.
enum : int
{
  LICE_BLIT_MODE_COPY = 0,
  LICE_BLIT_MODE_ADD = 1,
  LICE_BLIT_MODE_DODGE = 2,
  LICE_BLIT_MODE_MASK = 0xFF,
  LICE_BLIT_FILTER_BILINEAR = 0x100,
  LICE_BLIT_USE_ALPHA = 0x10000
};

struct LICE_RECT
{
  int left, top, right, bottom;
};
