// The band distortion chain on its own: each stage's mapping, the mix, the DC blocker.

#include "effect/BandChain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A chain at 44.1 kHz with every stage bypassed, and scratch for `frames` stereo frames.
struct ChainUnderTest
{
  explicit ChainUnderTest(int frames = 64)
  {
    chain.SetDcBlockerRate(44100);
    scratch.Reserve(2 * frames);
  }

  std::vector<double> Process(std::vector<double> buffer)
  {
    chain.ProcessBand(buffer.data(), static_cast<int>(buffer.size()), scratch);
    return buffer;
  }

  BandChain chain;
  BandChain::Scratch scratch;
};

std::vector<double> Ramp(int frames)
{
  std::vector<double> ramp(2 * frames);
  for (int i = 0; i < 2 * frames; ++i)
    ramp[i] = 0.9 * std::sin(0.37 * i) - 0.05 * (i % 3);
  return ramp;
}

TEST(BandChainStages, WaveshaperCurve)
{
  EXPECT_DOUBLE_EQ(BandChain::Waveshape(1.0), 0.7604061517513464);
  EXPECT_DOUBLE_EQ(BandChain::Waveshape(0.5), 0.4525642257939769);
  EXPECT_DOUBLE_EQ(BandChain::Waveshape(-0.5), -0.4525642257939769);
  EXPECT_NEAR(BandChain::Waveshape(1e-6) / 1e-6, 0.96875, 1e-4);
  EXPECT_NEAR(BandChain::Waveshape(2.92), 0.98923, 1e-4);
}

TEST(BandChainStages, BypassedStagesPassTheDrySignalAtPointNineNine)
{
  ChainUnderTest t;
  t.chain.satMix = 0.3;
  t.chain.bitMix = 0.0;
  t.chain.excMix = 0.7;
  const std::vector<double> in = Ramp(64);
  const std::vector<double> out = t.Process(in);
  for (size_t i = 0; i < in.size(); ++i)
    EXPECT_NEAR(out[i], 0.99 * in[i], 1e-15) << i;
  EXPECT_EQ(t.chain.dcLastInL, 0.0) << "a bypassed saturation stage must not run its DC blocker";
}

TEST(BandChainStages, ZeroMixesStillRunTheDcBlocker)
{
  ChainUnderTest t;
  t.chain.satBypass = t.chain.bitBypass = t.chain.excBypass = false;
  t.chain.satMix = t.chain.bitMix = t.chain.excMix = 0.0;
  t.chain.gain = 4.0;
  t.chain.bits = 4;
  t.chain.evenAmount = t.chain.oddAmount = 50.0;
  const std::vector<double> in = Ramp(64);
  const std::vector<double> out = t.Process(in);
  for (size_t i = 0; i < in.size(); ++i)
    EXPECT_NEAR(out[i], 0.99 * in[i], 1e-15) << i;
  EXPECT_NE(t.chain.dcLastInL, 0.0);
  EXPECT_NE(t.chain.dcLastOutR, 0.0);
}

TEST(BandChainStages, FourBitReductionTruncatesSymmetrically)
{
  ChainUnderTest t;
  t.chain.bitBypass = false;
  t.chain.bits = 4;
  const std::vector<double> out = t.Process({0.3, -0.3, 0.124, -0.126});
  EXPECT_DOUBLE_EQ(out[0], 0.2805);
  EXPECT_DOUBLE_EQ(out[1], -0.2805);
  EXPECT_DOUBLE_EQ(out[2], 0.66 * 0.124);  // below one step of 1/8: the wet copy is 0
  EXPECT_DOUBLE_EQ(out[3], 0.33 * -0.125 + 0.66 * -0.126);
}

TEST(BandChainStages, BitDepthsAtTheEdges)
{
  BandChain chain;
  std::vector<double> samples = {0.1234567891, -1e30, 3e20, -0.75};
  chain.bits = 24;
  chain.ReduceBits(samples.data(), 4);
  EXPECT_DOUBLE_EQ(samples[0], std::trunc(0.1234567891 * 8388608.0) / 8388608.0);
  EXPECT_EQ(samples[1], -1e30) << "values past the 64-bit integer range are already whole";
  EXPECT_EQ(samples[2], 3e20);
  EXPECT_EQ(samples[3], -0.75);

  // A smoothed bit depth starting from 0 gives a shift of 31: practically transparent.
  std::vector<double> fine = {0.1234567891, -0.987654321};
  chain.bits = 0;
  chain.ReduceBits(fine.data(), 2);
  EXPECT_NEAR(fine[0], 0.1234567891, 1e-9);
  EXPECT_NEAR(fine[1], -0.987654321, 1e-9);
}

TEST(BandChainStages, ExciterHarmonics)
{
  ChainUnderTest t;
  t.chain.excBypass = false;
  t.chain.evenAmount = 100.0;
  t.chain.oddAmount = 0.0;
  EXPECT_DOUBLE_EQ(t.Process({0.5, 0.5})[0], 1.439625);

  std::vector<double> odd = {0.5, -0.5};
  t.chain.evenAmount = 0.0;
  t.chain.oddAmount = 1.0;
  t.chain.Excite(odd.data(), 2);
  EXPECT_DOUBLE_EQ(odd[0], 0.466109375);
  EXPECT_DOUBLE_EQ(odd[1], -0.466109375);
}

TEST(BandChainStages, DefaultChainAddsNoHarmonics)
{
  BandChain chain;
  std::vector<double> samples = {0.5, -0.8};
  chain.Excite(samples.data(), 2);
  EXPECT_EQ(samples[0], 0.5);
  EXPECT_EQ(samples[1], -0.8);
}

TEST(BandChainDcBlocker, CornerAtTenHertz)
{
  BandChain chain;
  chain.SetDcBlockerRate(44100);
  EXPECT_NEAR(chain.dcB1, 0.998576, 1e-6);
  EXPECT_DOUBLE_EQ(chain.dcA0, (1.0 + chain.dcB1) * 0.5);
  EXPECT_DOUBLE_EQ(chain.dcA1, -chain.dcA0);
  chain.SetDcBlockerRate(176400);
  EXPECT_NEAR(chain.dcB1, 0.999644, 1e-6);
}

TEST(BandChainDcBlocker, RemovesTheOffsetFromTheSaturatedCopy)
{
  const int frames = 44100 / 5;
  ChainUnderTest t(frames);
  t.chain.satBypass = false;
  t.chain.dcOffset = 1.0;
  const std::vector<double> out = t.Process(std::vector<double>(2 * frames, 0.0));
  const double start = out[0];
  EXPECT_NEAR(start, 0.33 * BandChain::Waveshape(1.0) * t.chain.dcA0, 1e-12);
  // About 16 ms time constant: after 100 ms well under 1 % is left, after 200 ms nothing.
  EXPECT_LT(std::fabs(out[2 * 4410]), 0.01 * start);
  EXPECT_LT(std::fabs(out[2 * (frames - 1) + 1]), 1e-5 * start);
}

TEST(BandChainDcBlocker, HistoriesSurviveARateChange)
{
  ChainUnderTest t;
  t.chain.satBypass = false;
  t.Process(Ramp(64));
  const double lastIn = t.chain.dcLastInL;
  const double lastOut = t.chain.dcLastOutR;
  t.chain.SetDcBlockerRate(176400);
  EXPECT_EQ(t.chain.dcLastInL, lastIn);
  EXPECT_EQ(t.chain.dcLastOutR, lastOut);
}

}  // namespace
