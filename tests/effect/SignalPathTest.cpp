// The effect's block routine driven through the plug-in: smoothing, bands, oversampling and
// the handling of unusual input.

#include "effect/DbToGain.h"
#include "tests/effect/EffectRunner.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

// One block's step of a glide from `from` towards `to`.
double GlideStep(double from, double to, int rate, int blockSize)
{
  const double c = std::exp(-1.0 / ((rate / blockSize) * 0.005));
  return (1.0 - c) * to + c * from;
}

double Rms(const std::vector<double>& v, size_t from)
{
  double sum = 0.0;
  for (size_t i = from; i < v.size(); ++i)
    sum += v[i] * v[i];
  return std::sqrt(sum / (v.size() - from));
}

// A reset starts every smoother at its value; a change then glides from where the value was,
// also across changes of block size and oversampling, which only change the pace.
TEST(SignalPathSmoothing, GlidesStartFromTheValueInUseAndSurviveBlockSizeAndRateChanges)
{
  EffectRunner runner(44100.0, 256);
  EXPECT_EQ(runner.Path().Smoother(kFreqLow).current, 250.0);
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, 100.0);
  runner.Set(kMidSatMix, 0.0);
  runner.Run(StereoSignal(256), 256);
  double expected = GlideStep(100.0, 0.0, 44100, 256);
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, expected);

  runner.Run(StereoSignal(100), 100);
  expected = GlideStep(expected, 0.0, 44100, 100);
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, expected);

  runner.Set(kOversample, 1.0);
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, expected);
  runner.Run(StereoSignal(100), 100);
  expected = GlideStep(expected, 0.0, 176400, 100);
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, expected);
  EXPECT_EQ(runner.Path().Smoother(kFreqLow).current, 250.0) << "a settled value does not move";
}

// The reset writes every derived value from its parameter: no glide cut short, no value the
// chain was constructed with, survives it, and nothing waits for the next block.
TEST(SignalPathSmoothing, ResetPutsEveryValueInForceAtOnce)
{
  EffectRunner interrupted;
  interrupted.Set(kMidDcOffset, 50.0);
  interrupted.Set(kMidBitRes, 6.0);
  interrupted.Run(StereoSignal(32), 32);
  interrupted.Set(kMidDcOffset, 0.0);
  interrupted.Run(StereoSignal(32), 32);
  ASSERT_GT(interrupted.Path().Chain(SignalPath::kMidBand).dcOffset, 0.0);
  ASSERT_NE(interrupted.Path().Chain(SignalPath::kMidBand).bits, 6);
  interrupted.effect.ParamAt(kLowSatGain)->Assign(12.0);
  interrupted.effect.ParamAt(kHighExcMix)->Assign(0.0);
  interrupted.effect.ResetProcessing();
  const BandChain& mid = interrupted.Path().Chain(SignalPath::kMidBand);
  EXPECT_EQ(mid.dcOffset, 0.0);
  EXPECT_EQ(mid.bits, 6);
  EXPECT_EQ(interrupted.Path().Chain(SignalPath::kLowBand).gain, DbToGain(12.0));
  EXPECT_EQ(interrupted.Path().Chain(SignalPath::kHighBand).excMix, 0.0);
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_TRUE(interrupted.Path().Smoother(i).Settled()) << i;
}

TEST(SignalPathFrame, OversampledRateIsTruncated)
{
  EffectRunner odd(44100.7);
  odd.Set(kOversampleQuality, kQualityClassic);
  EXPECT_EQ(odd.Path().OversampledRate(), 44100);
  odd.Set(kOversample, 1.0);
  EXPECT_EQ(odd.Path().Oversampling(), 4);
  EXPECT_EQ(odd.Path().OversampledRate(), 176402);
  EffectRunner fortyEight(48000.0);
  fortyEight.Set(kOversampleQuality, kQualityClassic);
  fortyEight.Set(kOversample, 1.0);
  EXPECT_EQ(fortyEight.Path().OversampledRate(), 192000);
}

