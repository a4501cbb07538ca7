#pragma once

#include <array>

namespace Dsp {

// The coefficients of a half-band low-pass built from two chains of first-order allpass
// sections in z^-2, H(z) = (A0(z^2) + z^-1 A1(z^2)) / 2: an elliptic response whose pass
// band and stop band mirror each other around a quarter of the rate, with equal ripple in
// both. Ascending; the even-numbered ones (0, 2, ...) form A0, the odd-numbered ones A1.
struct HalfBandCoefficients
{
  static constexpr int kMaxCount = 12;

  std::array<double, kMaxCount> values{};
  int count = 0;
  // The stop band's attenuation in dB that these coefficients reach.
  double stopBandDb = 0.0;
};

// The shortest design whose stop band, beginning transitionWidth above its pass band (both
// as fractions of the rate the filter runs at, 0 < transitionWidth < 0.5), lies at least
// stopBandDb down; kMaxCount coefficients at most.
HalfBandCoefficients DesignHalfBand(double transitionWidth, double stopBandDb);

}  // namespace Dsp
