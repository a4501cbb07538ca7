#include "tools/host/ParameterChanges.h"

namespace TvHost {

using namespace Steinberg;

ParameterChanges::ParameterChanges(int32 maxQueues) : mQueues(maxQueues > 0 ? maxQueues : 0) {}

bool ParameterChanges::AddChange(Vst::ParamID id, Vst::ParamValue value, int32 sampleOffset)
{
  int32 queueIndex = 0;
  Vst::IParamValueQueue* queue = addParameterData(id, queueIndex);
  int32 pointIndex = 0;
  return queue && queue->addPoint(sampleOffset, value, pointIndex) == kResultOk;
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
  if (index < 0 || index >= mUsed)
    return nullptr;
  return &mQueues[index];
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const Vst::ParamID& id, int32& index)
{
  for (int32 i = 0; i < mUsed; ++i)
  {
    if (mQueues[i].getParameterId() == id)
    {
      index = i;
      return &mQueues[i];
    }
  }
  if (mUsed == static_cast<int32>(mQueues.size()))
  {
    index = -1;
    return nullptr;
  }
  mQueues[mUsed].Reset(id);
  index = mUsed;
  return &mQueues[mUsed++];
}

}  // namespace TvHost
