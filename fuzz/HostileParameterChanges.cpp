#include "fuzz/HostileParameterChanges.h"

namespace TvFuzz {

using namespace Steinberg;

void HostileParamQueue::Reset(Vst::ParamID id, int32 claimedCount)
{
  mId = id;
  mClaimedCount = claimedCount;
  mStored = 0;
}

void HostileParamQueue::Append(int32 offset, Vst::ParamValue value)
{
  if (mStored < kMaxPoints)
    mPoints[mStored++] = Point{offset, value};
}

tresult PLUGIN_API HostileParamQueue::getPoint(int32 index, int32& sampleOffset, Vst::ParamValue& value)
{
  if (index < 0 || index >= mStored)
    return kResultFalse;
  sampleOffset = mPoints[index].offset;
  value = mPoints[index].value;
  return kResultOk;
}

tresult PLUGIN_API HostileParamQueue::addPoint(int32, Vst::ParamValue, int32& index)
{
  index = -1;
  return kResultFalse;
}

void HostileParameterChanges::Reset(int32 claimedCount)
{
  mClaimedCount = claimedCount;
  mUsed = 0;
}

HostileParamQueue* HostileParameterChanges::NextQueue()
{
  return mUsed < kMaxQueues ? &mQueues[mUsed++] : nullptr;
}

Vst::IParamValueQueue* PLUGIN_API HostileParameterChanges::getParameterData(int32 index)
{
  return index >= 0 && index < mUsed ? &mQueues[index] : nullptr;
}

Vst::IParamValueQueue* PLUGIN_API HostileParameterChanges::addParameterData(const Vst::ParamID&, int32& index)
{
  index = -1;
  return nullptr;
}

}  // namespace TvFuzz
