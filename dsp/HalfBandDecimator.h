#pragma once

#include "dsp/HalfBandBranches.h"

namespace Dsp {

// Halves the rate of interleaved stereo: the half-band low-pass removes what would fold
// below the output's Nyquist frequency, evaluated only at the output's frames. The even
// input frames feed one allpass branch, the odd ones (one frame late) the other.
class HalfBandDecimator
{
public:
  // Histories stay.
  void SetCoefficients(const HalfBandCoefficients& design);

  void Clear();

  // in: 2 * frames frames; out: `frames` frames; out may be in.
  void Process(const double* in, int frames, double* out);

private:
  HalfBandBranches branches;
  StereoFrame heldOddFrame{};
};

}  // namespace Dsp
