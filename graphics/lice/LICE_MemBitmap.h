#pragma once

#include "graphics/lice/LICE_IBitmap.h"
#include "graphics/lice/LICE_PixelBuffer.h"

// A bitmap in ordinary memory. Rows are padded to a multiple of the row alignment (in
// pixels); the buffer grows with 25 % headroom and never shrinks, so repeated resizing
// settles without reallocating.
class LICE_MemBitmap : public LICE_IBitmap
{
public:
  explicit LICE_MemBitmap(int w = 0, int h = 0, int rowAlign = 4);
  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_pixel* Bits() override;
  int Width() override { return width_; }
  int Height() override { return height_; }
  int RowSpan() override;
  bool Resize(int w, int h) override;

  size_t Capacity() const { return buffer_.Capacity(); }

private:
  LICE_PixelBuffer buffer_;
  int width_ = 0;
  int height_ = 0;
  int rowAlign_ = 4;
};
