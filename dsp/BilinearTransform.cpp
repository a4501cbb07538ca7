#include "dsp/BilinearTransform.h"

#include "dsp/DspConstants.h"

#include <cmath>

namespace Dsp {

namespace {

using Complex = std::complex<double>;

double AngularCutoff(double sampleRate, double cutoffFreq)
{
  return 2.0 * kPi * cutoffFreq / sampleRate;
}

bool IsInfinite(const Complex& root)
{
  return std::isinf(root.real());
}

// A root at infinity maps onto `atInfinity`; any other root s onto sign * (1 + K s) / (1 - K s).
Complex MapRoot(const Complex& s, double k, double sign, double atInfinity)
{
  if (IsInfinite(s))
    return Complex(atInfinity, 0.0);
  const Complex c = s * k;
  const Complex z = (1.0 + c) / (1.0 - c);
  return sign < 0.0 ? -z : z;
}

PoleZeroLayout MapLayout(const PoleZeroLayout& analog, double k, double sign, double atInfinity)
{
  PoleZeroLayout digital;
  digital.count = analog.count;
  for (int i = 0; i < analog.count; ++i)
  {
    digital.poles[i] = MapRoot(analog.poles[i], k, sign, atInfinity);
    digital.zeros[i] = MapRoot(analog.zeros[i], k, sign, atInfinity);
  }
  return digital;
}

}  // namespace

PoleZeroLayout BilinearLowPass(const PoleZeroLayout& analog, double sampleRate, double cutoffFreq)
{
  const double k = std::tan(AngularCutoff(sampleRate, cutoffFreq) * 0.5);
  return MapLayout(analog, k, 1.0, -1.0);
}

PoleZeroLayout BilinearHighPass(const PoleZeroLayout& analog, double sampleRate, double cutoffFreq)
{
  const double k = 1.0 / std::tan(AngularCutoff(sampleRate, cutoffFreq) * 0.5);
  return MapLayout(analog, k, -1.0, 1.0);
}

}  // namespace Dsp
