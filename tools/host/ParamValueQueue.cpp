#include "tools/host/ParamValueQueue.h"

namespace TvHost {

using namespace Steinberg;

void ParamValueQueue::Reset(Vst::ParamID id)
{
  mId = id;
  mCount = 0;
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, Vst::ParamValue& value)
{
  if (index < 0 || index >= mCount)
    return kResultFalse;
  sampleOffset = mPoints[index].offset;
  value = mPoints[index].value;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value, int32& index)
{
  int32 position = 0;
  while (position < mCount && mPoints[position].offset < sampleOffset)
    ++position;
  if (position < mCount && mPoints[position].offset == sampleOffset)
  {
    mPoints[position].value = value;
    index = position;
    return kResultOk;
  }
  if (mCount == kMaxPoints)
  {
    index = -1;
    return kResultFalse;
  }
  for (int32 i = mCount; i > position; --i)
    mPoints[i] = mPoints[i - 1];
  mPoints[position] = Point{sampleOffset, value};
  ++mCount;
  index = position;
  return kResultOk;
}

}  // namespace TvHost
