// Properties of the designs that hold for any cutoff, checked without reference data.

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

// |H| of the designed cascade at a frequency given as a fraction of the sample rate.
template <typename Filter>
double Magnitude(const Filter& filter, double frequency)
{
  const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * frequency);
  std::complex<double> h(1.0);
  for (int i = 0; i < filter.StageCount(); ++i)
  {
    const Dsp::BiquadStage& s = filter.Stage(i);
    h *= (s.b0 + s.b1 * z1 + s.b2 * z1 * z1) / (1.0 - s.a1 * z1 - s.a2 * z1 * z1);
  }
  return std::abs(h);
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
  // Odd orders put a real pole into a stage of its own.
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
  for (const auto& [cutoff, stopBandDb] : {std::pair(0.125, 9.0), {0.125, 12.0}, {0.25, 40.0}})
  {
    Dsp::ChebyIILowPass<6, 2> filter;
    ASSERT_TRUE(filter.Setup(6, 1.0, cutoff, stopBandDb));
    const double floor = std::pow(10.0, -stopBandDb / 20.0);
    EXPECT_NEAR(Magnitude(filter, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(filter, cutoff), floor, 1e-9);
    for (double f = cutoff; f <= 0.5; f += 0.005)
      EXPECT_LE(Magnitude(filter, f), floor * (1.0 + 1e-9)) << "at " << f;
  }
}

TEST(FilterResponse, UnsupportedOrderKeepsThePreviousDesign)
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

}  // namespace
