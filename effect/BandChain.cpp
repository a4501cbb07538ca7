#include "effect/BandChain.h"

#include "dsp/StereoFrame.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>

namespace {

using Dsp::LoadFrame;
using Dsp::StereoFrame;
using Dsp::StoreFrame;

enum WetCopy
{
  kSatWet,
  kBitWet,
  kExcWet
};

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

// Both lanes at once while they fit a 32-bit integer (always, for audio at up to 24 bits).
StereoFrame TruncateTowardZero(StereoFrame x)
{
  constexpr double kInt32Limit = 2147483648.0;
  if (std::fabs(x[0]) < kInt32Limit && std::fabs(x[1]) < kInt32Limit)
    return _mm_cvtepi32_pd(_mm_cvttpd_epi32(x));
  return StereoFrame{TruncateTowardZero(x[0]), TruncateTowardZero(x[1])};
}

// out = map(in), a frame at a time, with a lone last sample on its own; in may be out.
template <typename Map>
void MapFrames(const double* in, double* out, int count, Map map)
{
  const int whole = count & ~1;
  for (int i = 0; i < whole; i += 2)
    StoreFrame(out + i, map(LoadFrame(in + i)));
  if (whole < count)
    out[whole] = map(in[whole]);
}

}  // namespace

// A bypassed stage's wet signal is its dry signal, so it reads the band buffer directly.
void BandChain::ProcessBand(double* buffer, int count, Scratch& scratch)
{
  double* const sat = satBypass ? buffer : scratch[kSatWet];
  double* const bit = bitBypass ? buffer : scratch[kBitWet];
  double* const exc = excBypass ? buffer : scratch[kExcWet];
  if (!satBypass)
    SaturateInto(buffer, sat, count);
  if (!bitBypass)
    ReduceBitsInto(buffer, bit, count);
  if (!excBypass)
    ExciteInto(buffer, exc, count);

  const double satDry = 1.0 - satMix;
  const double bitDry = 1.0 - bitMix;
  const double excDry = 1.0 - excMix;
  const auto mix = [&](auto dry, auto satWet, auto bitWet, auto excWet) {
    const auto satOut = (satWet * satMix + dry * satDry) * kStageWeight;
    const auto bitOut = (bitWet * bitMix + dry * bitDry) * kStageWeight;
    const auto excOut = (excWet * excMix + dry * excDry) * kStageWeight;
    return ((0.0 + satOut) + bitOut) + excOut;
  };
  const int whole = count & ~1;
  for (int i = 0; i < whole; i += 2)
    StoreFrame(buffer + i, mix(LoadFrame(buffer + i), LoadFrame(sat + i), LoadFrame(bit + i), LoadFrame(exc + i)));
  if (whole < count)
    buffer[whole] = mix(buffer[whole], sat[whole], bit[whole], exc[whole]);
}

void BandChain::Saturate(double* buffer, int count)
{
  SaturateInto(buffer, buffer, count);
}

void BandChain::ReduceBits(double* buffer, int count) const
{
  ReduceBitsInto(buffer, buffer, count);
}

void BandChain::Excite(double* buffer, int count) const
{
  ExciteInto(buffer, buffer, count);
}

void BandChain::SaturateInto(const double* in, double* out, int count)
{
  MapFrames(in, out, count, [this](auto x) { return Waveshape(x * gain + dcOffset); });
  RunDcBlocker(out, count / 2);
}

// One pole, one zero at DC, left and right each with their own history.
void BandChain::RunDcBlocker(double* buffer, int frames)
{
  StereoFrame in{dcLastInL, dcLastInR};
  StereoFrame out{dcLastOutL, dcLastOutR};
  for (int frame = 0; frame < frames; ++frame, buffer += 2)
  {
    const StereoFrame x = LoadFrame(buffer) + kAntiDenormal;
    out = dcA0 * x + dcA1 * in + dcB1 * out;
    in = x;
    StoreFrame(buffer, out);
  }
  dcLastInL = in[0];
  dcLastInR = in[1];
  dcLastOutL = out[0];
  dcLastOutR = out[1];
}

void BandChain::ReduceBitsInto(const double* in, double* out, int count) const
{
  // The shift wraps at 32 like the processor's: 0 bits gives 1 << 31, which as a signed
  // 32-bit value is -2^31 and leaves the signal practically untouched.
  const uint32_t shift = static_cast<uint32_t>(bits - 1) & 31u;
  const double q = static_cast<double>(static_cast<int32_t>(1u << shift));
  // q is a power of two, so multiplying by its reciprocal divides exactly.
  const double step = 1.0 / q;
  MapFrames(in, out, count, [q, step](auto x) { return TruncateTowardZero(x * q) * step; });
}

void BandChain::ExciteInto(const double* in, double* out, int count) const
{
  MapFrames(in, out, count, [this](auto x) { return Harmonics(x); });
}

template <typename Sample>
Sample BandChain::Harmonics(Sample x) const
{
  const Sample x2 = x * x;
  const Sample x3 = x2 * x;
  const Sample x4 = x3 * x;
  const Sample x5 = x4 * x;
  const Sample x6 = x5 * x;
  const Sample x7 = x6 * x;
  const Sample even = 0.5 * x2 + 0.25 * x4 + 0.16 * x6;
  const Sample odd = 0.33 * x3 - 0.2 * x5 - 0.142 * x7;
  return x + 0.2 * evenAmount * even - oddAmount * odd;
}

void BandChain::ClearDcBlocker()
{
  dcLastInL = dcLastInR = 0.0;
  dcLastOutL = dcLastOutR = 0.0;
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
