#pragma once

#include "graphics/lice/LICE_IBitmap.h"
#include "graphics/lice/LICE_PixelBuffer.h"

// The bitmap the window layer presents directly: rows of (w + 3) & ~3 pixels. Shrinking
// keeps the allocation (and its row span), so a window that is resized back and forth
// does not reallocate. On Linux the pixels are their own drawing context: PlatformContext
// returns the bitmap itself.
class LICE_SysBitmap : public LICE_IBitmap
{
public:
  explicit LICE_SysBitmap(int w = 0, int h = 0);
  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_pixel* Bits() override { return buffer_.Pixels(); }
  int Width() override { return width_; }
  int Height() override { return height_; }
  int RowSpan() override { return allocSpan_; }
  bool Resize(int w, int h) override;
  void* PlatformContext() override;

private:
  bool Reallocate(int w, int h);

  LICE_PixelBuffer buffer_;
  int width_ = 0;
  int height_ = 0;
  int allocSpan_ = 0;
  int allocHeight_ = 0;
};
