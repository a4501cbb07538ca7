#include "graphics/lice/LICE_MemBitmap.h"

#include <cstdint>

namespace {
constexpr double kGrowthHeadroom = 1.25;

int64_t AlignedSpan(int64_t width, int64_t align)
{
  return (width + align - 1) / align * align;
}
}

LICE_MemBitmap::LICE_MemBitmap(int w, int h, int rowAlign) : rowAlign_(rowAlign > 0 ? rowAlign : 1)
{
  Resize(w, h);
}

LICE_pixel* LICE_MemBitmap::Bits()
{
  return width_ > 0 ? buffer_.Pixels() : nullptr;
}

int LICE_MemBitmap::RowSpan()
{
  return static_cast<int>(AlignedSpan(width_, rowAlign_));
}

bool LICE_MemBitmap::Resize(int w, int h)
{
  if (w == width_ && h == height_)
    return false;
  width_ = height_ = 0;
  if (w <= 0 || h <= 0)
  {
    buffer_.Free();
    return true;
  }
  const int64_t span = AlignedSpan(w, rowAlign_);
  if (span > INT32_MAX)
    return true;
  const size_t bytes = static_cast<size_t>(span) * static_cast<size_t>(h) * sizeof(LICE_pixel);
  if (buffer_.Reserve(bytes, kGrowthHeadroom))
  {
    width_ = w;
    height_ = h;
  }
  return true;
}
