#pragma once

#include "dsp/AnalogPrototype.h"
#include "dsp/BilinearTransform.h"
#include "dsp/CascadeFilter.h"

namespace Dsp {

// Chebyshev type II (inverse Chebyshev) low-pass of up to MaxOrder over Channels
// interleaved channels.
template <int MaxOrder, int Channels>
class ChebyIILowPass : public CascadeFilter<MaxOrder, Channels>
{
public:
  // cutoffFreq, in the units of sampleRate, is where the stop band begins: the response
  // there is stopBandDb below the pass band and never rises above that further up.
  // Returns false, and keeps the previous design, for an order outside 1..MaxOrder.
  bool Setup(int order, double sampleRate, double cutoffFreq, double stopBandDb)
  {
    if (!this->IsSupportedOrder(order))
      return false;
    this->Install(BilinearLowPass(ChebyshevIIPrototype(order, stopBandDb), sampleRate, cutoffFreq), 0.0);
    return true;
  }
};

}  // namespace Dsp
