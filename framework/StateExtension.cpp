#include "framework/StateExtension.h"

namespace {
constexpr int kTagSize = 4;
}  // namespace

// Tags are stored as their characters in reading order, so a dump of the bytes shows them.
bool StateExtension::AppendTag(StateChunk& chunk, int32_t tag)
{
  const auto code = static_cast<uint32_t>(tag);
  const unsigned char characters[kTagSize] = {static_cast<unsigned char>(code >> 24),
                                              static_cast<unsigned char>(code >> 16),
                                              static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code)};
  return chunk.Append(characters, kTagSize) >= 0;
}

bool StateExtension::ReadTag(const StateChunk& chunk, int position, int32_t* tag)
{
  unsigned char characters[kTagSize] = {};
  if (chunk.ReadBytes(characters, kTagSize, position) < 0)
    return false;
  const uint32_t code = (static_cast<uint32_t>(characters[0]) << 24) | (static_cast<uint32_t>(characters[1]) << 16) |
                        (static_cast<uint32_t>(characters[2]) << 8) | static_cast<uint32_t>(characters[3]);
  *tag = static_cast<int32_t>(code);
  return true;
}

bool StateExtension::AppendRecord(StateChunk& chunk, int32_t tag, const void* payload, int size)
{
  if (size < 0)
    return false;
  const int32_t byteCount = size;
  return AppendTag(chunk, tag) && chunk.AppendInt32(byteCount) >= 0 && chunk.Append(payload, size) >= 0;
}

int StateExtension::FindStart(const StateChunk& chunk, int position)
{
  int32_t magic = 0;
  if (!ReadTag(chunk, position, &magic) || magic != kMagic)
    return -1;
  return position + kTagSize;
}

bool StateExtension::ReadRecord(const StateChunk& chunk, int position, StateRecord* record)
{
  int32_t tag = 0;
  int32_t size = 0;
  if (!ReadTag(chunk, position, &tag) || chunk.ReadInt32(&size, position + kTagSize) < 0)
    return false;
  const int payloadPosition = position + kHeaderSize;
  if (size < 0 || size > chunk.Size() - payloadPosition)
    return false;
  record->tag = tag;
  record->payloadPosition = payloadPosition;
  record->payloadSize = size;
  return true;
}
