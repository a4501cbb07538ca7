// The effect's block routine, parameter handling and reset, driven through the plug-in.

#include "effect/DbToGain.h"
#include "tests/effect/EffectRunner.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

double Coefficient(int rate, int blockSize)
{
  return std::exp(-1.0 / ((rate / blockSize) * 0.005));
}

double Rms(const std::vector<double>& v, size_t from)
{
  double sum = 0.0;
  for (size_t i = from; i < v.size(); ++i)
    sum += v[i] * v[i];
  return std::sqrt(sum / (v.size() - from));
}

bool AllZero(const StereoSignal& s)
{
  for (int i = 0; i < s.Frames(); ++i)
    if (s.left[i] != 0.0 || s.right[i] != 0.0)
      return false;
  return true;
}

TEST(SignalPathSmoothing, CoefficientFollowsBlocksPerSecond)
{
  EffectRunner runner;
  runner.Run(StereoSignal(512));
  const double c = std::exp(-1.0 / 0.43);  // 512 frames at 44 100 Hz: 86 blocks a second
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).coeff, c);
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, (1.0 - c) * 100.0);
  // The crossover frequencies advance four times a block.
  double freq = 0.0;
  for (int i = 0; i < 4; ++i)
    freq = (1.0 - c) * 250.0 + c * freq;
  EXPECT_EQ(runner.Path().Smoother(kFreqLow).current, freq);
  // A parameter at 0 does not move at all.
  EXPECT_EQ(runner.Path().Smoother(kLowSatGain).current, 0.0);
}

TEST(SignalPathSmoothing, OversamplingCountsBlocksAtTheOversampledRate)
{
  EffectRunner runner;
  runner.Set(kOversample, 1.0);
  runner.Run(StereoSignal(512));
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).coeff, Coefficient(176400, 512));
}

TEST(SignalPathSmoothing, EveryRestartGlidesAgainFromZero)
{
  const StereoSignal block(256);
  const auto settle = [&](EffectRunner& r) {
    for (int i = 0; i < 200; ++i)
      r.Run(block, 256);
    ASSERT_NEAR(r.Path().Smoother(kMidSatMix).current, 100.0, 1e-6);
  };
  const auto firstStep = [](int rate, int blockSize) { return (1.0 - Coefficient(rate, blockSize)) * 100.0; };

  EffectRunner afterReset;
  settle(afterReset);
  afterReset.effect.ResetProcessing();
  afterReset.Run(block, 256);
  EXPECT_EQ(afterReset.Path().Smoother(kMidSatMix).current, firstStep(44100, 256));

  EffectRunner afterSwitch;
  settle(afterSwitch);
  afterSwitch.Set(kOversample, 1.0);
  afterSwitch.Run(block, 256);
  EXPECT_EQ(afterSwitch.Path().Smoother(kMidSatMix).current, firstStep(176400, 256));

  EffectRunner afterResize;
  settle(afterResize);
  afterResize.Run(StereoSignal(100), 100);
  EXPECT_EQ(afterResize.Path().Smoother(kMidSatMix).current, firstStep(44100, 100));
}

TEST(SignalPathFrame, OversampledRateIsTruncated)
{
  EXPECT_EQ(EffectRunner(44100.7).Path().OversampledRate(), 44100);
  EffectRunner odd(44100.7);
  odd.Set(kOversample, 1.0);
  EXPECT_EQ(odd.Path().Oversampling(), 4);
  EXPECT_EQ(odd.Path().OversampledRate(), 176402);
  EffectRunner fortyEight(48000.0);
  fortyEight.Set(kOversample, 1.0);
  EXPECT_EQ(fortyEight.Path().OversampledRate(), 192000);
  fortyEight.Set(kOversample, 0.0);
  EXPECT_EQ(fortyEight.Path().OversampledRate(), 48000);
}

