// Properties of the filters that hold for any design, checked without reference data.

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

int allocationCount = 0;

}  // namespace

void* operator new(std::size_t size)
{
  ++allocationCount;
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}

namespace {

// |H| of the designed cascade at a frequency given as a fraction of the sample rate.
template <typename Filter>
double Magnitude(const Filter& filter, double frequency)
{
  const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * frequency);
  const std::complex<double> z2 = z1 * z1;
  std::complex<double> h(1.0);
  for (int i = 0; i < filter.StageCount(); ++i)
  {
    const Dsp::BiquadStage& s = filter.Stage(i);
    h *= (s.b0 + s.b1 * z1 + s.b2 * z2) / (1.0 - s.a1 * z1 - s.a2 * z2);
  }
  return std::abs(h);
}

std::vector<double> StereoImpulse(int frames)
{
  std::vector<double> buf(2 * frames, 0.0);
  buf[0] = 1.0;
  buf[1] = -0.5;
  return buf;
}

TEST(FilterResponse, ButterworthIsThreeDecibelsDownAtTheCutoff)
{
  for (const double cutoff : {0.001, 0.0056689342403628117, 0.1, 0.4})
  {
    Dsp::ButterLowPass<2, 2> lowPass;
    Dsp::ButterHighPass<2, 2> highPass;
    ASSERT_TRUE(lowPass.Setup(2, 1.0, cutoff));
    ASSERT_TRUE(highPass.Setup(2, 1.0, cutoff));
    EXPECT_NEAR(Magnitude(lowPass, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(highPass, 0.5), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(lowPass, cutoff), std::sqrt(0.5), 1e-9) << cutoff;
    EXPECT_NEAR(Magnitude(highPass, cutoff), std::sqrt(0.5), 1e-9) << cutoff;
  }
}

TEST(FilterResponse, ButterworthSupportsEveryOrderUpToTheMaximum)
{
  for (int order = 1; order <= 5; ++order)
  {
    Dsp::ButterLowPass<5, 1> filter;
    ASSERT_TRUE(filter.Setup(order, 48000.0, 1000.0));
    EXPECT_EQ(filter.StageCount(), (order + 1) / 2);
    EXPECT_NEAR(Magnitude(filter, 0.0), 1.0, 1e-12) << order;
    EXPECT_NEAR(Magnitude(filter, 1000.0 / 48000.0), std::sqrt(0.5), 1e-9) << order;
  }
}

TEST(FilterResponse, ChebyshevStopBandStartsAtTheCutoff)
{
  const struct
  {
    double cutoff, stopBandDb;
  } designs[] = {{0.125, 9.0}, {0.125, 12.0}, {0.25, 40.0}};
  for (const auto& d : designs)
  {
    Dsp::ChebyIILowPass<6, 2> filter;
    ASSERT_TRUE(filter.Setup(6, 1.0, d.cutoff, d.stopBandDb));
    const double floor = std::pow(10.0, -d.stopBandDb / 20.0);
    EXPECT_NEAR(Magnitude(filter, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(filter, d.cutoff), floor, 1e-9);
    for (double f = d.cutoff; f <= 0.5; f += 0.005)
      EXPECT_LE(Magnitude(filter, f), floor * (1.0 + 1e-9)) << "at " << f;
  }
}

TEST(FilterSetup, UnsupportedOrderKeepsThePreviousDesign)
{
  Dsp::ChebyIILowPass<6, 2> filter;
  ASSERT_TRUE(filter.Setup(6, 1.0, 0.125, 9.0));
  const Dsp::BiquadStage before = filter.Stage(0);
  EXPECT_FALSE(filter.Setup(7, 1.0, 0.2, 12.0));
  EXPECT_FALSE(filter.Setup(0, 1.0, 0.2, 12.0));
  EXPECT_EQ(filter.StageCount(), 3);
  EXPECT_EQ(filter.Stage(0).b0, before.b0);
  EXPECT_EQ(filter.Stage(0).a1, before.a1);
}

TEST(FilterSetup, DesigningAndProcessingDoNotAllocate)
{
  Dsp::ChebyIILowPass<6, 2> cheby;
  Dsp::ButterHighPass<2, 2> highPass;
  std::vector<double> buf = StereoImpulse(64);
  const int before = allocationCount;
  cheby.Setup(6, 1.0, 0.125, 12.0);
  highPass.Setup(2, 1.0, 0.01);
  cheby.Process(64, buf.data());
  highPass.Process(64, buf.data());
  EXPECT_EQ(allocationCount, before);
}

TEST(FilterProcessing, UndesignedFilterPassesInputUnchanged)
{
  Dsp::ChebyIILowPass<6, 2> filter;
  std::vector<double> buf = StereoImpulse(16);
  const std::vector<double> input = buf;
  filter.Process(16, buf.data());
  EXPECT_EQ(buf, input);
}

TEST(FilterProcessing, ChannelsDoNotLeakIntoEachOther)
{
  Dsp::ButterLowPass<2, 2> filter;
  ASSERT_TRUE(filter.Setup(2, 1.0, 0.05));
  std::vector<double> buf(2 * 32, 0.0);
  buf[0] = 1.0;
  filter.Process(32, buf.data());
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(buf[2 * i + 1], 0.0) << "frame " << i;
}

TEST(FilterProcessing, SplittingABlockDoesNotChangeTheResult)
{
  Dsp::ChebyIILowPass<6, 2> whole;
  Dsp::ChebyIILowPass<6, 2> pieces;
  whole.Setup(6, 1.0, 0.125, 9.0);
  pieces.Setup(6, 1.0, 0.125, 9.0);
  std::vector<double> a = StereoImpulse(100);
  std::vector<double> b = a;
  whole.Process(100, a.data());
  pieces.Process(37, b.data());
  pieces.Process(63, b.data() + 2 * 37);
  EXPECT_EQ(a, b);
}

TEST(FilterProcessing, ClearForgetsThePast)
{
  Dsp::ButterHighPass<2, 2> used;
  Dsp::ButterHighPass<2, 2> fresh;
  used.Setup(2, 1.0, 0.02);
  fresh.Setup(2, 1.0, 0.02);
  std::vector<double> noise = StereoImpulse(50);
  used.Process(50, noise.data());
  used.Clear();
  std::vector<double> a = StereoImpulse(50);
  std::vector<double> b = a;
  used.Process(50, a.data());
  fresh.Process(50, b.data());
  EXPECT_EQ(a, b);
}

}  // namespace
