#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
// The pixel span [left, right] (both inclusive) of a convex polygon on row y, whose
// centres lie inside or on the outline. False when the row misses the polygon.
bool RowSpan(const int* x, const int* y, int count, int row, double& left, double& right)
{
  left = std::numeric_limits<double>::infinity();
  right = -left;
  for (int i = 0; i < count; ++i)
  {
    const int j = (i + 1) % count;
    const double ay = y[i], by = y[j], ax = x[i], bx = x[j];
    if (row < std::min(ay, by) || row > std::max(ay, by))
      continue;
    if (ay == by)
    {
      left = std::min({left, ax, bx});
      right = std::max({right, ax, bx});
      continue;
    }
    const double cross = ax + (row - ay) * (bx - ax) / (by - ay);
    left = std::min(left, cross);
    right = std::max(right, cross);
  }
  return left <= right;
}
}

void PutPixel(LICE_IBitmap* dest, int x, int y, LICE_pixel colour, float opacity, int mode)
{
  const LICE_Blender blender(opacity, mode);
  if (blender.Visible())
    LICE_Raster(dest).Blend(x, y, colour, blender);
}

void FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel colour, float opacity, int mode)
{
  const LICE_Blender blender(opacity, mode);
  const LICE_Raster to(dest);
  if (!blender.Visible() || to.Empty())
    return;
  // Edges are clipped in 64 bits: x + w may lie outside the int range either way.
  const int x0 = static_cast<int>(std::clamp<int64_t>(x, 0, to.Width()));
  const int y0 = static_cast<int>(std::clamp<int64_t>(y, 0, to.Height()));
  const int x1 = static_cast<int>(std::clamp<int64_t>(int64_t{x} + w, 0, to.Width()));
  const int y1 = static_cast<int>(std::clamp<int64_t>(int64_t{y} + h, 0, to.Height()));
  for (int row = y0; row < y1; ++row)
  {
    LICE_pixel* d = to.Row(row);
    if (blender.IsPlainCopy())
      std::fill(d + x0, d + std::max(x0, x1), colour);
    else
      for (int col = x0; col < x1; ++col)
        d[col] = blender.Apply(colour, d[col]);
  }
}

void FillConvexPolygon(LICE_IBitmap* dest, const int* x, const int* y, int count, LICE_pixel colour, float opacity,
                       int mode)
{
  const LICE_Blender blender(opacity, mode);
  const LICE_Raster to(dest);
  if (!blender.Visible() || to.Empty() || !x || !y || count < 1)
    return;
  const auto [minY, maxY] = std::minmax_element(y, y + count);
  const int top = std::max(*minY, 0);
  const int bottom = std::min(*maxY, to.Height() - 1);
  for (int row = top; row <= bottom; ++row)
  {
    double left, right;
    if (!RowSpan(x, y, count, row, left, right))
      continue;
    const int x0 = static_cast<int>(std::max(std::ceil(left), 0.0));
    const int x1 = static_cast<int>(std::min(std::floor(right), to.Width() - 1.0));
    LICE_pixel* d = to.Row(row);
    for (int col = x0; col <= x1; ++col)
      d[col] = blender.Apply(colour, d[col]);
  }
}

void FillTriangle(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int x3, int y3, LICE_pixel colour, float opacity,
                  int mode)
{
  const int xs[3] = {x1, x2, x3};
  const int ys[3] = {y1, y2, y3};
  FillConvexPolygon(dest, xs, ys, 3, colour, opacity, mode);
}
