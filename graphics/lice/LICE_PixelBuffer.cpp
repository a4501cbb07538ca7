#include "graphics/lice/LICE_PixelBuffer.h"

#include <cstdint>
#include <cstdlib>

namespace {
constexpr size_t kAlignment = 64;
constexpr size_t kSlack = kAlignment - 1;
}

LICE_PixelBuffer::~LICE_PixelBuffer()
{
  Free();
}

bool LICE_PixelBuffer::Allocate(size_t bytes)
{
  Free();
  if (bytes == 0 || bytes > SIZE_MAX - kSlack)
    return false;
  Adopt(std::malloc(bytes + kSlack), bytes);
  return block_ != nullptr;
}

bool LICE_PixelBuffer::Reserve(size_t bytes, double headroom)
{
  if (block_ && bytes <= capacity_)
    return true;
  if (!block_)
    return Allocate(bytes);
  const double grown = static_cast<double>(bytes) * headroom;
  if (grown >= static_cast<double>(SIZE_MAX - kSlack))
  {
    Free();
    return false;
  }
  const size_t capacity = static_cast<size_t>(grown);
  void* block = std::realloc(block_, capacity + kSlack);
  if (!block)
  {
    // The old contents are not needed, so a fresh block is as good as a moved one.
    Free();
    block = std::malloc(capacity + kSlack);
  }
  Adopt(block, block ? capacity : 0);
  return block_ != nullptr;
}

void LICE_PixelBuffer::Free()
{
  std::free(block_);
  Adopt(nullptr, 0);
}

void LICE_PixelBuffer::Adopt(void* block, size_t capacity)
{
  block_ = block;
  capacity_ = block ? capacity : 0;
  const uintptr_t start = reinterpret_cast<uintptr_t>(block);
  aligned_ = block ? reinterpret_cast<LICE_pixel*>((start + kSlack) & ~uintptr_t{kSlack}) : nullptr;
}
