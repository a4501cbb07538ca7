#include "graphics/lice/LICE_Png.h"
#include "graphics/lice/LICE_MemBitmap.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
// libpng reports errors by calling this, which must not return; warnings are dropped so
// that decoding never writes to the console.
void OnPngError(png_structp png, png_const_charp)
{
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// Asks libpng for rows laid out as A, R, G, B bytes with straight alpha, whatever the
// file's colour type and depth.
void RequestArgbRows(png_structp png, png_infop info)
{
  const int colourType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;

  if (colourType == PNG_COLOR_TYPE_PALETTE)
    png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS))
  {
    png_set_tRNS_to_alpha(png);
    hasAlpha = true;
  }
  if (bitDepth == 16)
    png_set_strip_16(png);
  if (bitDepth < 8)
    png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  if (hasAlpha)
    png_set_swap_alpha(png);
  else
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  // Interlaced files are read whole by png_read_image, which expects to be told up front.
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Kept free of C++ objects with destructors: a libpng error leaves through longjmp, which
// would skip them. Everything made here is released on both ways out.
LICE_IBitmap* DecodePng(FILE* file, LICE_IBitmap* reuse)
{
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (!png)
    return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info)
  {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }

  // Locals changed after setjmp must be volatile to survive the jump back.
  LICE_IBitmap* volatile created = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png)))
  {
    std::free(rows);
    delete created;
    png_destroy_read_struct(&png, &info, nullptr);
    return nullptr;
  }

  png_init_io(png, file);
  png_read_info(png, info);
  RequestArgbRows(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4)
    png_error(png, "unexpected row layout");

  LICE_IBitmap* target = reuse;
  if (target)
    target->Resize(static_cast<int>(width), static_cast<int>(height));
  else
    target = created = new (std::nothrow) LICE_MemBitmap(static_cast<int>(width), static_cast<int>(height), 4);
  if (!target || target->Width() != static_cast<int>(width) || target->Height() != static_cast<int>(height) ||
      !target->Bits())
    png_error(png, "no bitmap for the image");

  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!rows)
    png_error(png, "out of memory");
  LICE_pixel* const bits = target->Bits();
  const ptrdiff_t span = target->RowSpan();
  const bool flipped = target->IsFlipped();
  for (png_uint_32 y = 0; y < height; ++y)
  {
    const png_uint_32 stored = flipped ? height - 1 - y : y;
    rows[y] = reinterpret_cast<png_bytep>(bits + static_cast<ptrdiff_t>(stored) * span);
  }
  png_read_image(png, rows);

  std::free(rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return target;
}
}

LICE_IBitmap* LoadPngFile(const char* path, LICE_IBitmap* reuse)
{
  if (!path)
    return nullptr;
  FILE* file = std::fopen(path, "rb");
  if (!file)
    return nullptr;
  LICE_IBitmap* const bitmap = DecodePng(file, reuse);
  std::fclose(file);
  return bitmap;
}
