// The crossover frequencies moved the way automation, a double-click to the default, a typed
// value or a preset change move them, through the built bundle: the output stays within what
// the settings give at rest, is untouched while nothing moves, returns to what a fresh
// instance gives once the move is over, and a typed value is in force within 50 ms.

#include <cmath>
#include <vector>

#include "tests/vst3/CrossoverJumps.h"
#include "tests/vst3/PluginTestHost.h"
#include "tests/vst3/StreamRunner.h"

using namespace VstTest;

namespace {

constexpr double kRates[] = {22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
constexpr int kBlocks[] = {1, 16, 37, 512, 1000, 4096, 8192};

// With ±1 white noise: every stage bypassed stays under 2.5 (the bands sum to about the input);
// odd harmonics at 100 % in every band, whose seventh power turns any overshoot of a band into
// a blast, stay under 600 (at rest they reach some 260 to 350).
double BoundFor(Stages stages)
{
  return stages == Stages::kAllBypassed ? 2.5 : 600.0;
}

}  // namespace

using CrossoverMoveTest = PluginTest;

TEST_F(CrossoverMoveTest, JumpsBeforeEveryBlockStayWithinTheBoundsAtRest)
{
  unsigned seed = 1;
  for (const double rate : kRates)
    for (const int block : kBlocks)
      for (const bool oversample : {false, true})
        for (const Stages stages : {Stages::kAllBypassed, Stages::kOddHarmonicsFull})
          for (const Jumps jumps : {Jumps::kAnywhere, Jumps::kExtremes, Jumps::kSmall})
          {
            const JumpRun run{rate, block, oversample, stages, jumps};
            const double peak = JumpPeak(module, run, seed++);
            EXPECT_GE(peak, 0.0);
            EXPECT_LE(peak, BoundFor(stages)) << rate << " Hz, " << block << " frames, F " << (oversample ? 4 : 1)
                                              << ", " << Name(stages) << ", jumps " << Name(jumps);
          }
}

TEST_F(CrossoverMoveTest, FullScaleToneStaysUnderOnePointFiveWhenTheLowEdgeDropsAtOnce)
{
  for (const double rate : kRates)
    for (const int block : {16, 512, 4096})
      for (const bool oversample : {false, true})
      {
        const double peak = ToneDropPeak(module, rate, block, oversample);
        EXPECT_GE(peak, 0.0);
        EXPECT_LT(peak, 1.5) << rate << " Hz, " << block << " frames, F " << (oversample ? 4 : 1);
      }
}

// A host that sends the values the frequencies already have in every block (a flat automation
// lane, a control touched and let go) changes nothing: not a single bit.
TEST_F(CrossoverMoveTest, ValuesThatDoNotMoveLeaveTheOutputUntouched)
{
  const StereoBuffer music = MusicLike(44100, 48000.0);
  for (const bool oversample : {false, true})
  {
    Settings settings = SettingsFor(Stages::kOddHarmonicsFull, oversample);
    settings.insert(settings.end(), {{kFreqLowId, 0.4}, {kFreqHighId, 0.7}});
    StreamRunner untouched(module, 48000.0), touched(module, 48000.0);
    for (StreamRunner* runner : {&untouched, &touched})
    {
      ASSERT_TRUE(runner->Ready()) << runner->Error();
      runner->Preset(settings);
      ASSERT_TRUE(runner->Activate());
    }
    const StereoBuffer expected = untouched.Stream(music, {512, 37, 1000});
    const StereoBuffer out = touched.Stream(music, {512, 37, 1000}, [&](int, int) {
      touched.Change(kFreqLowId, 0.4);
      touched.Change(kFreqHighId, 0.7);
    });
    EXPECT_EQ(MaxDifference(out, expected), 0.0) << "F " << (oversample ? 4 : 1);
  }
}

// After a burst of jumps the output comes back, within half a second of the last one, to what a
// fresh instance at the final settings gives for the same input.
TEST_F(CrossoverMoveTest, OutputReturnsToAFreshInstancesAfterAMove)
{
  for (const double rate : {22050.0, 44100.0, 192000.0})
    for (const int block : {16, 512, 4096})
      for (const bool oversample : {false, true})
        for (const Stages stages : {Stages::kAllBypassed, Stages::kOddHarmonicsFull})
        {
          const int lastMove = static_cast<int>(rate / 4);
          const StereoBuffer noise = WhiteNoise(lastMove + static_cast<int>(rate * 0.75), 3);
          Settings settings = SettingsFor(stages, oversample);
          Settings final = settings;
          settings.insert(settings.end(), {{kFreqLowId, 1.0}, {kFreqHighId, 0.0}});
          final.insert(final.end(), {{kFreqLowId, 0.05}, {kFreqHighId, 0.8}});
          StreamRunner moved(module, rate, Steinberg::Vst::kSample64, block);
          StreamRunner fresh(module, rate, Steinberg::Vst::kSample64, block);
          moved.Preset(settings);
          fresh.Preset(final);
          ASSERT_TRUE(moved.Activate() && fresh.Activate());
          std::mt19937 random(7);
          std::uniform_real_distribution<double> unit(0.0, 1.0);
          int lastChange = 0;
          const StereoBuffer out = moved.Stream(noise, {block}, [&](int, int start) {
            if (start >= lastMove)
              return;
            lastChange = start;
            const bool last = start + block >= lastMove;
            moved.Change(kFreqLowId, last ? 0.05 : unit(random));
            moved.Change(kFreqHighId, last ? 0.8 : unit(random));
          });
          const StereoBuffer expected = fresh.Stream(noise, {block});
          const int settled = lastChange + static_cast<int>(rate / 2);
          double most = 0.0;
          for (int f = settled; f < noise.Frames(); ++f)
            most =
              std::max({most, std::fabs(out.left[f] - expected.left[f]), std::fabs(out.right[f] - expected.right[f])});
          EXPECT_LE(most, 1e-6) << rate << " Hz, " << block << " frames, F " << (oversample ? 4 : 1) << ", "
                                << Name(stages);
        }
}

// A 1 kHz tone in the mid band alone, "Freq. Low" first above it (the tone in the muted low
// band), then typed to 50 Hz while the crossover is still moving to the first value: 50 ms after
// the typed value arrives the tone is back at its full level.
TEST_F(CrossoverMoveTest, TypedValueIsInForceWithin50Milliseconds)
{
  constexpr double kRate = 44100.0;
  const int fiftyMs = static_cast<int>(kRate * 0.05);
  for (const int block : {1, 16, 512})
  {
    StreamRunner runner(module, kRate, Steinberg::Vst::kSample64, block);
    runner.Preset({{kLowMuteId, 1.0}, {kHighMuteId, 1.0}, {kFreqLowId, 0.0}});
    ASSERT_TRUE(runner.Activate());
    const StereoBuffer tone = Sine(static_cast<int>(kRate), 1000.0, kRate, 0.5);
    const int firstMove = ((fiftyMs * 4) / block) * block;
    const int typed = firstMove + block * ((64 + block - 1) / block);  // a block start within the first move
    const StereoBuffer out = runner.Stream(tone, {block}, [&](int, int start) {
      if (start == firstMove)
        runner.Change(kFreqLowId, 0.9);
      if (start == typed)
        runner.Change(kFreqLowId, 0.0);
    });
    const double full = Peak(out, firstMove - fiftyMs, firstMove);
    EXPECT_NEAR(full, 0.99 * 0.5, 0.03) << block;
    EXPECT_LT(Peak(out, firstMove + fiftyMs, typed), 0.05 * full) << block << ": the first value took the tone away";
    EXPECT_NEAR(Peak(out, typed + fiftyMs, typed + 2 * fiftyMs), full, 0.005) << block;
  }
}

// A musician who switched oversampling on during the session hears exactly what the export
// after reloading the project (oversampling on from the reset) renders.
TEST_F(CrossoverMoveTest, BounceAfterSwitchingOversamplingOnEqualsARenderAfterReset)
{
  const Settings session = {{kMidBitRedBypassId, 0.0}, {kMidBitResId, 0.3}, {kHighExcBypassId, 0.0},
                            {kHighOddHarmId, 0.3},     {kFreqLowId, 0.45},  {kFreqHighId, 0.6}};
  constexpr int kSilentBlocks = 4;
  StereoBuffer input(kSilentBlocks * 512);
  const StereoBuffer tone = Sine(88200, 3000.0, 44100.0, 0.7);
  input.left.insert(input.left.end(), tone.left.begin(), tone.left.end());
  input.right.insert(input.right.end(), tone.right.begin(), tone.right.end());

  StreamRunner switched(module), reloaded(module);
  Settings withOversampling = session;
  withOversampling.push_back({kOversampleId, 1.0});
  switched.Preset(session);
  reloaded.Preset(withOversampling);
  ASSERT_TRUE(switched.Activate() && reloaded.Activate());
  const StereoBuffer bounce = switched.Stream(input, {512}, [&](int block, int) {
    if (block == kSilentBlocks)
      switched.Change(kOversampleId, 1.0);
  });
  const StereoBuffer exported = reloaded.Stream(input, {512});
  EXPECT_GT(Peak(bounce), 0.5);
  EXPECT_EQ(MaxDifference(bounce, exported), 0.0);
}
