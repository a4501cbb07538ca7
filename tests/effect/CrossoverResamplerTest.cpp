// The crossover's redesign schedule and the two resampling steps, against filters designed
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

// The filter an edge section should have, designed at a smoother's next value.
template <typename Filter>
Filter DesignedAtNext(ParamSmoother& s, int rate)
{
  Filter f;
  f.Setup(2, 1.0, std::min(s.Advance() / rate, 0.49));
  return f;
}

using LowPass = Dsp::ButterLowPass<2, 2>;
using HighPass = Dsp::ButterHighPass<2, 2>;

// During a glide each edge's four sections are designed at four successive values; once
// settled they stay; cutoffs past 0.49 of the rate are clamped.
TEST(Crossover, SectionsFollowTheGlideOfTheirEdge)
{
  for (const int rate : {44100, 32000})
  {
    const double coeff = std::exp(-1.0 / (86 * 0.005));
    ParamSmoother lowEdge{0.0, coeff, 250.0}, highEdge{0.0, coeff, 18000.0};
    ParamSmoother low = lowEdge, high = highEdge;
    auto lowLP1 = DesignedAtNext<LowPass>(low, rate), lowLP2 = DesignedAtNext<LowPass>(low, rate);
    auto midHP1 = DesignedAtNext<HighPass>(low, rate), midHP2 = DesignedAtNext<HighPass>(low, rate);
    auto highHP1 = DesignedAtNext<HighPass>(high, rate), highHP2 = DesignedAtNext<HighPass>(high, rate);
    auto midLP1 = DesignedAtNext<LowPass>(high, rate), midLP2 = DesignedAtNext<LowPass>(high, rate);

    Crossover crossover;
    crossover.Update(lowEdge, highEdge, rate);
    EXPECT_EQ(lowEdge.current, low.current);
    EXPECT_EQ(highEdge.current, high.current);

    std::vector<double> a[3] = {TestSignal(256), TestSignal(256), TestSignal(256)};
    std::vector<double> e[3] = {a[0], a[1], a[2]};
    for (int block = 0; block < 2; ++block)
    {
      crossover.Split(a[0].data(), a[1].data(), a[2].data(), 256);
      lowLP1.Process(256, e[0].data());
      lowLP2.Process(256, e[0].data());
      midHP1.Process(256, e[1].data());
      midHP2.Process(256, e[1].data());
      midLP1.Process(256, e[1].data());
      midLP2.Process(256, e[1].data());
      highHP1.Process(256, e[2].data());
      highHP2.Process(256, e[2].data());
      for (int band = 0; band < 3; ++band)
        EXPECT_EQ(a[band], e[band]) << "rate " << rate << " block " << block << " band " << band;
      lowEdge.current = lowEdge.target;  // settled: the next Update must change nothing
      highEdge.current = highEdge.target;
      crossover.Update(lowEdge, highEdge, rate);
    }
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
