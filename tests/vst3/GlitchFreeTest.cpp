// What hosts do besides a steady stream, through the built bundle: blocks of changing length,
// resets before a render, oversampling switched mid-stream, filters paused and resumed, and
// random automation. None of it may be heard as a glitch.

#include <cmath>

#include "tests/vst3/PluginTestHost.h"
#include "tests/vst3/StreamRunner.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VstTest;

namespace {

constexpr double kRate = 44100.0;
constexpr int kTwoSeconds = 88200;

class GlitchFreeTest : public PluginTest
{
protected:
  StereoBuffer Render(const Settings& settings, const StereoBuffer& in, const std::vector<int>& lengths)
  {
    StreamRunner runner(module, kRate);
    EXPECT_TRUE(runner.Ready()) << runner.Error();
    runner.Preset(settings);
    EXPECT_TRUE(runner.Activate());
    return runner.Stream(in, lengths);
  }
};

// Normalised position of a "Freq. Low" value (50..5000 Hz on a curve of exponent 3.5).
double FreqLowPosition(double hertz)
{
  return std::pow((hertz - 50.0) / 4950.0, 1.0 / 3.5);
}

double Rms(const StereoBuffer& s, int from, int to)
{
  double sum = 0.0;
  for (int f = from; f < to; ++f)
    sum += s.left[f] * s.left[f];
  return std::sqrt(sum / (to - from));
}

}  // namespace

// Hosts split blocks at automation points and loop ends: with settled parameters the block
// lengths must not be audible, whichever stages run.
TEST_F(GlitchFreeTest, BlockLengthsDoNotChangeTheOutput)
{
  const Settings allBypassed = {};
  const Settings saturatorsAndBitReducers = {
    {kLowSatBypassId, 0.0},    {kMidSatBypassId, 0.0},     {kHighSatBypassId, 0.0}, {kLowBitRedBypassId, 0.0},
    {kMidBitRedBypassId, 0.0}, {kHighBitRedBypassId, 0.0}, {kLowSatGainId, 0.3},    {kLowBitResId, 0.5}};
  const StereoBuffer music = MusicLike(kTwoSeconds, kRate);
  for (const Settings& settings : {allBypassed, saturatorsAndBitReducers})
  {
    const StereoBuffer steady = Render(settings, music, {512});
    const StereoBuffer cycling = Render(settings, music, {512, 37, 1, 256});
    EXPECT_LE(MaxDifference(steady, cycling), 1e-9) << settings.size() << " settings";
  }
}

// A render starts at the parameters' values: the first frames already carry a 6-bit
// reduction, and a host that activates twice before rendering (an export) gets exactly what
// a single activation (a bounce) gives, whatever its block length.
TEST_F(GlitchFreeTest, RenderStartsAtTheParametersValues)
{
  const Settings sixBitsAlone = {{kMultibandId, 0.0}, {kMidBitRedBypassId, 0.0}, {kMidBitResId, 0.1}};
  const StereoBuffer sine = Sine(512, 441.0, kRate, 0.8);
  const StereoBuffer out = Render(sixBitsAlone, sine, {512});
  for (int f = 0; f < 64; ++f)
  {
    const double x = sine.left[f];
    ASSERT_NEAR(out.left[f], 0.33 * std::trunc(x * 32.0) / 32.0 + 0.66 * x, 1e-12) << f;
  }

  const Settings session = {{kMidBitRedBypassId, 0.0}, {kMidBitResId, 0.1},     {kLowSatBypassId, 0.0},
                            {kLowSatGainId, 0.2},      {kHighExcBypassId, 0.0}, {kHighOddHarmId, 0.3}};
  const StereoBuffer music = MusicLike(kTwoSeconds, kRate);
  const StereoBuffer bounce = Render(session, music, {512});
  StreamRunner exporter(module, kRate);
  exporter.Preset(session);
  ASSERT_TRUE(exporter.Activate());
  StereoBuffer nothing(1);
  exporter.Block(nothing, nothing, 0, 0);
  ASSERT_TRUE(exporter.Deactivate());
  ASSERT_TRUE(exporter.Activate());
  EXPECT_EQ(MaxDifference(bounce, exporter.Stream(music, {1024})), 0.0);
}

