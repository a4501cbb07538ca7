#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

// A growable byte array holding state images: native little-endian doubles and 32-bit
// integers, unaligned and untagged. Reads report the next position, or -1 when the data
// runs out; a failed allocation leaves size and contents as they were.
class StateChunk
{
public:
  StateChunk() = default;
  StateChunk(StateChunk&&) noexcept = default;
  StateChunk& operator=(StateChunk&&) noexcept = default;
  StateChunk(const StateChunk&) = delete;
  StateChunk& operator=(const StateChunk&) = delete;

  // Adds n bytes at the end; returns the new size, or -1 when the chunk cannot grow.
  int Append(const void* bytes, int n);
  int AppendDouble(double v) { return Append(&v, sizeof v); }
  int AppendInt32(int32_t v) { return Append(&v, sizeof v); }
  int AppendChunk(const StateChunk& other) { return Append(other.Bytes(), other.Size()); }

  // Copies n bytes at position into out; returns position + n, or -1 (out untouched) when
  // position is negative or the bytes are not all inside the chunk.
  int ReadBytes(void* out, int n, int position) const;
  int ReadDouble(double* out, int position) const { return ReadBytes(out, sizeof *out, position); }
  int ReadInt32(int32_t* out, int position) const { return ReadBytes(out, sizeof *out, position); }

  // Sets the size, keeping the first bytes; new bytes are zero. False when it cannot grow.
  bool Resize(int newSize);
  // Makes room for at least capacity bytes so later appends up to it cannot fail.
  bool Reserve(int capacity);
  // Size becomes 0; the memory is kept for reuse.
  void Clear() { mSize = 0; }

  int Size() const { return mSize; }
  const unsigned char* Bytes() const { return mBytes.get(); }
  unsigned char* Bytes() { return mBytes.get(); }

private:
  struct FreeDeleter
  {
    void operator()(unsigned char* p) const { std::free(p); }
  };

  std::unique_ptr<unsigned char, FreeDeleter> mBytes;
  int mSize = 0;
  int mCapacity = 0;
};