// "Clean" runs at 700 kHz or more where 16 times allows it; "Classic" always at four times.
TEST(SignalPathFrame, CleanFactorFollowsTheRate)
{
  const std::pair<double, int> factors[] = {{22050.0, 16}, {44100.0, 16}, {48000.0, 16}, {64000.0, 16}, {88200.0, 8},
                                            {96000.0, 8},  {176400.0, 4}, {192000.0, 4}, {384000.0, 2}, {768000.0, 2}};
  for (const auto& [rate, factor] : factors)
  {
    EffectRunner runner(rate);
    runner.Set(kOversample, 1.0);
    EXPECT_EQ(runner.Path().Oversampling(), factor) << rate;
    EXPECT_EQ(runner.Path().OversampledRate(), static_cast<int>(rate * factor)) << rate;
    runner.Set(kOversampleQuality, kQualityClassic);
    EXPECT_EQ(runner.Path().Oversampling(), 4) << rate;
    // Between the two entries the choice is the one the parameter's text names.
    for (const double between : {0.5, 0.6, 0.9})
    {
      runner.Set(kOversampleQuality, between);
      const IPlugParam* quality = runner.effect.ParamAt(kOversampleQuality);
      char text[IPlugParam::kDisplaySize];
      quality->FormatValue(quality->Value(), false, text, true);
      EXPECT_STREQ(text, "Classic") << between;
      EXPECT_EQ(runner.Path().Oversampling(), 4) << rate << " " << between;
    }
    runner.Set(kOversample, 0.0);
    runner.Set(kOversampleQuality, kQualityClean);
    EXPECT_EQ(runner.Path().Oversampling(), 1) << rate;
  }
}

TEST(SignalPathFrame, NonPositiveFrameCountsTouchNothing)
{
  EffectRunner runner;
  StereoSignal in = Tone(8, 1000.0, 44100.0);
  StereoSignal out(8);
  out.left.assign(8, 7.0);
  double* inputs[] = {in.left.data(), in.right.data()};
  double* outputs[] = {out.left.data(), out.right.data()};
  runner.Set(kMidSatMix, 0.0);
  runner.effect.ProcessBlock(inputs, outputs, 0);
  runner.effect.ProcessBlock(inputs, outputs, -3);
  EXPECT_EQ(out.left, std::vector<double>(8, 7.0));
  EXPECT_EQ(out.right, std::vector<double>(8, 0.0));
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, 100.0);
}

TEST(SignalPathFrame, SharedInputAndOutputMemoryGivesTheSameResult)
{
  for (const double oversample : {0.0, 1.0})
  {
    EffectRunner separate, shared;
    for (EffectRunner* r : {&separate, &shared})
    {
      r->Set(kOversample, oversample);
      r->Set(kMidSatBypass, 0.0);
      r->Set(kLowExcBypass, 0.0);
      r->Set(kLowEvenHarm, 40.0);
    }
    const StereoSignal in = Tone(2048, 440.0, 44100.0);
    StereoSignal buffer = in;
    for (int first = 0; first < buffer.Frames(); first += 512)
    {
      double* channels[] = {buffer.left.data() + first, buffer.right.data() + first};
      shared.effect.ProcessBlock(channels, channels, 512);
    }
    EXPECT_TRUE(SameSignal(buffer, separate.Run(in))) << "oversample " << oversample;
  }
}

TEST(SignalPathBands, MutesAndSingleBandMode)
{
  const StereoSignal in = Tone(2048, 300.0, 44100.0, 0.9);
  EffectRunner allMuted;
  for (const int mute : {kLowMute, kMidMute, kHighMute})
    allMuted.Set(mute, 1.0);
  EXPECT_TRUE(SameSignal(allMuted.Run(in), StereoSignal(2048))) << "all bands muted is exact silence";

  // Without multiband the mid band alone carries the signal: with every stage bypassed that
  // is 0.99 times the input; muting low and high changes nothing, muting mid silences.
  EffectRunner single, lowHighMuted, midMuted;
  for (EffectRunner* r : {&single, &lowHighMuted, &midMuted})
    r->Set(kMultiband, 0.0);
  lowHighMuted.Set(kLowMute, 1.0);
  lowHighMuted.Set(kHighMute, 1.0);
  midMuted.Set(kMidMute, 1.0);
  const StereoSignal out = single.Run(in);
  for (int i = 0; i < in.Frames(); ++i)
    ASSERT_DOUBLE_EQ(out.left[i], 0.99 * in.left[i]) << i;
  EXPECT_TRUE(SameSignal(lowHighMuted.Run(in), out));
  EXPECT_TRUE(SameSignal(midMuted.Run(in), StereoSignal(2048)));
}

