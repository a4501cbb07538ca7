#pragma once

#include <array>
#include <complex>

namespace Dsp {

// The poles and zeros of one design, in the order the prototype produces them. That order
// decides which roots end up sharing a second-order stage, so it is kept as it is.
// A zero at infinity is stored with an infinite real part.
struct PoleZeroLayout
{
  static constexpr int kMaxOrder = 16;

  std::array<std::complex<double>, kMaxOrder> poles{};
  std::array<std::complex<double>, kMaxOrder> zeros{};
  int count = 0;
};

}  // namespace Dsp
