#pragma once

#include "graphics/lice/LICE_Pixel.h"

#include <cstddef>

// Heap block whose usable start is rounded up to a 64-byte boundary, so that pixel rows
// start on cache lines. Its contents are not preserved across Reserve.
class LICE_PixelBuffer
{
public:
  LICE_PixelBuffer() = default;
  ~LICE_PixelBuffer();
  LICE_PixelBuffer(const LICE_PixelBuffer&) = delete;
  LICE_PixelBuffer& operator=(const LICE_PixelBuffer&) = delete;

  // Makes room for `bytes` usable bytes with a block of exactly that size (plus the
  // alignment slack); false (and no block) when memory is short.
  bool Allocate(size_t bytes);
  // Makes room for `bytes` usable bytes, keeping a large enough block and growing a small
  // one with `headroom` to spare; false (and no block) when memory is short.
  bool Reserve(size_t bytes, double headroom);
  void Free();

  LICE_pixel* Pixels() const { return aligned_; }
  size_t Capacity() const { return capacity_; }

private:
  void Adopt(void* block, size_t capacity);

  void* block_ = nullptr;
  LICE_pixel* aligned_ = nullptr;
  size_t capacity_ = 0;
};
