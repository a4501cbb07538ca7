#include "dsp/AnalogPrototype.h"

#include "dsp/DspConstants.h"

#include <cmath>
#include <limits>

namespace Dsp {

namespace {

const std::complex<double> kInfinity(std::numeric_limits<double>::infinity(), 0.0);

// asinh written out, so that the result does not depend on the C library's asinh.
double InverseSinh(double x)
{
  return std::log(x + std::sqrt(x * x + 1.0));
}

}  // namespace

PoleZeroLayout ButterworthPrototype(int order)
{
  PoleZeroLayout layout;
  layout.count = order;
  // tan(pi/4) is a hair below 1 in double; the pole radius keeps that value on purpose so
  // that the coefficients match the designs the effect was tuned with.
  const double radius = std::tan(kPi / 4.0);
  for (int i = 0; i < order; ++i)
  {
    const double angle = kPiOver2 + ((2 * i + 1) * kPi) / (2 * order);
    layout.poles[i] = std::polar(radius, angle);
    layout.zeros[i] = kInfinity;
  }
  return layout;
}

PoleZeroLayout ChebyshevIIPrototype(int order, double stopBandDb)
{
  PoleZeroLayout layout;
  layout.count = order;
  const double eps = std::sqrt(1.0 / (std::exp(stopBandDb * 0.1 * kLn10) - 1.0));
  const double v0 = InverseSinh(1.0 / eps) / order;
  const double sinhV0 = std::sinh(v0);
  const double coshV0 = std::cosh(v0);
  for (int i = 0; i < order; ++i)
  {
    const int k = 2 * i + 1 - order;
    const double t = (k * kPi) / (2 * order);
    const double a = -sinhV0 * std::cos(t);
    const double b = coshV0 * std::sin(t);
    const double d = a * a + b * b;
    layout.poles[i] = std::complex<double>(a / d, b / d);
    const double u = ((2 * k + 1) * kPi) / (2 * order);
    layout.zeros[i] = std::complex<double>(0.0, 1.0) / std::cos(u);
  }
  return layout;
}

}  // namespace Dsp
