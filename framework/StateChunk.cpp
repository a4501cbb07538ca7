#include "framework/StateChunk.h"

#include <climits>
#include <cstring>

bool StateChunk::Reserve(int capacity)
{
  if (capacity <= mCapacity)
    return true;
  if (capacity < 0)
    return false;
  // Grow geometrically so appending value by value stays linear overall.
  long long grown = static_cast<long long>(mCapacity) + mCapacity / 2;
  if (grown < capacity)
    grown = capacity;
  if (grown > INT_MAX)
    grown = INT_MAX;
  void* bytes = std::realloc(mBytes.get(), static_cast<size_t>(grown));
  if (!bytes)
    return false;
  mBytes.release();
  mBytes.reset(static_cast<unsigned char*>(bytes));
  mCapacity = static_cast<int>(grown);
  return true;
}

int StateChunk::Append(const void* bytes, int n)
{
  if (n < 0 || (n > 0 && !bytes) || n > INT_MAX - mSize)
    return -1;
  if (!Reserve(mSize + n))
    return -1;
  if (n > 0)
    std::memcpy(mBytes.get() + mSize, bytes, static_cast<size_t>(n));
  mSize += n;
  return mSize;
}

bool StateChunk::Resize(int newSize)
{
  if (newSize < 0 || !Reserve(newSize))
    return false;
  if (newSize > mSize)
    std::memset(mBytes.get() + mSize, 0, static_cast<size_t>(newSize - mSize));
  mSize = newSize;
  return true;
}

int StateChunk::ReadBytes(void* out, int n, int position) const
{
  if (position < 0 || n < 0 || n > mSize - position)
    return -1;
  if (n > 0)
    std::memcpy(out, mBytes.get() + position, static_cast<size_t>(n));
  return position + n;
}
