#pragma once

#include "pluginterfaces/vst/vstspeaker.h"

// The speaker arrangement a bus of the given channel count gets; empty outside 1..6.
inline Steinberg::Vst::SpeakerArrangement ArrangementForChannels(int channels)
{
  namespace Arr = Steinberg::Vst::SpeakerArr;
  switch (channels)
  {
    case 1:
      return Arr::kMono;
    case 2:
      return Arr::kStereo;
    case 3:
      return Arr::k30Music;
    case 4:
      return Arr::kAmbi1stOrderACN;  // B-format W, X, Y, Z
    case 5:
      return Arr::k50;
    case 6:
      return Arr::k51;
    default:
      return Arr::kEmpty;
  }
}

inline int ChannelsOf(Steinberg::Vst::SpeakerArrangement arrangement)
{
  return Steinberg::Vst::SpeakerArr::getChannelCount(arrangement);
}

static_assert(Steinberg::Vst::SpeakerArr::kAmbi1stOrderACN == 0xF00000, "B-format bits");