TEST(SignalPathBands, CrossedFrequenciesLeaveTheMidBandAlmostEmpty)
{
  EffectRunner runner;
  runner.Set(kFreqLow, 5000.0);
  runner.Set(kFreqHigh, 200.0);
  runner.Set(kLowMute, 1.0);
  runner.Set(kHighMute, 1.0);
  const StereoSignal in = Tone(44032, 1000.0, 44100.0);
  EXPECT_LT(Rms(runner.Run(in).left, 22016), 0.01 * Rms(in.left, 22016));
}

TEST(SignalPathBands, LevelsAreAppliedInDecibels)
{
  EffectRunner quiet, plain;
  quiet.Set(kMultiband, 0.0);
  plain.Set(kMultiband, 0.0);
  quiet.Set(kMidLevel, -12.0);
  const StereoSignal in = Tone(44032, 200.0, 44100.0);
  const double ratio = Rms(quiet.Run(in).left, 22016) / Rms(plain.Run(in).left, 22016);
  EXPECT_NEAR(ratio, std::pow(10.0, -12.0 / 20.0), 1e-6);
}

// With all stages bypassed and one band, the oversampled path is up-sampling, 0.99 and
// down-sampling, rebuilt here from the same pieces.
StereoSignal OversampledModel(double stopBandDb, const StereoSignal& in)
{
  Resampler resampler;
  resampler.Design(stopBandDb, 44100.0, 176400);
  BandChain chain;
  BandChain::Scratch scratch;
  scratch.Reserve(2 * 4 * 512);
  StereoSignal out(in.Frames());
  std::vector<double> frames(2 * 512), oversampled(2 * 4 * 512);
  for (int first = 0; first < in.Frames(); first += 512)
  {
    for (int i = 0; i < 512; ++i)
    {
      frames[2 * i] = in.left[first + i];
      frames[2 * i + 1] = in.right[first + i];
    }
    resampler.Upsample(frames.data(), 512, 4, oversampled.data());
    chain.ProcessBand(oversampled.data(), 2 * 4 * 512, scratch);
    resampler.Downsample(oversampled.data(), 512, 4, frames.data());
    for (int i = 0; i < 512; ++i)
    {
      out.left[first + i] = frames[2 * i];
      out.right[first + i] = frames[2 * i + 1];
    }
  }
  return out;
}

TEST(SignalPathOversampling, ResamplingFiltersHaveTwelveDecibelsAfterResetAsAfterSwitching)
{
  const StereoSignal in = Tone(2048, 5000.0, 44100.0);
  EffectRunner reset, switched;
  for (EffectRunner* r : {&reset, &switched})
  {
    r->Set(kMultiband, 0.0);
    r->Set(kOversampleQuality, kQualityClassic);
  }
  reset.effect.ParamAt(kOversample)->Assign(1.0);
  reset.effect.ResetProcessing();
  switched.Set(kOversample, 1.0);
  EXPECT_TRUE(SameSignal(reset.Run(in), OversampledModel(12.0, in)));
  EXPECT_TRUE(SameSignal(switched.Run(in), OversampledModel(12.0, in)));
}

