#include "effect/BandChain.h"

#include <algorithm>
#include <cmath>

namespace {

enum ScratchBuffer { kSatWet, kSatDry, kBitWet, kBitDry, kExcWet, kExcDry };

// The stages' outputs are summed with this weight each; 0.33 rather than 1/3 leaves the
// band 0.99 times as loud when all stages pass their dry signal.
constexpr double kStageWeight = 0.33;

// Keeps the DC blocker's recursion out of subnormal numbers when the signal stops.
constexpr double kAntiDenormal = 1e-23;

// Beyond this magnitude every double is a whole number, and the conversion to a 64-bit
// integer would overflow.
constexpr double kInt64Limit = 9223372036854775808.0;

double TruncateTowardZero(double x)
{
  return std::fabs(x) < kInt64Limit ? static_cast<double>(static_cast<int64_t>(x)) : x;
}

// wet = wet * mix + dry * (1 - mix), then weighted.
void MixStage(double* wet, const double* dry, int count, double mix)
{
  const double dryShare = 1.0 - mix;
  for (int i = 0; i < count; ++i)
    wet[i] = (wet[i] * mix + dry[i] * dryShare) * kStageWeight;
}

}  // namespace

void BandChain::ProcessBand(double* buffer, int count, Scratch& scratch)
{
  for (int b = kSatWet; b <= kExcDry; ++b)
    std::copy(buffer, buffer + count, scratch[b]);

  if (!satBypass)
    Saturate(scratch[kSatWet], count);
  if (!bitBypass)
    ReduceBits(scratch[kBitWet], count);
  if (!excBypass)
    Excite(scratch[kExcWet], count);

  MixStage(scratch[kSatWet], scratch[kSatDry], count, satMix);
  MixStage(scratch[kBitWet], scratch[kBitDry], count, bitMix);
  MixStage(scratch[kExcWet], scratch[kExcDry], count, excMix);

  const double* sat = scratch[kSatWet];
  const double* bit = scratch[kBitWet];
  const double* exc = scratch[kExcWet];
  for (int i = 0; i < count; ++i)
    buffer[i] = ((0.0 + sat[i]) + bit[i]) + exc[i];
}

double BandChain::Waveshape(double d)
{
  return 0.1071000671 * d + d / (0.37011709966 * d * d + 1.1605589854);
}

void BandChain::Saturate(double* buffer, int count)
{
  for (int i = 0; i < count; ++i)
    buffer[i] = Waveshape(buffer[i] * gain + dcOffset);

  const int frames = count / 2;
  for (int frame = 0; frame < frames; ++frame)
  {
    double* sample = buffer + 2 * frame;
    sample[0] = BlockDc(sample[0], dcLastInL, dcLastOutL);
    sample[1] = BlockDc(sample[1], dcLastInR, dcLastOutR);
  }
}

double BandChain::BlockDc(double x, double& lastIn, double& lastOut) const
{
  x += kAntiDenormal;
  const double y = dcA0 * x + dcA1 * lastIn + dcB1 * lastOut;
  lastIn = x;
  lastOut = y;
  return y;
}

void BandChain::ReduceBits(double* buffer, int count) const
{
  // The shift wraps at 32 like the processor's: 0 bits gives 1 << 31, which as a signed
  // 32-bit value is -2^31 and leaves the signal practically untouched.
  const uint32_t shift = static_cast<uint32_t>(bits - 1) & 31u;
  const double q = static_cast<double>(static_cast<int32_t>(1u << shift));
  for (int i = 0; i < count; ++i)
    buffer[i] = TruncateTowardZero(buffer[i] * q) / q;
}

void BandChain::Excite(double* buffer, int count) const
{
  const double evenWeight = 0.2 * evenAmount;
  for (int i = 0; i < count; ++i)
  {
    const double x = buffer[i];
    const double x2 = x * x;
    const double x3 = x2 * x;
    const double x4 = x3 * x;
    const double x5 = x4 * x;
    const double x6 = x5 * x;
    const double x7 = x6 * x;
    const double even = 0.5 * x2 + 0.25 * x4 + 0.16 * x6;
    const double odd = 0.33 * x3 - 0.2 * x5 - 0.142 * x7;
    buffer[i] = x + evenWeight * even - oddAmount * odd;
  }
}

void BandChain::SetDcBlockerRate(int rate)
{
  // The corner's share of the rate is computed in single precision on purpose: the
  // coefficients must match the ones the effect's sound was tuned with.
  const double cornerShare = static_cast<double>(10.0f / static_cast<float>(rate));
  const double p = std::pow(2.718281828459045, cornerShare * -6.283185307179586);
  dcA0 = (1.0 + p) * 0.5;
  dcA1 = (1.0 + p) * -0.5;
  dcB1 = p;
}
