#include "dsp/HalfBandDecimator.h"

namespace Dsp {

void HalfBandDecimator::SetCoefficients(const HalfBandCoefficients& design)
{
  branches.SetCoefficients(design);
}

void HalfBandDecimator::Clear()
{
  branches.Clear();
  heldOddFrame = StereoFrame{};
}

void HalfBandDecimator::Process(const double* in, int frames, double* out)
{
  branches.Run([&](auto& even, auto& odd) {
    StereoFrame held = heldOddFrame;
    for (int frame = 0; frame < frames; ++frame)
    {
      const StereoFrame evenFrame = LoadFrame(in + 4 * frame);
      const StereoFrame oddFrame = LoadFrame(in + 4 * frame + 2);
      StoreFrame(out + 2 * frame, 0.5 * (even.Step(evenFrame) + odd.Step(held)));
      held = oddFrame;
    }
    heldOddFrame = held;
  });
}

}  // namespace Dsp
