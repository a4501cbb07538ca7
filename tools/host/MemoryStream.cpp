#include "tools/host/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>

namespace TvHost {

using namespace Steinberg;

MemoryStream::MemoryStream(std::vector<char> bytes, EndOfData endOfData)
  : mBytes(std::move(bytes)), mEndOfData(endOfData)
{
}

bool MemoryStream::LoadFile(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return false;
  // Read through the stream itself, which turns a read error (a folder opened as a file, a
  // device fault) into its bad state; the buffer's own iterator would throw instead.
  std::vector<char> bytes;
  char block[4096];
  while (file.read(block, sizeof block) || file.gcount() > 0)
    bytes.insert(bytes.end(), block, block + file.gcount());
  if (file.bad())
    return false;
  mBytes = std::move(bytes);
  mPosition = 0;
  return true;
}

bool MemoryStream::SaveFile(const std::string& path) const
{
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(mBytes.data(), static_cast<std::streamsize>(mBytes.size()));
  file.close();
  return !file.fail();
}

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
  if (numBytesRead)
    *numBytesRead = 0;
  if (numBytes < 0 || (numBytes > 0 && !buffer))
    return kInvalidArgument;
  const int64 available = std::max<int64>(0, static_cast<int64>(mBytes.size()) - mPosition);
  const auto count = static_cast<int32>(std::min<int64>(available, numBytes));
  if (count > 0)
    std::memcpy(buffer, mBytes.data() + mPosition, static_cast<size_t>(count));
  mPosition += count;
  if (numBytesRead)
    *numBytesRead = count;

  const bool shortRead = count < numBytes;
  switch (mEndOfData)
  {
    case EndOfData::kSucceedEmpty:
      return kResultOk;
    case EndOfData::kFailEmpty:
      return count == 0 && numBytes > 0 ? kResultFalse : kResultOk;
    case EndOfData::kFailOnShortRead:
      return shortRead ? kResultFalse : kResultOk;
  }
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
  if (numBytesWritten)
    *numBytesWritten = 0;
  if (numBytes < 0 || (numBytes > 0 && !buffer))
    return kInvalidArgument;
  const int64 end = mPosition + numBytes;
  if (end > std::numeric_limits<int32>::max())
    return kOutOfMemory;
  if (end > static_cast<int64>(mBytes.size()))
    mBytes.resize(static_cast<size_t>(end), 0);
  if (numBytes > 0)
    std::memcpy(mBytes.data() + mPosition, buffer, static_cast<size_t>(numBytes));
  mPosition = end;
  if (numBytesWritten)
    *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result)
{
  int64 base = 0;
  switch (mode)
  {
    case kIBSeekSet:
      base = 0;
      break;
    case kIBSeekCur:
      base = mPosition;
      break;
    case kIBSeekEnd:
      base = static_cast<int64>(mBytes.size());
      break;
    default:
      return kInvalidArgument;
  }
  // A position before the start, or one that cannot be reached, is refused and leaves the
  // position where it was; positions past the end are allowed and read as end of data.
  if ((pos < 0 && base + pos < 0) || (pos > 0 && base > std::numeric_limits<int32>::max() - pos))
    return kInvalidArgument;
  mPosition = base + pos;
  if (result)
    *result = mPosition;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos)
{
  if (!pos)
    return kInvalidArgument;
  *pos = mPosition;
  return kResultOk;
}

}  // namespace TvHost
