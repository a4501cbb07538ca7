#include "vst3/StateStreamIO.h"

#include <algorithm>

using Steinberg::int32;
using Steinberg::kResultOk;
using Steinberg::tresult;

void StateStreamIO::ReadAll(Steinberg::IBStream& stream, StateChunk& chunk, int maxBytes, bool keepReadingOnError)
{
  unsigned char piece[kReadPiece];
  while (chunk.Size() < maxBytes)
  {
    int32 delivered = 0;
    const tresult result = stream.read(piece, kReadPiece, &delivered);
    if (delivered <= 0)
      return;
    if (result != kResultOk && !keepReadingOnError)
      return;
    const int keep = std::min({static_cast<int>(delivered), kReadPiece, maxBytes - chunk.Size()});
    if (chunk.Append(piece, keep) < 0)
      return;
  }
}

bool StateStreamIO::Write(Steinberg::IBStream& stream, const void* bytes, int n)
{
  if (n <= 0)
    return true;
  int32 written = 0;
  const tresult result = stream.write(const_cast<void*>(bytes), n, &written);
  return result == kResultOk && written == n;
}