// Switching oversampling on restarts the resampling filters from silence, so the step at the
// switch is that of the filters starting up, never more; switching off returns to the plain
// path at once. And the crossover follows the new rate at once: a tone on the low edge keeps
// its level in the mid band.
TEST_F(GlitchFreeTest, OversamplingSwitchedMidStream)
{
  const StereoBuffer cosine = [] {
    StereoBuffer s(kTwoSeconds);
    for (int f = 0; f < s.Frames(); ++f)
      s.left[f] = s.right[f] = 0.5 * std::cos(2.0 * M_PI * 1000.0 * f / kRate);
    return s;
  }();
  const Settings singleBand = {{kMultibandId, 0.0}};
  StreamRunner cold(module, kRate);
  cold.Preset(singleBand);
  ASSERT_TRUE(cold.Activate());
  cold.Change(kOversampleId, 1.0);
  const double startUpPeak = Peak(cold.Stream(cosine, {512}), 0, 1024);

  // On, off, and on again over the histories the first period left.
  constexpr int kOn = 40, kOff = 100, kOnAgain = 130;
  const auto toggles = [](StreamRunner& runner) {
    return [&runner](int block, int) {
      if (block == kOn || block == kOff || block == kOnAgain)
        runner.Change(kOversampleId, block == kOff ? 0.0 : 1.0);
    };
  };
  // A hundredth as loud once oversampling is off: the filters' old histories would stand out.
  StereoBuffer sine = Sine(kTwoSeconds, 1000.0, kRate, 0.5);
  for (int f = 512 * kOff; f < sine.Frames(); ++f)
    sine.left[f] = sine.right[f] = sine.left[f] / 100.0;
  StreamRunner switched(module, kRate);
  switched.Preset(singleBand);
  ASSERT_TRUE(switched.Activate());
  const StereoBuffer out = switched.Stream(sine, {512}, toggles(switched));
  EXPECT_LE(Peak(out, 512 * kOn, 512 * (kOn + 2)), startUpPeak * 1.001);
  EXPECT_LE(Peak(out, 512 * kOnAgain, 512 * (kOnAgain + 2)), startUpPeak / 100.0 * 1.001);
  for (int f = 512 * kOff; f < 512 * (kOff + 2); ++f)
    ASSERT_NEAR(out.left[f], 0.99 * sine.left[f], 1e-12) << f;

  StreamRunner split(module, kRate);
  split.Preset({{kFreqLowId, FreqLowPosition(1000.0)}, {kLowMuteId, 1.0}, {kHighMuteId, 1.0}});
  ASSERT_TRUE(split.Activate());
  const StereoBuffer midBand = split.Stream(Sine(kTwoSeconds, 1000.0, kRate, 0.5), {512}, toggles(split));
  const double before = Rms(midBand, 512 * (kOn - 10), 512 * kOn);
  const double after = Rms(midBand, 512 * (kOn + 2), 512 * (kOn + 12));
  EXPECT_NEAR(20.0 * std::log10(after / before), 0.0, 1.0);
  EXPECT_NEAR(before, 0.5 * 0.99 * 0.5 / std::sqrt(2.0), 0.05) << "the mid band holds half the tone";
}

// Levels, mutes, single-band mode and oversampling moved at random stop and resume filters
// all the time; resumed filters must not ring out with stale histories. The bound is the
// input times the largest band level (+6 dB) and the filters' own overshoot.
TEST_F(GlitchFreeTest, PausedFiltersResumeWithoutBursts)
{
  for (unsigned seed = 1; seed <= 6; ++seed)
  {
    bool finite = false;
    EXPECT_LE(FilterPausePeak(module, seed, &finite), 4.0) << "seed " << seed;
    EXPECT_TRUE(finite) << "seed " << seed;
  }
}

// Random automation of every parameter with blocks of 1 to 1024 frames, as a validator's
// allocation test does it, never produces NaN or infinite output.
TEST_F(GlitchFreeTest, RandomAutomationStaysFinite)
{
  for (const unsigned seed : {7u, 12u, 1u, 2u, 3u, 4u})
  {
    bool finite = false;
    EXPECT_GE(StressPeak(module, seed, &finite), 0.0) << "seed " << seed;
    EXPECT_TRUE(finite) << "seed " << seed;
  }
}
