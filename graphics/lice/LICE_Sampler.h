#pragma once

#include "graphics/lice/LICE_Raster.h"

// Reads a source rectangle at continuous positions (pixel i spans [i, i + 1)), by nearest
// pixel or bilinearly. Bilinear samples never reach outside the rectangle, so the frames
// of a strip do not bleed into each other.
class LICE_Sampler
{
public:
  LICE_Sampler(const LICE_Raster& src, float sx, float sy, float sw, float sh, bool bilinear);

  bool Empty() const { return x1_ <= x0_ || y1_ <= y0_; }
  // False when (u, v) lies outside the source rectangle.
  bool Sample(double u, double v, LICE_pixel& out) const;

private:
  LICE_pixel Bilinear(double u, double v) const;
  LICE_pixel At(int x, int y) const { return src_.Row(y)[x]; }

  const LICE_Raster& src_;
  double left_, top_, right_, bottom_;
  int x0_, y0_, x1_, y1_;
  bool bilinear_;
};
