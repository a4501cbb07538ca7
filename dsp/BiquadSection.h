#pragma once

#include "dsp/BiquadStage.h"

#include <array>

namespace Dsp {

// One second-order stage with its direct-form-I history (past inputs and outputs) per
// channel. It is a plain value, so that a processing loop can work on a local copy that the
// compiler keeps in registers, and put it back afterwards.
template <int Channels>
struct BiquadSection
{
  struct History
  {
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
  };

  BiquadStage coeffs;
  std::array<History, Channels> history{};

  double Step(int channel, double x)
  {
    History& h = history[channel];
    const BiquadStage& c = coeffs;
    const double y = c.b0 * x + c.b1 * h.x1 + c.b2 * h.x2 + c.a1 * h.y1 + c.a2 * h.y2;
    h.x2 = h.x1;
    h.x1 = x;
    h.y2 = h.y1;
    h.y1 = y;
    return y;
  }
};

}  // namespace Dsp
