#include "TestPngWriter.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
int BytesPerRow(const TestPngImage& image)
{
  static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return (image.width * kChannels[image.colourType] * image.bitDepth + 7) / 8;
}

// The libpng part stays free of C++ objects with destructors, as libpng leaves through
// longjmp on an error.
bool Encode(FILE* file, const TestPngImage& image, png_bytep* rows)
{
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info)
  {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png)))
  {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!image.paletteRgb.empty())
    png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(image.paletteRgb.data()),
                 static_cast<int>(image.paletteRgb.size() / 3));
  if (!image.paletteAlpha.empty())
    png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()), nullptr);
  png_write_info(png, info);
  if (image.interlaced)
    png_set_interlace_handling(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
}

bool WriteTestPng(const std::string& path, const TestPngImage& image)
{
  const int stride = BytesPerRow(image);
  if (image.rows.size() != static_cast<size_t>(stride) * image.height)
    return false;
  std::vector<png_bytep> rows;
  for (int y = 0; y < image.height; ++y)
    rows.push_back(const_cast<png_bytep>(image.rows.data()) + static_cast<size_t>(y) * stride);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  const bool written = Encode(file, image, rows.data());
  return std::fclose(file) == 0 && written;
}

std::string TempPngPath(const std::string& name)
{
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/lice_test_" + std::to_string(getpid()) + "_" + name;
}
