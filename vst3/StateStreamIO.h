#pragma once

#include "framework/StateChunk.h"
#include "pluginterfaces/base/ibstream.h"

// Moves state bytes between a host stream and a state chunk.
class StateStreamIO
{
public:
  static constexpr int kReadPiece = 128;

  // Appends the stream's bytes to the chunk, kReadPiece bytes a read, until a read delivers
  // nothing, the chunk would exceed maxBytes or cannot grow. A read that reports an error
  // ends reading and its bytes are dropped, unless keepReadingOnError: then they are kept
  // and reading goes on (for a host whose stream reports errors while still delivering).
  static void ReadAll(Steinberg::IBStream& stream, StateChunk& chunk, int maxBytes, bool keepReadingOnError);

  // Writes n bytes; true only when the stream took all of them.
  static bool Write(Steinberg::IBStream& stream, const void* bytes, int n);
};
