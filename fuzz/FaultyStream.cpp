#include "fuzz/FaultyStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace TvFuzz {

using namespace Steinberg;

FaultyStream::FaultyStream(std::vector<unsigned char> bytes, Fault fault, int64 limit)
  : mBytes(std::move(bytes)), mFault(fault), mLimit(limit)
{
}

// Bytes a read may still deliver from the current position.
int64 FaultyStream::Readable() const
{
  const auto size = static_cast<int64>(mBytes.size());
  const int64 end = mFault == Fault::kCutOff ? std::min(size, mLimit) : size;
  return std::max<int64>(0, end - mPosition);
}

tresult PLUGIN_API FaultyStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
  if (numBytesRead && mFault != Fault::kNoCount)
    *numBytesRead = 0;
  if (numBytes < 0 || (numBytes > 0 && !buffer))
    return kInvalidArgument;
  int64 count = std::min<int64>(Readable(), numBytes);
  if (mFault == Fault::kDribble)
    count = std::min<int64>(count, 1);
  if (count > 0)
    std::memcpy(buffer, mBytes.data() + mPosition, static_cast<size_t>(count));
  mPosition += count;
  if (numBytesRead && mFault != Fault::kNoCount)
    *numBytesRead = static_cast<int32>(count);

  switch (mFault)
  {
    case Fault::kFailAtEnd:
      return count == 0 && numBytes > 0 ? kResultFalse : kResultOk;
    case Fault::kFailShortRead:
      return count < numBytes ? kResultFalse : kResultOk;
    case Fault::kBytesButError:
      return kResultFalse;
    case Fault::kCutOff:
      return count < numBytes ? kResultFalse : kResultOk;
    default:
      return kResultOk;
  }
}

tresult PLUGIN_API FaultyStream::write(void*, int32, int32* numBytesWritten)
{
  if (numBytesWritten)
    *numBytesWritten = 0;
  return kNotImplemented;
}

tresult PLUGIN_API FaultyStream::seek(int64 pos, int32 mode, int64* result)
{
  if (mFault == Fault::kSeekFails)
    return kResultFalse;
  int64 base = 0;
  if (mode == kIBSeekCur)
    base = mPosition;
  else if (mode == kIBSeekEnd)
    base = static_cast<int64>(mBytes.size());
  else if (mode != kIBSeekSet)
    return kInvalidArgument;
  if (pos > 0 && base > INT64_MAX - pos)
    return kInvalidArgument;
  const int64 target = base + pos;
  if (target < 0)
    return kInvalidArgument;
  mPosition = target;
  if (result)
    *result = mPosition;
  return kResultOk;
}

tresult PLUGIN_API FaultyStream::tell(int64* pos)
{
  if (mFault == Fault::kSeekFails || !pos)
    return kResultFalse;
  *pos = mPosition;
  return kResultOk;
}

}  // namespace TvFuzz
