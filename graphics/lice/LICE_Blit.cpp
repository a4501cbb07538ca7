#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_Raster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
// A source and a destination rectangle of the same size, clipped to both bitmaps.
struct BlitSpan
{
  int64_t dx, dy, sx, sy, w, h;

  bool Empty() const { return w <= 0 || h <= 0; }
};

// Moves the start of one axis inside [0, limit) on both sides and trims the length.
void ClipAxis(int64_t& d, int64_t& s, int64_t& len, int64_t destLimit, int64_t srcLimit)
{
  const int64_t skip = std::max<int64_t>({0, -d, -s});
  d += skip;
  s += skip;
  len = std::min({len - skip, destLimit - d, srcLimit - s});
}

BlitSpan Clip(const LICE_Raster& dest, const LICE_Raster& src, int dx, int dy, int sx, int sy, int w, int h)
{
  BlitSpan span{dx, dy, sx, sy, w, h};
  ClipAxis(span.dx, span.sx, span.w, dest.Width(), src.Width());
  ClipAxis(span.dy, span.sy, span.h, dest.Height(), src.Height());
  return span;
}

void CopyRows(const LICE_Raster& dest, const LICE_Raster& src, const BlitSpan& span)
{
  const size_t bytes = static_cast<size_t>(span.w) * sizeof(LICE_pixel);
  const bool upward = span.dy > span.sy;  // overlapping rows of one bitmap copy bottom first
  for (int64_t i = 0; i < span.h; ++i)
  {
    const int64_t row = upward ? span.h - 1 - i : i;
    std::memmove(dest.Row(static_cast<int>(span.dy + row)) + span.dx,
                 src.Row(static_cast<int>(span.sy + row)) + span.sx, bytes);
  }
}

void BlendRows(const LICE_Raster& dest, const LICE_Raster& src, const BlitSpan& span, const LICE_Blender& blender)
{
  // Within one bitmap, walk away from the region still to be read.
  const bool upward = span.dy > span.sy;
  const bool leftward = span.dy == span.sy && span.dx > span.sx;
  for (int64_t i = 0; i < span.h; ++i)
  {
    const int64_t row = upward ? span.h - 1 - i : i;
    LICE_pixel* d = dest.Row(static_cast<int>(span.dy + row)) + span.dx;
    const LICE_pixel* s = src.Row(static_cast<int>(span.sy + row)) + span.sx;
    for (int64_t j = 0; j < span.w; ++j)
    {
      const int64_t col = leftward ? span.w - 1 - j : j;
      d[col] = blender.Apply(s[col], d[col]);
    }
  }
}
}

void BlitBitmap(LICE_IBitmap* dest, LICE_IBitmap* src, int dx, int dy, int sx, int sy, int w, int h, float opacity,
                int mode)
{
  const LICE_Blender blender(opacity, mode);
  const LICE_Raster to(dest);
  const LICE_Raster from(src);
  if (!blender.Visible() || to.Empty() || from.Empty())
    return;
  const BlitSpan span = Clip(to, from, dx, dy, sx, sy, w, h);
  if (span.Empty())
    return;
  if (blender.IsPlainCopy())
    CopyRows(to, from, span);
  else
    BlendRows(to, from, span, blender);
}

void CopyBitmap(LICE_IBitmap* dest, LICE_IBitmap* src)
{
  if (!dest || !src || dest == src)
    return;
  dest->Resize(src->Width(), src->Height());
  BlitBitmap(dest, src, 0, 0, 0, 0, src->Width(), src->Height(), 1.0f, LICE_BLIT_MODE_COPY);
}