TEST(SignalPathFrame, NonPositiveFrameCountsTouchNothing)
{
  EffectRunner runner;
  StereoSignal in = Tone(8, 1000.0, 44100.0);
  StereoSignal out(8);
  out.left.assign(8, 7.0);
  double* inputs[] = {in.left.data(), in.right.data()};
  double* outputs[] = {out.left.data(), out.right.data()};
  runner.effect.ProcessBlock(inputs, outputs, 0);
  runner.effect.ProcessBlock(inputs, outputs, -3);
  EXPECT_EQ(out.left, std::vector<double>(8, 7.0));
  EXPECT_EQ(out.right, std::vector<double>(8, 0.0));
  EXPECT_EQ(runner.Path().Smoother(kMidSatMix).current, 0.0);
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
    const StereoSignal expected = separate.Run(in);

    StereoSignal buffer = in;
    for (int first = 0; first < buffer.Frames(); first += 512)
    {
      double* channels[] = {buffer.left.data() + first, buffer.right.data() + first};
      shared.effect.ProcessBlock(channels, channels, 512);
    }
    EXPECT_TRUE(SameSignal(buffer, expected)) << "oversample " << oversample;
  }
}

TEST(SignalPathFrame, SingleBandWithAllStagesBypassedIsPointNineNineTimesTheInput)
{
  EffectRunner runner;
  runner.Set(kMultiband, 0.0);
  const StereoSignal in = Tone(1024, 1000.0, 44100.0);
  const StereoSignal out = runner.Run(in);
  for (int i = 0; i < in.Frames(); ++i)
  {
    ASSERT_DOUBLE_EQ(out.left[i], 0.99 * in.left[i]) << i;
    ASSERT_DOUBLE_EQ(out.right[i], 0.99 * in.right[i]) << i;
  }
}

TEST(SignalPathBands, AllBandsMutedIsExactSilence)
{
  EffectRunner runner;
  runner.Set(kLowMute, 1.0);
  runner.Set(kMidMute, 1.0);
  runner.Set(kHighMute, 1.0);
  EXPECT_TRUE(AllZero(runner.Run(Tone(2048, 300.0, 44100.0, 0.9))));
}

TEST(SignalPathBands, SingleBandModeFollowsOnlyTheMidBand)
{
  const StereoSignal in = Tone(2048, 300.0, 44100.0);
  EffectRunner plain, lowHighMuted, midMuted;
  for (EffectRunner* r : {&plain, &lowHighMuted, &midMuted})
  {
    r->Set(kMultiband, 0.0);
    r->Set(kMidSatBypass, 0.0);
    r->Set(kMidSatGain, 12.0);
  }
  lowHighMuted.Set(kLowMute, 1.0);
  lowHighMuted.Set(kHighMute, 1.0);
  midMuted.Set(kMidMute, 1.0);

  const StereoSignal expected = plain.Run(in);
  const StereoSignal withoutLowHigh = lowHighMuted.Run(in);
  EXPECT_TRUE(SameSignal(withoutLowHigh, expected));
  EXPECT_TRUE(AllZero(midMuted.Run(in)));
}

TEST(SignalPathBands, CrossedFrequenciesLeaveTheMidBandAlmostEmpty)
{
  EffectRunner runner;
  runner.Set(kFreqLow, 5000.0);
  runner.Set(kFreqHigh, 200.0);
  runner.Set(kLowMute, 1.0);
  runner.Set(kHighMute, 1.0);
  const StereoSignal in = Tone(44100, 1000.0, 44100.0);
  const StereoSignal out = runner.Run(in);
  EXPECT_LT(Rms(out.left, 22050), 0.01 * Rms(in.left, 22050));
}

TEST(SignalPathBands, SettledBandsRecombineNearTheInputLevel)
{
  EffectRunner runner;
  const StereoSignal in = Tone(44100, 1000.0, 44100.0);
  const StereoSignal out = runner.Run(in);
  const double ratio = Rms(out.left, 22050) / Rms(in.left, 22050);
  EXPECT_GT(ratio, 0.5);
  EXPECT_LT(ratio, 1.2);
}

TEST(SignalPathBands, LevelsAreAppliedInDecibels)
{
  EffectRunner quiet, plain;
  for (EffectRunner* r : {&quiet, &plain})
    r->Set(kMultiband, 0.0);
  quiet.Set(kMidLevel, -12.0);
  const StereoSignal in = Tone(88064, 200.0, 44100.0);  // whole blocks: a shorter last block would restart the glide
  const double ratio = Rms(quiet.Run(in).left, 44032) / Rms(plain.Run(in).left, 44032);
  EXPECT_NEAR(ratio, DbToGain(-12.0), 1e-6);
  EXPECT_NEAR(DbToGain(-12.0), std::pow(10.0, -12.0 / 20.0), 1e-12);
}

