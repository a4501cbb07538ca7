// The crossover at rest and while it moves, and the two resampling steps, against filters designed
// and run independently.

#include "effect/Crossover.h"
#include "effect/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

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

using LowPass = Dsp::ButterLowPass<2, 2>;
using HighPass = Dsp::ButterHighPass<2, 2>;

// The eight filters of one split, designed and run one after another.
struct PlainSplit
{
  PlainSplit(double lowHz, double highHz, int rate)
  {
    const double low = std::min(lowHz / rate, 0.49), high = std::min(highHz / rate, 0.49);
    for (LowPass* f : {&lowLP1, &lowLP2})
      f->Setup(2, 1.0, low);
    for (HighPass* f : {&midHP1, &midHP2})
      f->Setup(2, 1.0, low);
    for (LowPass* f : {&midLP1, &midLP2})
      f->Setup(2, 1.0, high);
    for (HighPass* f : {&highHP1, &highHP2})
      f->Setup(2, 1.0, high);
  }

  void Run(std::vector<double>* bands, int frames)
  {
    for (LowPass* f : {&lowLP1, &lowLP2})
      f->Process(frames, bands[0].data());
    for (HighPass* f : {&midHP1, &midHP2})
      f->Process(frames, bands[1].data());
    for (LowPass* f : {&midLP1, &midLP2})
      f->Process(frames, bands[1].data());
    for (HighPass* f : {&highHP1, &highHP2})
      f->Process(frames, bands[2].data());
  }

  LowPass lowLP1, lowLP2, midLP1, midLP2;
  HighPass midHP1, midHP2, highHP1, highHP2;
};

// At rest the crossover is its eight filters and nothing else (cutoffs past 0.49 of the rate
// clamped). A move of both edges fades along a smooth step from the old filters to new ones
// started from silence at the move, which then run alone; the knobs' values are in force
// from the move on.
TEST(Crossover, RestsOnItsFiltersAndMovesByCrossfadingToFreshOnes)
{
  constexpr int kBlock = 256;
  for (const int rate : {44100, 32000})
  {
    const int fadeFrames = static_cast<int>(rate * Crossover::kFadeSeconds);
    Crossover crossover;
    crossover.Design(250.0, 18000.0, rate);
    ParamSmoother lowEdge{250.0, 0.5, 250.0}, highEdge{18000.0, 0.5, 18000.0};
    PlainSplit before(250.0, 18000.0, rate), after(4000.0, 300.0, rate);
    const std::vector<double> signal = TestSignal(kBlock);
    for (int block = 0; block < 12; ++block)
    {
      if (block == 2)
      {
        lowEdge.target = 4000.0;
        highEdge.target = 300.0;
      }
      std::vector<double> a[3] = {signal, signal, signal};
      std::vector<double> old[3] = {signal, signal, signal};
      std::vector<double> fresh[3] = {signal, signal, signal};
      crossover.Split(a[0].data(), a[1].data(), a[2].data(), kBlock, lowEdge, highEdge);
      before.Run(old, kBlock);
      if (block >= 2)
        after.Run(fresh, kBlock);
      for (int band = 0; band < 3; ++band)
      {
        if (block < 2)
        {
          EXPECT_EQ(a[band], old[band]) << "rate " << rate << " block " << block << " band " << band;
          continue;
        }
        for (int i = 0; i < 2 * kBlock; ++i)
        {
          const double t = std::min(1.0, ((block - 2) * kBlock + i / 2 + 1.0) / fadeFrames);
          const double g = t * t * (3.0 - 2.0 * t);
          ASSERT_NEAR(a[band][i], old[band][i] * (1.0 - g) + fresh[band][i] * g, 1e-12)
            << "rate " << rate << " block " << block << " band " << band << " sample " << i;
        }
      }
    }
    EXPECT_EQ(lowEdge.current, 4000.0);
    EXPECT_EQ(highEdge.current, 300.0);
    EXPECT_FALSE(crossover.Moving());
  }
}

TEST(Resampler, UpsamplingHoldsEachFrameAndFilters)
{
  Resampler resampler;
  resampler.Design(12.0, 44100.0, 176400);
  Dsp::ChebyIILowPass<6, 2> filter;
  filter.Setup(6, 1.0, 0.125, 12.0);

  const std::vector<double> in = TestSignal(64);
  std::vector<double> out(4 * in.size()), held;
  resampler.Upsample(in.data(), 64, 4, out.data());
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
  std::vector<double> filtered = oversampled, out(2 * 64);
  filter.Process(256, filtered.data());
  resampler.Downsample(oversampled.data(), 64, 4, out.data());
  for (int k = 0; k < 64; ++k)
  {
    EXPECT_EQ(out[2 * k], filtered[8 * k]) << k;
    EXPECT_EQ(out[2 * k + 1], filtered[8 * k + 1]) << k;
  }
}

}  // namespace
