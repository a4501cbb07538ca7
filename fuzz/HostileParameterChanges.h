#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "tools/host/HostObject.h"

#include <array>

namespace TvFuzz {

// The points of one parameter exactly as a careless host lists them: offsets in any order,
// negative or past the block, any values, and a point count that may claim more points than
// getPoint delivers.
class HostileParamQueue : public TvHost::HostObject<Steinberg::Vst::IParamValueQueue>
{
public:
  static constexpr int kMaxPoints = 8;

  void Reset(Steinberg::Vst::ParamID id, Steinberg::int32 claimedCount);
  // Ignored once the queue is full.
  void Append(Steinberg::int32 offset, Steinberg::Vst::ParamValue value);

  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return mId; }
  Steinberg::int32 PLUGIN_API getPointCount() override { return mClaimedCount; }
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32, Steinberg::Vst::ParamValue,
                                         Steinberg::int32& index) override;

private:
  struct Point
  {
    Steinberg::int32 offset = 0;
    Steinberg::Vst::ParamValue value = 0.0;
  };

  Steinberg::Vst::ParamID mId = 0;
  Steinberg::int32 mClaimedCount = 0;
  int mStored = 0;
  std::array<Point, kMaxPoints> mPoints{};
};

// A block's parameter changes with the same freedom: any ids, repeated ids, and a queue
// count that may exceed the queues it has (getParameterData answers null for those).
class HostileParameterChanges : public TvHost::HostObject<Steinberg::Vst::IParameterChanges>
{
public:
  static constexpr int kMaxQueues = 8;

  void Reset(Steinberg::int32 claimedCount);
  // The next queue, or null once every one is taken.
  HostileParamQueue* NextQueue();

  Steinberg::int32 PLUGIN_API getParameterCount() override { return mClaimedCount; }
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID&,
                                                                Steinberg::int32& index) override;

private:
  Steinberg::int32 mClaimedCount = 0;
  int mUsed = 0;
  std::array<HostileParamQueue, kMaxQueues> mQueues{};
};

}  // namespace TvFuzz