// With all stages bypassed and one band, the oversampled path is up-sampling, 0.99 and
// down-sampling; rebuilt here from the same pieces it must match exactly. The mid band's mixes
// are set to 0 so that their smoothers never move and the chain keeps its initial full mixes
// (a gliding mix would make wet * m + dry * (1 - m) differ from the input in the last bit).
class OversampledModel
{
public:
  OversampledModel(double stopBandDb) : scratch()
  {
    resampler.Design(stopBandDb, 44100.0, 176400);
    scratch.Reserve(2 * 4 * 512);
  }

  StereoSignal Run(const StereoSignal& in)
  {
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

private:
  Resampler resampler;
  BandChain chain;
  BandChain::Scratch scratch;
};

void SetUpSingleBandPassThrough(EffectRunner& runner)
{
  runner.Set(kMultiband, 0.0);
  for (const int mix : {kMidSatMix, kMidBitRedMix, kMidExcMix})
    runner.Set(mix, 0.0);
}

TEST(SignalPathOversampling, ResetDesignsTheResamplingFiltersWithNineDecibels)
{
  EffectRunner runner;
  SetUpSingleBandPassThrough(runner);
  runner.effect.ParamAt(kOversample)->Assign(1.0);
  runner.effect.ResetProcessing();
  const StereoSignal in = Tone(2048, 5000.0, 44100.0);
  const StereoSignal out = runner.Run(in);
  const StereoSignal expected = OversampledModel(9.0).Run(in);
  EXPECT_TRUE(SameSignal(out, expected));
}

TEST(SignalPathOversampling, SwitchingDesignsTheResamplingFiltersWithTwelveDecibels)
{
  EffectRunner runner;
  SetUpSingleBandPassThrough(runner);
  runner.Set(kOversample, 1.0);
  const StereoSignal in = Tone(2048, 5000.0, 44100.0);
  const StereoSignal out = runner.Run(in);
  const StereoSignal expected = OversampledModel(12.0).Run(in);
  EXPECT_TRUE(SameSignal(out, expected));
}

TEST(SignalPathOversampling, MutedBandsLeaveOnlyTheFilterTail)
{
  EffectRunner runner;
  runner.Set(kOversample, 1.0);
  runner.Run(Tone(2048, 3000.0, 44100.0, 0.9));
  runner.Set(kLowMute, 1.0);
  runner.Set(kMidMute, 1.0);
  runner.Set(kHighMute, 1.0);
  const StereoSignal tail = runner.Run(Tone(4096, 3000.0, 44100.0, 0.9));
  EXPECT_NE(tail.left[0], 0.0);
  EXPECT_LT(std::fabs(tail.left[4095]), 1e-6);
}

TEST(SignalPathRobustness, NonFiniteInputIsReadAsSilence)
{
  EffectRunner poisoned, clean;
  for (EffectRunner* r : {&poisoned, &clean})
  {
    r->Set(kOversample, 1.0);
    r->Set(kLowSatBypass, 0.0);
  }
  StereoSignal in = Tone(2048, 700.0, 44100.0);
  StereoSignal bad = in;
  in.left[100] = 0.0;
  in.right[101] = 0.0;
  in.left[700] = 0.0;
  bad.left[100] = std::numeric_limits<double>::quiet_NaN();
  bad.right[101] = std::numeric_limits<double>::infinity();
  bad.left[700] = -std::numeric_limits<double>::infinity();
  const StereoSignal out = poisoned.Run(bad);
  const StereoSignal expected = clean.Run(in);
  EXPECT_TRUE(SameSignal(out, expected));
}

TEST(SignalPathRobustness, HighCrossoverAboveNyquistStaysStable)
{
  EffectRunner runner(32000.0);
  runner.Set(kFreqHigh, 18000.0);
  const StereoSignal out = runner.Run(Tone(64000, 1000.0, 32000.0));
  for (int i = 0; i < out.Frames(); ++i)
    ASSERT_LT(std::fabs(out.left[i]), 2.0) << i;
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
  const StereoSignal a = prepared.Run(in, 2048);
  const StereoSignal b = undersized.Run(in, 2048);
  EXPECT_TRUE(SameSignal(a, b));
}

}  // namespace
