#include "dsp/HalfBandDecimator.h"

namespace Dsp {

void HalfBandDecimator::SetCoefficients(const HalfBandCoefficients& design)
{
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
  for (int frame = 0; frame < frames; ++frame, in += 4, out += 2)
  {
    const StereoFrame even = LoadFrame(in);
    const StereoFrame odd = LoadFrame(in + 2);
    StoreFrame(out, 0.5 * (direct.Step(even) + delayed.Step(heldOddFrame)));
    heldOddFrame = odd;
  }
}

}  // namespace Dsp
