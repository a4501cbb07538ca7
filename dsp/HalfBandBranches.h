#pragma once

#include "dsp/AllpassChain.h"
#include "dsp/HalfBandDesign.h"

namespace Dsp {

// The two allpass branches of a polyphase half-band filter, as the interpolator and the
// decimator both run them: the even-numbered coefficients form the direct branch, the
// odd-numbered ones the delayed branch.
class HalfBandBranches
{
public:
  // Histories stay.
  void SetCoefficients(const HalfBandCoefficients& design)
  {
    count = design.count;
    direct.SetCoefficients(design.values.data(), (design.count + 1) / 2, 2);
    delayed.SetCoefficients(design.values.data() + 1, design.count / 2, 2);
  }

  void Clear()
  {
    direct.Clear();
    delayed.Clear();
  }

  // Calls body(direct, delayed) with both branches unrolled to their lengths
  // (AllpassChain::Unrolled), then keeps their histories.
  template <typename Body>
  void Run(Body body)
  {
    WithBranchLengths(count, [&](auto directLength, auto delayedLength) {
      AllpassChain::Unrolled<directLength> even(direct);
      AllpassChain::Unrolled<delayedLength> odd(delayed);
      body(even, odd);
      even.Store(direct);
      odd.Store(delayed);
    });
  }

private:
  int count = 0;
  AllpassChain direct;
  AllpassChain delayed;
};

}  // namespace Dsp
