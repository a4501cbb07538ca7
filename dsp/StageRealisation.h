#pragma once

#include "dsp/BiquadStage.h"
#include "dsp/PoleZeroLayout.h"

namespace Dsp {

// Number of second-order stages a design of this order needs.
constexpr int StageCountForOrder(int order)
{
  return (order + 1) / 2;
}

// Builds the cascade for a digital layout into stages[0 .. StageCountForOrder(count)),
// then scales stage 0's numerator so that the cascade has unit gain at normW
// (radians per sample: 0 for a low-pass, pi for a high-pass).
void RealiseStages(const PoleZeroLayout& digital, double normW, BiquadStage* stages);

}  // namespace Dsp
