#pragma once

#include "dsp/PoleZeroLayout.h"

namespace Dsp {

// Normalised analog low-pass prototypes (cutoff 1 rad/s). The order must lie in
// 1..PoleZeroLayout::kMaxOrder; callers check it.
PoleZeroLayout ButterworthPrototype(int order);

// Inverse Chebyshev: monotone pass band, equiripple stop band that starts at 1 rad/s and
// stays stopBandDb below the pass band.
PoleZeroLayout ChebyshevIIPrototype(int order, double stopBandDb);

}  // namespace Dsp
