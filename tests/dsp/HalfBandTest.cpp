// The polyphase half-band stages against their design: tones run through them and the
// level that comes out is read at exact DFT bins (whole cycles in the window, so no leakage
// hides a line 100 dB down).

#include "dsp/HalfBandDecimator.h"
#include "dsp/HalfBandDesign.h"
#include "dsp/HalfBandInterpolator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

constexpr int kWindow = 4096;  // frames at the lower rate
constexpr int kSettle = 4096;

// Interleaved stereo tone: `bin` cycles per `period` frames, the right channel in quadrature.
std::vector<double> Tone(int frames, int bin, int period)
{
  std::vector<double> s(2 * frames);
  for (int i = 0; i < frames; ++i)
  {
    const double phase = 2.0 * M_PI * bin * static_cast<double>(i) / period;
    s[2 * i] = std::sin(phase);
    s[2 * i + 1] = std::cos(phase);
  }
  return s;
}

// Amplitude of the left channel's line at `bin` over the last `period` frames, in dB.
double LevelDb(const std::vector<double>& s, int bin, int period)
{
  const int frames = static_cast<int>(s.size() / 2);
  std::complex<double> sum;
  for (int i = frames - period; i < frames; ++i)
    sum += s[2 * i] * std::polar(1.0, -2.0 * M_PI * bin * static_cast<double>(i) / period);
  return 20.0 * std::log10(std::abs(sum) * 2.0 / period + 1e-300);
}

// The two bands are power complementary: the pass band dips by what the stop band lets through.
double PassBandRippleDb(const Dsp::HalfBandCoefficients& design)
{
  return -10.0 * std::log10(1.0 - std::pow(10.0, -design.stopBandDb / 10.0)) + 1e-9;
}

struct DesignCase
{
  double transitionWidth;
  double stopBandDb;
  int expectedCount;
};

// The first stage of the effect's cascade at 44.1 kHz (20 kHz to 24.1 kHz) and the wider
// ones above it; also a short and a long design.
constexpr DesignCase kDesigns[] = {
  {0.0464852607709750, 100.0, 8},
  {0.2732426303854875, 100.0, 4},
  {0.3866213151927438, 100.0, 3},
  {0.4433106575963719, 100.0, 2},
  {0.1, 40.0, 3},
  {0.01, 120.0, 12},
};

TEST(HalfBand, DecimatorStopsWhatWouldFoldAndPassesTheBand)
{
  for (const DesignCase& c : kDesigns)
  {
    const Dsp::HalfBandCoefficients design = Dsp::DesignHalfBand(c.transitionWidth, c.stopBandDb);
    EXPECT_EQ(design.count, c.expectedCount) << c.transitionWidth;
    if (c.expectedCount < Dsp::HalfBandCoefficients::kMaxCount)
    {
      EXPECT_GE(design.stopBandDb, c.stopBandDb);
    }
    // Bins of the upper rate (2 * kWindow per window): the pass band's edge and below, the
    // stop band's edge and above, up to the upper rate's Nyquist frequency.
    const int passEdge = static_cast<int>((0.25 - c.transitionWidth / 2) * 2 * kWindow);
    const int stopEdge = kWindow - passEdge;
    for (const int bin : {1, passEdge / 2, passEdge, stopEdge, (stopEdge + kWindow) / 2, kWindow - 1})
    {
      Dsp::HalfBandDecimator decimator;
      decimator.SetCoefficients(design);
      std::vector<double> s = Tone(2 * (kSettle + kWindow), bin, 2 * kWindow);
      decimator.Process(s.data(), kSettle + kWindow, s.data());
      s.resize(2 * (kSettle + kWindow));
      const double level = LevelDb(s, bin <= passEdge ? bin : kWindow - bin, kWindow);
      if (bin <= passEdge)
      {
        EXPECT_NEAR(level, 0.0, PassBandRippleDb(design)) << c.transitionWidth << " bin " << bin;
      }
      else
      {
        EXPECT_LE(level, -design.stopBandDb + 1e-3) << c.transitionWidth << " bin " << bin;
      }
    }
  }
}

TEST(HalfBand, InterpolatorKeepsTheToneAndRemovesItsImage)
{
  for (const DesignCase& c : kDesigns)
  {
    const Dsp::HalfBandCoefficients design = Dsp::DesignHalfBand(c.transitionWidth, c.stopBandDb);
    const int passEdge = static_cast<int>((0.25 - c.transitionWidth / 2) * 2 * kWindow);
    for (const int bin : {1, passEdge / 3, passEdge})
    {
      Dsp::HalfBandInterpolator interpolator;
      interpolator.SetCoefficients(design);
      const std::vector<double> in = Tone(kSettle + kWindow, bin, kWindow);
      std::vector<double> out(2 * in.size());
      interpolator.Process(in.data(), kSettle + kWindow, out.data());
      EXPECT_NEAR(LevelDb(out, bin, 2 * kWindow), 0.0, PassBandRippleDb(design)) << c.transitionWidth << " bin " << bin;
      EXPECT_LE(LevelDb(out, kWindow - bin, 2 * kWindow), -design.stopBandDb + 1e-3)
        << c.transitionWidth << " bin " << bin;
    }
  }
}

// Cleared stages start from silence: the same input gives the same output as a new stage.
TEST(HalfBand, ClearForgetsThePast)
{
  const Dsp::HalfBandCoefficients design = Dsp::DesignHalfBand(0.05, 100.0);
  Dsp::HalfBandInterpolator usedUp, freshUp;
  Dsp::HalfBandDecimator usedDown, freshDown;
  for (auto* stage : {&usedUp, &freshUp})
    stage->SetCoefficients(design);
  for (auto* stage : {&usedDown, &freshDown})
    stage->SetCoefficients(design);
  const std::vector<double> in = Tone(256, 5, 64);
  std::vector<double> a(4 * 256), b(4 * 256);
  usedUp.Process(in.data(), 256, a.data());
  usedDown.Process(a.data(), 256, a.data());
  usedUp.Clear();
  usedDown.Clear();
  usedUp.Process(in.data(), 256, a.data());
  freshUp.Process(in.data(), 256, b.data());
  EXPECT_EQ(a, b);
  usedDown.Process(a.data(), 256, a.data());
  freshDown.Process(b.data(), 256, b.data());
  EXPECT_EQ(a, b);
}

}  // namespace
