#pragma once

#include "dsp/AnalogPrototype.h"
#include "dsp/BilinearTransform.h"
#include "dsp/CascadeFilter.h"
#include "dsp/DspConstants.h"

namespace Dsp {

// Butterworth high-pass of up to MaxOrder over Channels interleaved channels.
template <int MaxOrder, int Channels>
class ButterHighPass : public CascadeFilter<MaxOrder, Channels>
{
public:
  // cutoffFreq is in the units of sampleRate; the response is 3 dB down there.
  // Returns false, and keeps the previous design, for an order outside 1..MaxOrder.
  bool Setup(int order, double sampleRate, double cutoffFreq)
  {
    if (!this->IsSupportedOrder(order))
      return false;
    this->Install(BilinearHighPass(ButterworthPrototype(order), sampleRate, cutoffFreq), kPi);
    return true;
  }
};

}  // namespace Dsp
