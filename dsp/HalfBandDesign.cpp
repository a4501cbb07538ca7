#include "dsp/HalfBandDesign.h"

#include "dsp/DspConstants.h"

#include <algorithm>
#include <cmath>

namespace Dsp {

namespace {

// Enough terms of the theta series below for nomes up to about 0.2 (transition widths
// down to about 0.005) to reach double precision.
constexpr int kSeriesTerms = 10;

// The nome of the elliptic modulus k, from its series in the complementary modulus.
double Nome(double k)
{
  const double rootOfComplement = std::sqrt(std::sqrt(1.0 - k * k));
  const double e = 0.5 * (1.0 - rootOfComplement) / (1.0 + rootOfComplement);
  const double e4 = e * e * e * e;
  return e * (1.0 + e4 * (2.0 + e4 * (15.0 + e4 * 150.0)));
}

// A power-complementary half-band of odd order n has the discrimination modulus
// 1 / (A^2 - 1), A the stop band's attenuation as an amplitude ratio; that modulus is about
// 4 q^(n/2) for the small nomes of usable designs.
double AttenuationDb(double nome, int order)
{
  return 10.0 * std::log10(1.0 + 1.0 / (4.0 * std::pow(nome, 0.5 * order)));
}

// Coefficient i (1-based) of the order-n design with selectivity k and nome q: the pole
// positions of the elliptic prototype, from the theta series of its Jacobi functions, taken
// through the bilinear map onto first-order allpass sections in z^-2.
double AllpassCoefficient(int i, int order, double k, double q)
{
  double numerator = 0.0;
  double denominator = 0.0;
  for (int m = 0; m < kSeriesTerms; ++m)
  {
    const double sign = m % 2 == 0 ? 1.0 : -1.0;
    numerator += sign * std::pow(q, m * (m + 1.0)) * std::sin((2 * m + 1) * kPi * i / order);
    if (m > 0)
      denominator += sign * std::pow(q, static_cast<double>(m) * m) * std::cos(2 * m * kPi * i / order);
  }
  const double w = 2.0 * std::pow(q, 0.25) * numerator / (1.0 + 2.0 * denominator);
  const double w2 = w * w;
  const double ap = std::sqrt((1.0 - k * w2) * (1.0 - w2 / k)) / (1.0 + w2);
  return (1.0 - ap) / (1.0 + ap);
}

}  // namespace

HalfBandCoefficients DesignHalfBand(double transitionWidth, double stopBandDb)
{
  // The selectivity: the ratio of the pass-band and stop-band edges after prewarping.
  const double passEdgeTan = std::tan((1.0 - 2.0 * transitionWidth) * kPi * 0.25);
  const double k = passEdgeTan * passEdgeTan;
  const double q = Nome(k);

  HalfBandCoefficients design;
  int order = 3;
  while (AttenuationDb(q, order) < stopBandDb && (order - 1) / 2 < HalfBandCoefficients::kMaxCount)
    order += 2;
  design.count = (order - 1) / 2;
  design.stopBandDb = AttenuationDb(q, order);
  for (int i = 0; i < design.count; ++i)
    design.values[i] = AllpassCoefficient(i + 1, order, k, q);
  std::sort(design.values.begin(), design.values.begin() + design.count);
  return design;
}

}  // namespace Dsp
