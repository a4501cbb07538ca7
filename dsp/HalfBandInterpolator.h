#pragma once

#include "dsp/HalfBandBranches.h"

namespace Dsp {

// Doubles the rate of interleaved stereo: every input frame gives two output frames, one
// from each allpass branch of the half-band low-pass, which removes the image above the
// input's Nyquist frequency. No delay is added beyond the filter's own phase response.
class HalfBandInterpolator
{
public:
  // Histories stay.
  void SetCoefficients(const HalfBandCoefficients& design);

  void Clear();

  // in: `frames` frames; out: 2 * frames frames, not overlapping in.
  void Process(const double* in, int frames, double* out);

private:
  HalfBandBranches branches;
};

}  // namespace Dsp
