#pragma once

#include "dsp/PoleZeroLayout.h"

namespace Dsp {

// Maps an analog low-pass prototype onto the z-plane with the pre-warped bilinear
// transform, so that the prototype's 1 rad/s lands on cutoffFreq (in the units of
// sampleRate). Every root keeps its place in the layout.
PoleZeroLayout BilinearLowPass(const PoleZeroLayout& analog, double sampleRate, double cutoffFreq);

// The same, turning the low-pass prototype into a high-pass at cutoffFreq.
PoleZeroLayout BilinearHighPass(const PoleZeroLayout& analog, double sampleRate, double cutoffFreq);

}  // namespace Dsp
