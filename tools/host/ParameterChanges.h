#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "tools/host/HostObject.h"
#include "tools/host/ParamValueQueue.h"

#include <vector>

namespace TvHost {

// The parameter changes of one block: up to a fixed number of queues, all allocated when the
// object is made. Clear it before filling it for the next block.
class ParameterChanges : public HostObject<Steinberg::Vst::IParameterChanges>
{
public:
  explicit ParameterChanges(Steinberg::int32 maxQueues = 128);

  void Clear() { mUsed = 0; }

  // Adds one point to the queue of id, making the queue when needed. False when the queue
  // or the list of queues is full.
  bool AddChange(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value, Steinberg::int32 sampleOffset = 0);

  Steinberg::int32 PLUGIN_API getParameterCount() override { return mUsed; }
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  // Returns the queue already holding id, or a fresh one; nullptr with index -1 when full.
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;

private:
  std::vector<ParamValueQueue> mQueues;
  Steinberg::int32 mUsed = 0;
};

}  // namespace TvHost
