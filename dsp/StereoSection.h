#pragma once

#include "dsp/BiquadSection.h"
#include "dsp/StereoFrame.h"

namespace Dsp {

// A two-channel BiquadSection taken apart into registers for a processing loop: both
// channels run in one step, with the same arithmetic as BiquadSection::Step.
struct StereoSection
{
  explicit StereoSection(const BiquadSection<2>& s)
    : b0(BothChannels(s.coeffs.b0)), b1(BothChannels(s.coeffs.b1)), b2(BothChannels(s.coeffs.b2)),
      a1(BothChannels(s.coeffs.a1)), a2(BothChannels(s.coeffs.a2)), x1{s.history[0].x1, s.history[1].x1},
      x2{s.history[0].x2, s.history[1].x2}, y1{s.history[0].y1, s.history[1].y1}, y2{s.history[0].y2, s.history[1].y2}
  {
  }

  // Writes the histories back; the coefficients were only read.
  void StoreHistory(BiquadSection<2>& s) const
  {
    for (int channel = 0; channel < 2; ++channel)
      s.history[channel] = {x1[channel], x2[channel], y1[channel], y2[channel]};
  }

  StereoFrame Step(StereoFrame x)
  {
    const StereoFrame y = b0 * x + b1 * x1 + b2 * x2 + a1 * y1 + a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }

  StereoFrame b0, b1, b2, a1, a2;
  StereoFrame x1, x2, y1, y2;
};

}  // namespace Dsp
