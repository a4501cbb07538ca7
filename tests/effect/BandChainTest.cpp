// The band distortion chain on its own: each stage's mapping, the mix and the DC blocker.

#include "effect/BandChain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A chain at 44.1 kHz with every stage bypassed.
struct ChainUnderTest
{
  ChainUnderTest() { chain.SetDcBlockerRate(44100); }

  std::vector<double> Process(std::vector<double> buffer)
  {
    scratch.Reserve(buffer.size());
    chain.ProcessBand(buffer.data(), static_cast<int>(buffer.size()), scratch);
    return buffer;
  }

  BandChain chain;
  BandChain::Scratch scratch;
};

std::vector<double> Wiggle(int frames)
{
  std::vector<double> s(2 * frames);
  for (int i = 0; i < 2 * frames; ++i)
    s[i] = 0.9 * std::sin(0.37 * i) - 0.05 * (i % 3);
  return s;
}

TEST(BandChain, StageMappings)
{
  EXPECT_DOUBLE_EQ(BandChain::Waveshape(1.0), 0.7604061517513464);
  EXPECT_DOUBLE_EQ(BandChain::Waveshape(0.5), 0.4525642257939769);
  EXPECT_DOUBLE_EQ(BandChain::Waveshape(-0.5), -0.4525642257939769);

  ChainUnderTest bits;  // 4 bits at full mix, the other stages bypassed
  bits.chain.bitBypass = false;
  bits.chain.bits = 4;
  const std::vector<double> reduced = bits.Process({0.3, -0.3, 0.124, -0.126});
  EXPECT_DOUBLE_EQ(reduced[0], 0.2805);
  EXPECT_DOUBLE_EQ(reduced[1], -0.2805);
  EXPECT_DOUBLE_EQ(reduced[2], 0.66 * 0.124);  // less than one step: the wet copy is 0
  EXPECT_DOUBLE_EQ(reduced[3], 0.33 * -0.125 + 0.66 * -0.126);

  ChainUnderTest even;
  even.chain.excBypass = false;
  even.chain.evenAmount = 100.0;
  EXPECT_DOUBLE_EQ(even.Process({0.5, 0.5})[0], 1.439625);

  std::vector<double> odd = {0.5, -0.5};
  BandChain oddChain;
  oddChain.oddAmount = 1.0;
  oddChain.Excite(odd.data(), 2);
  EXPECT_DOUBLE_EQ(odd[0], 0.466109375);
  EXPECT_DOUBLE_EQ(odd[1], -0.466109375);
}

TEST(BandChain, BitDepthsAtTheEdges)
{
  BandChain chain;
  std::vector<double> samples = {0.1234567891, -1e30, 3e20, -0.75, 1e-3};
  chain.ReduceBits(samples.data(), 5);
  EXPECT_DOUBLE_EQ(samples[0], std::trunc(0.1234567891 * 8388608.0) / 8388608.0);
  EXPECT_EQ(samples[1], -1e30) << "past the 64-bit integer range values are already whole";
  EXPECT_EQ(samples[2], 3e20);
  EXPECT_EQ(samples[3], -0.75);

  // A depth of 0 bits shifts by 31: practically transparent.
  std::vector<double> fine = {0.1234567891, -0.987654321};
  chain.bits = 0;
  chain.ReduceBits(fine.data(), 2);
  EXPECT_NEAR(fine[0], 0.1234567891, 1e-9);
  EXPECT_NEAR(fine[1], -0.987654321, 1e-9);
}

TEST(BandChain, DryPathsGiveNinetyNinePercent)
{
  ChainUnderTest bypassed;
  bypassed.chain.satMix = 0.3;
  bypassed.chain.excMix = 0.7;
  ChainUnderTest dryMixes;
  dryMixes.chain.satBypass = dryMixes.chain.bitBypass = dryMixes.chain.excBypass = false;
  dryMixes.chain.satMix = dryMixes.chain.bitMix = dryMixes.chain.excMix = 0.0;
  dryMixes.chain.gain = 4.0;
  dryMixes.chain.bits = 4;
  dryMixes.chain.evenAmount = dryMixes.chain.oddAmount = 50.0;

  const std::vector<double> in = Wiggle(64);
  for (ChainUnderTest* t : {&bypassed, &dryMixes})
  {
    const std::vector<double> out = t->Process(in);
    for (size_t i = 0; i < in.size(); ++i)
      ASSERT_NEAR(out[i], 0.99 * in[i], 1e-15) << i;
  }
  EXPECT_EQ(bypassed.chain.dcLastInL, 0.0) << "a bypassed saturation stage must not run its DC blocker";
  EXPECT_NE(dryMixes.chain.dcLastInL, 0.0) << "a running saturation stage advances it even when dry";
  EXPECT_NE(dryMixes.chain.dcLastOutR, 0.0);
}

TEST(BandChain, DcBlockerRemovesTheOffsetFromTheSaturatedCopy)
{
  BandChain rates;
  rates.SetDcBlockerRate(44100);
  EXPECT_NEAR(rates.dcB1, 0.998576, 1e-6);
  rates.SetDcBlockerRate(176400);
  EXPECT_NEAR(rates.dcB1, 0.999644, 1e-6);

  const int frames = 44100 / 5;
  ChainUnderTest t;
  t.chain.satBypass = false;
  t.chain.dcOffset = 1.0;
  const std::vector<double> out = t.Process(std::vector<double>(2 * frames, 0.0));
  const double start = out[0];
  EXPECT_NEAR(start, 0.33 * BandChain::Waveshape(1.0) * t.chain.dcA0, 1e-12);
  // A time constant of about 16 ms: after 100 ms under 1 % is left.
  EXPECT_LT(std::fabs(out[2 * 4410]), 0.01 * start);
  EXPECT_LT(std::fabs(out[2 * (frames - 1) + 1]), 1e-5 * start);
}

// A size no buffer can hold is refused (not thrown), and what was there stays usable.
TEST(BandChain, ScratchThatCannotGrowKeepsItsBuffers)
{
  BandChain::Scratch scratch;
  ASSERT_TRUE(scratch.Reserve(64));
  double* const before = scratch[0];
  EXPECT_FALSE(scratch.Reserve(static_cast<std::size_t>(-1))) << "beyond what a vector can hold";
  EXPECT_EQ(scratch.Capacity(), 64u);
  EXPECT_EQ(scratch[0], before);
  EXPECT_TRUE(scratch.Reserve(32));
}

}  // namespace
