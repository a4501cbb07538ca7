#pragma once

#include <array>
#include <cstddef>
#include <vector>

// A fixed number of equally long working buffers, sized ahead of processing and reused, so
// that the audio path does not allocate. Growing is possible for a caller that did not
// announce its size, at the price of one allocation.
template <std::size_t Count>
class BufferSet
{
public:
  // Makes every buffer hold at least `length` doubles; never shrinks.
  void Reserve(std::size_t length)
  {
    if (length <= capacity)
      return;
    for (auto& buffer : buffers)
      buffer.resize(length);
    capacity = length;
  }

  double* operator[](std::size_t index) { return buffers[index].data(); }
  std::size_t Capacity() const { return capacity; }

private:
  std::array<std::vector<double>, Count> buffers;
  std::size_t capacity = 0;
};
