#pragma once

#include <cstdint>

#include "framework/FourCharCode.h"
#include "framework/StateChunk.h"

// One record of a state extension: its tag and where its payload lies in the chunk.
struct StateRecord
{
  int32_t tag = 0;
  int payloadPosition = 0;
  int payloadSize = 0;

  int End() const { return payloadPosition + payloadSize; }
};

// The extension that follows a state image. Readers that predate it stop at the image's end
// (or at the words an adapter keeps after the image) and never look further. It is the four
// characters "TVX1", then records: a four-character tag, the payload's byte count as a
// little-endian 32-bit integer, and the payload. Readers skip the records whose tags they do
// not know, so later versions add records without breaking earlier ones. The record "END "
// closes the extension where an image sits inside larger data (a list of presets); without it
// the extension runs to the end of the data.
class StateExtension
{
public:
  static constexpr int32_t kMagic = FourCharCode("TVX1");
  static constexpr int32_t kEndTag = FourCharCode("END ");
  static constexpr int kHeaderSize = 8;  // tag and byte count of a record

  static bool AppendMagic(StateChunk& chunk) { return AppendTag(chunk, kMagic); }
  static bool AppendRecord(StateChunk& chunk, int32_t tag, const void* payload, int size);
  static bool AppendEnd(StateChunk& chunk) { return AppendRecord(chunk, kEndTag, nullptr, 0); }

  // The position after the magic when an extension starts at position; -1 otherwise.
  static int FindStart(const StateChunk& chunk, int position);
  // The record at position. False at the end of the data and for a record that does not fit
  // in it (a damaged or cut extension); the closing record is returned like any other.
  static bool ReadRecord(const StateChunk& chunk, int position, StateRecord* record);

private:
  static bool AppendTag(StateChunk& chunk, int32_t tag);
  static bool ReadTag(const StateChunk& chunk, int position, int32_t* tag);
};