// A switch of quality while audio runs acts like a switch of oversampling: the resampler
// that takes over starts from silence, whatever it held when it last ran. Single band with
// every stage bypassed, the path holds nothing else: after the switch the output is that of
// an instance that runs the new choice from the start.
TEST(SignalPathOversampling, SwitchedResamplersStartFromSilence)
{
  struct Step
  {
    double oversample;
    double quality;
  };
  const Step kClassicOn{1.0, kQualityClassic}, kCleanOn{1.0, kQualityClean}, kOff{0.0, kQualityClean};
  const std::vector<Step> histories[] = {
    {kCleanOn, kClassicOn, kCleanOn},
    {kCleanOn, kOff, kCleanOn},
    {kClassicOn, kCleanOn, kClassicOn},
    {kClassicOn, kOff, kCleanOn},
  };
  const auto segment = [](int index) { return Tone(2048, 3000.0, 44100.0, 0.8, 2048 * index); };
  for (const std::vector<Step>& history : histories)
  {
    EffectRunner switched, fresh;
    for (EffectRunner* r : {&switched, &fresh})
      r->Set(kMultiband, 0.0);
    StereoSignal out;
    for (std::size_t i = 0; i < history.size(); ++i)
    {
      switched.Set(kOversampleQuality, history[i].quality);
      switched.Set(kOversample, history[i].oversample);
      out = switched.Run(segment(static_cast<int>(i)));
    }
    fresh.Set(kOversampleQuality, history.back().quality);
    fresh.Set(kOversample, history.back().oversample);
    const int last = static_cast<int>(history.size()) - 1;
    EXPECT_TRUE(SameSignal(out, fresh.Run(segment(last))))
      << "from quality " << history[0].quality << " over " << history[1].oversample << "/" << history[1].quality;
  }
}

// Garbage in a host buffer: values no signal has, which would otherwise overflow the
// exciter's polynomials and leave the filters' histories infinite for good.
TEST(SignalPathRobustness, NonFiniteAndAbsurdInputIsReadAsSilence)
{
  EffectRunner poisoned, clean;
  for (EffectRunner* r : {&poisoned, &clean})
  {
    r->Set(kOversample, 1.0);
    r->Set(kLowSatBypass, 0.0);
    r->Set(kMidExcBypass, 0.0);
    r->Set(kMidOddHarm, 50.0);
  }
  StereoSignal in = Tone(2048, 700.0, 44100.0);
  StereoSignal bad = in;
  for (const int i : {100, 700, 900, 1000})
    in.left[i] = in.right[i + 1] = 0.0;
  bad.left[100] = std::numeric_limits<double>::quiet_NaN();
  bad.right[101] = std::numeric_limits<double>::infinity();
  bad.left[700] = -std::numeric_limits<double>::infinity();
  bad.right[701] = 1e60;
  bad.left[900] = -1e200;
  bad.right[901] = 1e308;
  bad.left[1000] = 1.0000001e30;
  bad.right[1001] = -1.0000001e30;
  EXPECT_TRUE(SameSignal(poisoned.Run(bad), clean.Run(in)));
}

TEST(SignalPathRobustness, SilenceAfterLoudInputProducesNoSubnormals)
{
  EffectRunner runner;
  runner.Set(kOversample, 1.0);
  runner.Set(kLowSatBypass, 0.0);
  runner.Set(kHighExcBypass, 0.0);
  runner.Set(kHighOddHarm, 10.0);
  runner.Run(Tone(8192, 200.0, 44100.0, 1.0));
  const unsigned modeBefore = _mm_getcsr();
  const StereoSignal silence = runner.Run(StereoSignal(44100 * 10));
  EXPECT_EQ(_mm_getcsr(), modeBefore) << "the caller's floating-point mode must be restored";
  for (int i = 0; i < silence.Frames(); ++i)
  {
    ASSERT_NE(std::fpclassify(silence.left[i]), FP_SUBNORMAL) << i;
    ASSERT_NE(std::fpclassify(silence.right[i]), FP_SUBNORMAL) << i;
  }
}

TEST(SignalPathRobustness, BlocksLongerThanAnnouncedAreStillProcessed)
{
  EffectRunner prepared(44100.0, 2048), undersized(44100.0, 64);
  for (EffectRunner* r : {&prepared, &undersized})
  {
    r->Set(kOversample, 1.0);
    r->Set(kMidBitRedBypass, 0.0);
    r->Set(kMidBitRes, 6.0);
  }
  const StereoSignal in = Tone(8192, 440.0, 44100.0);
  EXPECT_TRUE(SameSignal(prepared.Run(in, 2048), undersized.Run(in, 2048)));
}

}  // namespace
