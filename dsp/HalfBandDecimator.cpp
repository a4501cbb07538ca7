#include "dsp/HalfBandDecimator.h"

namespace Dsp {

void HalfBandDecimator::SetCoefficients(const HalfBandCoefficients& design)
{
  count = design.count;
  direct.SetCoefficients(design.values.data(), (design.count + 1) / 2, 2);
  delayed.SetCoefficients(design.values.data() + 1, design.count / 2, 2);
}

void HalfBandDecimator::Clear()
{
  direct.Clear();
  delayed.Clear();
  heldOddFrame = StereoFrame{};
}

void HalfBandDecimator::Process(const double* in, int frames, double* out)
{
  WithBranchLengths(count, [&](auto directLength, auto delayedLength) {
    AllpassChain::Unrolled<directLength> even(direct);
    AllpassChain::Unrolled<delayedLength> odd(delayed);
    StereoFrame held = heldOddFrame;
    for (int frame = 0; frame < frames; ++frame)
    {
      const StereoFrame evenFrame = LoadFrame(in + 4 * frame);
      const StereoFrame oddFrame = LoadFrame(in + 4 * frame + 2);
      StoreFrame(out + 2 * frame, 0.5 * (even.Step(evenFrame) + odd.Step(held)));
      held = oddFrame;
    }
    heldOddFrame = held;
    even.Store(direct);
    odd.Store(delayed);
  });
}

}  // namespace Dsp
