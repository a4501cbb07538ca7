#include "tools/snapshot/SurfacePng.h"

#include "framework/ReplacingFile.h"
#include "graphics/IGraphics.h"
#include "graphics/lice/LICE_IBitmap.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {
// libpng reports errors by long jump; nothing with a destructor lives across it.
bool WriteRows(FILE* file, png_bytep* rows, int width, int height)
{
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png)
    return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png)))
  {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  // Pixels lie in memory as alpha, red, green, blue; the file wants the alpha last.
  png_set_swap_alpha(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
}  // namespace

bool WriteSurfacePng(LICE_IBitmap* bitmap, const char* path)
{
  if (!bitmap || !path || bitmap->Width() <= 0 || bitmap->Height() <= 0 || !bitmap->Bits())
    return false;
  ReplacingFile file(path);
  if (!file.IsOpen())
    return false;

  std::vector<png_bytep> rows(static_cast<size_t>(bitmap->Height()));
  for (int y = 0; y < bitmap->Height(); ++y)
    rows[static_cast<size_t>(y)] =
      reinterpret_cast<png_bytep>(bitmap->Bits() + static_cast<size_t>(y) * bitmap->RowSpan());
  return WriteRows(file.Stream(), rows.data(), bitmap->Width(), bitmap->Height()) && file.Commit();
}

bool SnapshotEditor(IGraphics& graphics, const char* path)
{
  if (!graphics.DrawSurface())
    graphics.PrepareDrawSurfaces();
  graphics.ApplyPendingChanges();
  graphics.Render(IRECT(0, 0, graphics.Width(), graphics.Height()));
  return WriteSurfacePng(graphics.DrawSurface(), path);
}
