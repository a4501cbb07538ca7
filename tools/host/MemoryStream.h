#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "tools/host/HostObject.h"

#include <string>
#include <vector>

namespace TvHost {

// A growable in-memory IBStream for state blobs. How a read at the end of the data answers is
// selectable, because hosts differ there and plug-ins must cope with each answer.
class MemoryStream : public HostObject<Steinberg::IBStream>
{
public:
  enum class EndOfData
  {
    kSucceedEmpty,     // reading at the end succeeds and delivers 0 bytes
    kFailEmpty,        // reading at the end fails and delivers 0 bytes
    kFailOnShortRead,  // any read that cannot be served in full fails, delivering what there was
  };

  MemoryStream() = default;
  explicit MemoryStream(std::vector<char> bytes, EndOfData endOfData = EndOfData::kSucceedEmpty);

  void SetEndOfData(EndOfData endOfData) { mEndOfData = endOfData; }
  const std::vector<char>& Bytes() const { return mBytes; }
  Steinberg::int64 Position() const { return mPosition; }
  void Rewind() { mPosition = 0; }

  // Whole-file helpers for the tools; false when the file cannot be read or written in full.
  bool LoadFile(const std::string& path);
  bool SaveFile(const std::string& path) const;

  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                     Steinberg::int32* numBytesRead = nullptr) override;
  Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                      Steinberg::int32* numBytesWritten = nullptr) override;
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                     Steinberg::int64* result = nullptr) override;
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

private:
  std::vector<char> mBytes;
  Steinberg::int64 mPosition = 0;
  EndOfData mEndOfData = EndOfData::kSucceedEmpty;
};

}  // namespace TvHost
