#include "dsp/HalfBandInterpolator.h"

namespace Dsp {

void HalfBandInterpolator::SetCoefficients(const HalfBandCoefficients& design)
{
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
  for (int frame = 0; frame < frames; ++frame, in += 2, out += 4)
  {
    const StereoFrame x = LoadFrame(in);
    StoreFrame(out, direct.Step(x));
    StoreFrame(out + 2, delayed.Step(x));
  }
}

}  // namespace Dsp
