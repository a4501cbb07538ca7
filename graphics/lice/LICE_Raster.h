#pragma once

#include "graphics/lice/LICE_Blender.h"
#include "graphics/lice/LICE_IBitmap.h"

#include <cstddef>

// A bitmap's pixels read once through its interface, so that inner loops work on plain
// pointers. A missing bitmap or one without pixels is empty.
class LICE_Raster
{
public:
  explicit LICE_Raster(LICE_IBitmap* bitmap);

  bool Empty() const { return bits_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  LICE_pixel* Row(int y) const { return bits_ + RowOffset(y); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Blends one pixel; positions outside the bitmap are ignored.
  void Blend(int x, int y, LICE_pixel colour, const LICE_Blender& blender) const
  {
    if (Contains(x, y))
    {
      LICE_pixel& d = Row(y)[x];
      d = blender.Apply(colour, d);
    }
  }

private:
  ptrdiff_t RowOffset(int y) const { return static_cast<ptrdiff_t>(y) * span_; }

  LICE_pixel* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int span_ = 0;
};
