#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "tools/host/HostObject.h"

#include <array>

namespace TvHost {

// The points of one parameter within one block, kept in sample-offset order in a fixed array
// so that filling a queue on the audio thread never allocates.
class ParamValueQueue : public HostObject<Steinberg::Vst::IParamValueQueue>
{
public:
  static constexpr Steinberg::int32 kMaxPoints = 64;

  // Empties the queue and gives it to parameter id.
  void Reset(Steinberg::Vst::ParamID id);

  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return mId; }
  Steinberg::int32 PLUGIN_API getPointCount() override { return mCount; }
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  // A point at an offset that is already queued replaces that point's value; a full queue
  // refuses new offsets with kResultFalse and index -1.
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;

private:
  struct Point
  {
    Steinberg::int32 offset;
    Steinberg::Vst::ParamValue value;
  };

  Steinberg::Vst::ParamID mId = 0;
  Steinberg::int32 mCount = 0;
  std::array<Point, kMaxPoints> mPoints{};
};

}  // namespace TvHost
