// The crossover's redesign schedule and band split, and the two resampling steps, against
// filters designed and run independently.

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"
#include "effect/Crossover.h"
#include "effect/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using LowPass = Dsp::ButterLowPass<2, 2>;
using HighPass = Dsp::ButterHighPass<2, 2>;

std::vector<double> TestSignal(int frames)
{
  std::vector<double> s(2 * frames);
  for (int i = 0; i < frames; ++i)
  {
    s[2 * i] = i == 0 ? 1.0 : 0.0;
    s[2 * i + 1] = 0.5 * std::sin(0.05 * i) + 0.25 * std::sin(0.31 * i);
  }
  return s;
}

// The four values a smoother takes in its next four advances.
std::vector<double> NextFourValues(ParamSmoother s)
{
  std::vector<double> values;
  for (int i = 0; i < 4; ++i)
    values.push_back(s.Advance());
  return values;
}

template <typename Filter>
Filter Designed(double hertz, int rate)
{
  Filter f;
  f.Setup(2, 1.0, hertz / rate);
  return f;
}

struct ReferenceSplit
{
  ReferenceSplit(const std::vector<double>& low, const std::vector<double>& high, int rate)
    : lowLP1(Designed<LowPass>(low[0], rate)), lowLP2(Designed<LowPass>(low[1], rate)),
      midHP1(Designed<HighPass>(low[2], rate)), midHP2(Designed<HighPass>(low[3], rate)),
      midLP1(Designed<LowPass>(high[2], rate)), midLP2(Designed<LowPass>(high[3], rate)),
      highHP1(Designed<HighPass>(high[0], rate)), highHP2(Designed<HighPass>(high[1], rate))
  {
  }

  void Split(double* low, double* mid, double* high, int frames)
  {
    lowLP1.Process(frames, low);
    lowLP2.Process(frames, low);
    midHP1.Process(frames, mid);
    midHP2.Process(frames, mid);
    midLP1.Process(frames, mid);
    midLP2.Process(frames, mid);
    highHP1.Process(frames, high);
    highHP2.Process(frames, high);
  }

  LowPass lowLP1, lowLP2;
  HighPass midHP1, midHP2;
  LowPass midLP1, midLP2;
  HighPass highHP1, highHP2;
};

struct SplitRun
{
  explicit SplitRun(int frames) : low(TestSignal(frames)), mid(low), high(low) {}
  std::vector<double> low, mid, high;
};

TEST(Crossover, GlidingEdgesAreDesignedAtFourSuccessiveValues)
{
  const int rate = 44100;
  const double coeff = std::exp(-1.0 / (86 * 0.005));
  ParamSmoother lowEdge {0.0, coeff, 250.0};
  ParamSmoother highEdge {0.0, coeff, 2500.0};
  const std::vector<double> lowValues = NextFourValues(lowEdge);
  const std::vector<double> highValues = NextFourValues(highEdge);

  Crossover crossover;
  crossover.Update(lowEdge, highEdge, rate);
  EXPECT_EQ(lowEdge.current, lowValues[3]);
  EXPECT_EQ(highEdge.current, highValues[3]);

  ReferenceSplit reference(lowValues, highValues, rate);
  SplitRun actual(256), expected(256);
  crossover.Split(actual.low.data(), actual.mid.data(), actual.high.data(), 256);
  reference.Split(expected.low.data(), expected.mid.data(), expected.high.data(), 256);
  EXPECT_EQ(actual.low, expected.low);
  EXPECT_EQ(actual.mid, expected.mid);
  EXPECT_EQ(actual.high, expected.high);

  // Settled edges keep their designs and the histories run on.
  lowEdge.current = lowEdge.target;
  highEdge.current = highEdge.target;
  crossover.Update(lowEdge, highEdge, rate);
  crossover.Split(actual.low.data(), actual.mid.data(), actual.high.data(), 256);
  reference.Split(expected.low.data(), expected.mid.data(), expected.high.data(), 256);
  EXPECT_EQ(actual.low, expected.low);
  EXPECT_EQ(actual.mid, expected.mid);
  EXPECT_EQ(actual.high, expected.high);
}

TEST(Crossover, OnlyTheGlidingEdgeMoves)
{
  ParamSmoother lowEdge {300.0, 0.5, 300.0};
  ParamSmoother highEdge {1000.0, 0.5, 2000.0};
  Crossover crossover;
  crossover.Update(lowEdge, highEdge, 48000);
  EXPECT_EQ(lowEdge.current, 300.0);
  EXPECT_EQ(highEdge.current, 2000.0 - 1000.0 / 16.0);
}

TEST(Crossover, CutoffsNearNyquistAreClampedToStayStable)
{
  const int rate = 32000;
  ParamSmoother lowEdge {50.0, 0.0, 50.0};
  ParamSmoother highEdge {17999.0, 1e-300, 18000.0};
  Crossover crossover;
  crossover.Update(lowEdge, highEdge, rate);

  HighPass clamped1, clamped2;
  clamped1.Setup(2, 1.0, 0.49);
  clamped2.Setup(2, 1.0, 0.49);
  SplitRun actual(4096);
  std::vector<double> expected = actual.high;
  crossover.Split(actual.low.data(), actual.mid.data(), actual.high.data(), 4096);
  clamped1.Process(4096, expected.data());
  clamped2.Process(4096, expected.data());
  EXPECT_EQ(actual.high, expected);
  for (const double sample : actual.mid)
    ASSERT_LT(std::fabs(sample), 2.0);
}

TEST(Resampler, UpsamplingHoldsEachFrameAndFilters)
{
  Resampler resampler;
  resampler.Design(12.0, 44100.0, 176400);
  Dsp::ChebyIILowPass<6, 2> filter;
  filter.Setup(6, 1.0, 0.125, 12.0);

  const std::vector<double> in = TestSignal(64);
  std::vector<double> out(4 * in.size());
  resampler.Upsample(in.data(), 64, 4, out.data());

  std::vector<double> held;
  for (int frame = 0; frame < 64; ++frame)
    for (int r = 0; r < 4; ++r)
      held.insert(held.end(), {in[2 * frame], in[2 * frame + 1]});
  filter.Process(256, held.data());
  EXPECT_EQ(out, held);
}

TEST(Resampler, DownsamplingFiltersThenKeepsEveryFourthFrame)
{
  Resampler resampler;
  resampler.Design(9.0, 48000.0, 192000);
  Dsp::ChebyIILowPass<6, 2> filter;
  filter.Setup(6, 1.0, 0.125, 9.0);

  std::vector<double> oversampled = TestSignal(256);
  std::vector<double> filtered = oversampled;
  filter.Process(256, filtered.data());
  std::vector<double> out(2 * 64);
  resampler.Downsample(oversampled.data(), 64, 4, out.data());
  for (int k = 0; k < 64; ++k)
  {
    EXPECT_EQ(out[2 * k], filtered[8 * k]) << k;
    EXPECT_EQ(out[2 * k + 1], filtered[8 * k + 1]) << k;
  }
}

TEST(Resampler, FactorOneCopiesWithoutFiltering)
{
  Resampler resampler;
  resampler.Design(9.0, 44100.0, 44100);
  const std::vector<double> in = TestSignal(32);
  std::vector<double> up(in.size()), down(in.size());
  resampler.Upsample(in.data(), 32, 1, up.data());
  EXPECT_EQ(up, in);
  resampler.Downsample(up.data(), 32, 1, down.data());
  EXPECT_EQ(down, in);
}

}  // namespace
