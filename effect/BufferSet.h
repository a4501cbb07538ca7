#pragma once

#include <array>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

// A fixed number of equally long working buffers, sized ahead of processing and reused, so
// that the audio path does not allocate. Growing is possible for a caller that did not
// announce its size, at the price of one allocation.
template <std::size_t Count>
class BufferSet
{
public:
  // Makes every buffer hold at least `length` doubles; never shrinks. Returns false, with
  // the previous capacity still usable, when the memory cannot be had.
  bool Reserve(std::size_t length)
  {
    if (length <= capacity)
      return true;
    try
    {
      for (auto& buffer : buffers)
        buffer.resize(length);
    }
    catch (const std::bad_alloc&)
    {
      return false;
    }
    catch (const std::length_error&)
    {
      return false;
    }
    capacity = length;
    return true;
  }

  double* operator[](std::size_t index) { return buffers[index].data(); }
  std::size_t Capacity() const { return capacity; }

private:
  std::array<std::vector<double>, Count> buffers;
  std::size_t capacity = 0;
};
