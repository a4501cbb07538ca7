#pragma once

#include "graphics/lice/LICE_Raster.h"

#include <algorithm>
#include <cmath>

// Paints a shape given by its per-pixel coverage (0..1, taken at pixel centres) over the
// box [minX, maxX] x [minY, maxY]. Without antialiasing a pixel is painted fully when at
// least half covered, otherwise partial coverage scales the opacity.
template <typename CoverageAt>
void PaintCoverage(const LICE_Raster& to, double minX, double minY, double maxX, double maxY, LICE_pixel colour,
                   const LICE_Blender& blender, bool antialias, CoverageAt coverageAt)
{
  if (to.Empty() || !blender.Visible())
    return;
  auto clampTo = [](double v, int limit) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(limit))); };
  const int x0 = clampTo(std::floor(minX), to.Width());
  const int x1 = clampTo(std::ceil(maxX) + 1, to.Width());
  const int y0 = clampTo(std::floor(minY), to.Height());
  const int y1 = clampTo(std::ceil(maxY) + 1, to.Height());
  for (int y = y0; y < y1; ++y)
  {
    LICE_pixel* row = to.Row(y);
    for (int x = x0; x < x1; ++x)
    {
      const double coverage = coverageAt(static_cast<double>(x), static_cast<double>(y));
      if (coverage >= 1.0 || (!antialias && coverage >= 0.5))
        row[x] = blender.Apply(colour, row[x]);
      else if (antialias && coverage > 0.0)
        row[x] = blender.Covering(static_cast<float>(coverage)).Apply(colour, row[x]);
    }
  }
}
