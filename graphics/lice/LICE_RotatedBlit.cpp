#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_Sampler.h"

#include <algorithm>
#include <cmath>

namespace {
struct Bounds
{
  int x0, y0, x1, y1;
};

// The pixels the rotated destination rectangle can touch, limited to the bitmap.
Bounds RotatedBounds(const LICE_Raster& to, double left, double top, double right, double bottom, double pivotX,
                     double pivotY, double cosA, double sinA)
{
  double minX = pivotX, maxX = pivotX, minY = pivotY, maxY = pivotY;
  const double xs[4] = {left, right, right, left};
  const double ys[4] = {top, top, bottom, bottom};
  for (int i = 0; i < 4; ++i)
  {
    const double rx = pivotX + (xs[i] - pivotX) * cosA - (ys[i] - pivotY) * sinA;
    const double ry = pivotY + (xs[i] - pivotX) * sinA + (ys[i] - pivotY) * cosA;
    minX = std::min(minX, rx);
    maxX = std::max(maxX, rx);
    minY = std::min(minY, ry);
    maxY = std::max(maxY, ry);
  }
  auto clampTo = [](double v, int limit) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(limit))); };
  return {clampTo(std::floor(minX), to.Width()), clampTo(std::floor(minY), to.Height()),
          clampTo(std::ceil(maxX), to.Width()), clampTo(std::ceil(maxY), to.Height())};
}
}

void RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dx, int dy, int dw, int dh, float sx, float sy, float sw,
                 float sh, float angleRadians, float opacity, int mode, float centreOffsetX, float centreOffsetY)
{
  const LICE_Blender blender(opacity, mode);
  const LICE_Raster to(dest);
  const LICE_Raster from(src);
  if (!blender.Visible() || to.Empty() || from.Empty() || dw <= 0 || dh <= 0 || !std::isfinite(angleRadians) ||
      !std::isfinite(centreOffsetX) || !std::isfinite(centreOffsetY))
    return;
  const LICE_Sampler sampler(from, sx, sy, sw, sh, blender.Filters());
  if (sampler.Empty())
    return;
  const double left = dx, top = dy, right = left + dw, bottom = top + dh;
  const double pivotX = left + dw * 0.5 + centreOffsetX;
  const double pivotY = top + dh * 0.5 + centreOffsetY;
  // With y growing downward a positive angle turns the image clockwise.
  const double cosA = std::cos(angleRadians);
  const double sinA = std::sin(angleRadians);
  const double scaleX = static_cast<double>(sw) / dw;
  const double scaleY = static_cast<double>(sh) / dh;
  const Bounds area = RotatedBounds(to, left, top, right, bottom, pivotX, pivotY, cosA, sinA);
  for (int y = area.y0; y < area.y1; ++y)
  {
    LICE_pixel* row = to.Row(y);
    const double py = y + 0.5 - pivotY;
    for (int x = area.x0; x < area.x1; ++x)
    {
      // Turn the destination point back by the angle to find where it lay unrotated.
      const double px = x + 0.5 - pivotX;
      const double ux = pivotX + px * cosA + py * sinA;
      const double uy = pivotY - px * sinA + py * cosA;
      LICE_pixel s;
      if (sampler.Sample(sx + (ux - left) * scaleX, sy + (uy - top) * scaleY, s))
        row[x] = blender.Apply(s, row[x]);
    }
  }
}
