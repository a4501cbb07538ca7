#pragma once

namespace Dsp {

// One second-order section. The feedback coefficients are stored with their sign flipped,
// so a stage computes y = b0 x + b1 x1 + b2 x2 + a1 y1 + a2 y2 and its transfer function is
// (b0 + b1 z^-1 + b2 z^-2) / (1 - a1 z^-1 - a2 z^-2).
struct BiquadStage
{
  double b0 = 1.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double a1 = 0.0;
  double a2 = 0.0;

  void SetPassThrough()
  {
    b0 = 1.0;
    b1 = b2 = a1 = a2 = 0.0;
  }
};

}  // namespace Dsp
