#include "dsp/HalfBandInterpolator.h"

namespace Dsp {

void HalfBandInterpolator::SetCoefficients(const HalfBandCoefficients& design)
{
  count = design.count;
  direct.SetCoefficients(design.values.data(), (design.count + 1) / 2, 2);
  delayed.SetCoefficients(design.values.data() + 1, design.count / 2, 2);
}

void HalfBandInterpolator::Clear()
{
  direct.Clear();
  delayed.Clear();
}

// Zero-stuffing and filtering with twice the half-band: the even output frames see only
// the direct branch, the odd ones only the delayed one.
void HalfBandInterpolator::Process(const double* in, int frames, double* out)
{
  WithBranchLengths(count, [&](auto directLength, auto delayedLength) {
    AllpassChain::Unrolled<directLength> even(direct);
    AllpassChain::Unrolled<delayedLength> odd(delayed);
    for (int frame = 0; frame < frames; ++frame)
    {
      const StereoFrame x = LoadFrame(in + 2 * frame);
      StoreFrame(out + 4 * frame, even.Step(x));
      StoreFrame(out + 4 * frame + 2, odd.Step(x));
    }
    even.Store(direct);
    odd.Store(delayed);
  });
}

}  // namespace Dsp
