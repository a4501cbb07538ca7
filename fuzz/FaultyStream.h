#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "tools/host/HostObject.h"

#include <vector>

namespace TvFuzz {

// A read-only IBStream over fixed bytes that answers the way broken or unusual hosts do. The
// plug-in must take only what a read really delivered and treat a failed read as a failure,
// whatever the bytes that came with it.
class FaultyStream : public TvHost::HostObject<Steinberg::IBStream>
{
public:
  enum class Fault
  {
    kNone,           // every read succeeds, delivering what there is
    kFailAtEnd,      // a read that delivers nothing fails
    kFailShortRead,  // a read that cannot be served in full fails, delivering what there was
    kBytesButError,  // reads deliver their bytes and still report an error
    kCutOff,         // after mLimit bytes every read fails and delivers nothing
    kDribble,        // reads deliver at most one byte each and succeed
    kNoCount,        // reads succeed but leave the byte count untouched
    kSeekFails,      // reads are honest; seek and tell fail
  };
  static constexpr int kFaultCount = 8;

  FaultyStream(std::vector<unsigned char> bytes, Fault fault, Steinberg::int64 limit = 0);

  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                     Steinberg::int32* numBytesRead = nullptr) override;
  Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                      Steinberg::int32* numBytesWritten = nullptr) override;
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                     Steinberg::int64* result = nullptr) override;
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

private:
  Steinberg::int64 Readable() const;

  std::vector<unsigned char> mBytes;
  Fault mFault;
  Steinberg::int64 mLimit;
  Steinberg::int64 mPosition = 0;
};

}  // namespace TvFuzz
