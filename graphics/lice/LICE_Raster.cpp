#include "graphics/lice/LICE_Raster.h"

#include <cstddef>

LICE_Raster::LICE_Raster(LICE_IBitmap* bitmap)
{
  if (!bitmap)
    return;
  LICE_pixel* bits = bitmap->Bits();
  const int w = bitmap->Width();
  const int h = bitmap->Height();
  const int span = bitmap->RowSpan();
  if (!bits || w <= 0 || h <= 0 || span < w)
    return;
  // A bottom-up bitmap is walked from its last stored row with a negative span.
  const bool flipped = bitmap->IsFlipped();
  bits_ = flipped ? bits + static_cast<ptrdiff_t>(h - 1) * span : bits;
  width_ = w;
  height_ = h;
  span_ = flipped ? -span : span;
}
