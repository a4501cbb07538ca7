#include "dsp/HalfBandInterpolator.h"

namespace Dsp {

void HalfBandInterpolator::SetCoefficients(const HalfBandCoefficients& design)
{
  branches.SetCoefficients(design);
}

void HalfBandInterpolator::Clear()
{
  branches.Clear();
}

// Zero-stuffing and filtering with twice the half-band: the even output frames see only
// the direct branch, the odd ones only the delayed one.
void HalfBandInterpolator::Process(const double* in, int frames, double* out)
{
  branches.Run([&](auto& even, auto& odd) {
    for (int frame = 0; frame < frames; ++frame)
    {
      const StereoFrame x = LoadFrame(in + 2 * frame);
      StoreFrame(out + 4 * frame, even.Step(x));
      StoreFrame(out + 4 * frame + 2, odd.Step(x));
    }
  });
}

}  // namespace Dsp
