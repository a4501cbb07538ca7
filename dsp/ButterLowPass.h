#pragma once

#include "dsp/AnalogPrototype.h"
#include "dsp/BilinearTransform.h"
#include "dsp/CascadeFilter.h"

namespace Dsp {

// Butterworth low-pass of up to MaxOrder over Channels interleaved channels.
template <int MaxOrder, int Channels>
class ButterLowPass : public CascadeFilter<MaxOrder, Channels>
{
public:
  // cutoffFreq is in the units of sampleRate; the response is 3 dB down there.
  // Returns false, and keeps the previous design, for an order outside 1..MaxOrder.
  bool Setup(int order, double sampleRate, double cutoffFreq)
  {
    if (!this->IsSupportedOrder(order))
      return false;
    this->Install(BilinearLowPass(ButterworthPrototype(order), sampleRate, cutoffFreq), 0.0);
    return true;
  }
};

}  // namespace Dsp
