// What a parameter change does to the signal path and to the editor, and what a reset does.

#include "effect/DbToGain.h"
#include "framework/IEditor.h"
#include "tests/effect/EffectRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An editor that only writes down the calls the plug-in makes on it.
class RecordingEditor : public IEditor
{
public:
  explicit RecordingEditor(std::vector<std::string>& log) : log(log) {}

  void PushParamValue(int, double, bool) override {}
  void PrepareDrawSurfaces() override {}
  void GreyParamControls(int paramIdx, bool grey) override
  {
    log.push_back("grey " + std::to_string(paramIdx) + (grey ? " on" : " off"));
  }
  void MarkAllDirty() override { log.push_back("dirty"); }
  int Width() const override { return 1024; }
  int Height() const override { return 480; }
  double DisplayScale() override { return 1.0; }
  void* AttachToParentView(void*) override { return nullptr; }
  void* AttachToParentControl(void*, void*) override { return nullptr; }
  void DetachView() override {}

private:
  std::vector<std::string>& log;
};

std::vector<std::string> GreyCalls(const char* state)
{
  std::vector<std::string> calls;
  for (const int index :
       {33, 34, 6, 7, 0, 1, 10, 9, 4, 5, 8, 2, 3, 35, 36, 28, 29, 22, 23, 32, 31, 26, 27, 30, 24, 25, 39, 40})
    calls.push_back("grey " + std::to_string(index) + " " + state);
  return calls;
}

TEST(ParamChange, EditorIsGreyedForSingleBandAndMarkedDirtyOnEveryChange)
{
  EffectRunner runner;
  std::vector<std::string> log;
  runner.effect.AttachEditor(new RecordingEditor(log));

  log.clear();
  runner.Set(kMultiband, 0.0);
  std::vector<std::string> expected = GreyCalls("on");
  expected.push_back("dirty");
  EXPECT_EQ(log, expected);

  for (const int index : {kLowSatGain, kMidSatBypass, kFreqHigh, kHighMute, kOversampleQuality})
  {
    log.clear();
    runner.Set(index, 1.0);
    EXPECT_EQ(log, std::vector<std::string>{"dirty"}) << "parameter " << index;
  }
  // The quality switch is greyed while oversampling is off.
  log.clear();
  runner.Set(kOversample, 1.0);
  EXPECT_EQ(log, (std::vector<std::string>{"dirty", "grey 43 off"}));

  // A reset applies every parameter, multiband (on again) and oversampling included.
  runner.effect.ParamAt(kMultiband)->Assign(1.0);
  log.clear();
  runner.effect.ResetProcessing();
  expected.assign(kMultiband, "dirty");
  for (const std::string& call : GreyCalls("off"))
    expected.push_back(call);
  for (const char* call : {"dirty", "dirty", "grey 43 off", "dirty"})
    expected.push_back(call);
  EXPECT_EQ(log, expected);
}

TEST(ParamChange, ContinuousValuesReachTheChainAtTheNextBlock)
{
  EffectRunner runner;
  runner.Set(kLowSatGain, 24.0);
  EXPECT_EQ(runner.Path().Smoother(kLowSatGain).target, 24.0);
  EXPECT_EQ(runner.Path().Chain(SignalPath::kLowBand).gain, 1.0);
  runner.Run(StereoSignal(512));
  EXPECT_EQ(runner.Path().Chain(SignalPath::kLowBand).gain, DbToGain((1.0 - std::exp(-1.0 / 0.43)) * 24.0));

  runner.Set(kHighDcOffset, 50.0);
  runner.Set(kHighBitRes, 8.0);
  runner.Set(kHighEvenHarm, 30.0);
  runner.Set(kHighOddHarm, 40.0);
  runner.Set(kHighExcMix, 25.0);
  for (int i = 0; i < 400; ++i)
    runner.Run(StereoSignal(512));
  const BandChain& high = runner.Path().Chain(SignalPath::kHighBand);
  EXPECT_EQ(high.dcOffset, 0.5);
  EXPECT_EQ(high.bits, 8);
  EXPECT_EQ(high.evenAmount, 30.0);
  EXPECT_EQ(high.oddAmount, 40.0);
  EXPECT_EQ(high.excMix, 0.25);
  const BandChain& mid = runner.Path().Chain(SignalPath::kMidBand);
  EXPECT_EQ(mid.evenAmount, 0.0) << "a harmonic knob at 0 adds no harmonics";
  EXPECT_EQ(mid.oddAmount, 0.0);
}

// Small blocks give a coefficient close to 1, where the plain recurrence stalls just short
// of its target: the bit depth would stay one bit below the knob and the crossover would be
// redesigned in every block.
TEST(ParamChange, SmoothedValuesArriveAtTheirTargets)
{
  EffectRunner runner(48000.0, 32);
  runner.Set(kLowBitRes, 8.0);
  for (int i = 0; i < 2000; ++i)
    runner.Run(StereoSignal(32), 32);
  EXPECT_EQ(runner.Path().Chain(SignalPath::kLowBand).bits, 8);
  EXPECT_EQ(runner.Path().Chain(SignalPath::kMidBand).bits, 24);
  EXPECT_TRUE(runner.Path().Smoother(kFreqHigh).Settled());
  EXPECT_TRUE(runner.Path().Smoother(kFreqLow).Settled());
}

TEST(ParamChange, SwitchesActAtOnceWithoutAGlide)
{
  EffectRunner runner;
  EXPECT_TRUE(runner.Path().Chain(SignalPath::kLowBand).satBypass);
  runner.Set(kLowSatBypass, 0.0);
  runner.Set(kMidBitRedBypass, 0.0);
  runner.Set(kHighExcBypass, 0.0);
  EXPECT_FALSE(runner.Path().Chain(SignalPath::kLowBand).satBypass);
  EXPECT_FALSE(runner.Path().Chain(SignalPath::kMidBand).bitBypass);
  EXPECT_FALSE(runner.Path().Chain(SignalPath::kHighBand).excBypass);
  EXPECT_TRUE(runner.Path().Chain(SignalPath::kHighBand).satBypass);
  EXPECT_EQ(runner.Path().Smoother(kLowSatBypass).target, 0.0) << "bypass switches have no smoother target";
}

// A silenced band's level waits, while the crossover follows its knobs whether or not the
// signal is split (at once when it is not, by a crossfade when it is), so that switching back
// finds the filters at the knobs' frequencies.
TEST(ParamChange, SilencedBandsHoldTheirLevelsAndTheCrossoverStillFollows)
{
  const double c = std::exp(-1.0 / 0.43);  // 512 frames at 44 100 Hz

  EffectRunner singleBand, lowMuted;
  for (EffectRunner* r : {&singleBand, &lowMuted})
  {
    r->Set(kFreqLow, 1000.0);
    for (const int level : {kLowLevel, kMidLevel, kHighLevel})
      r->Set(level, -6.0);
  }
  singleBand.Set(kMultiband, 0.0);
  lowMuted.Set(kLowMute, 1.0);
  singleBand.Run(Tone(512, 440.0, 44100.0));
  lowMuted.Run(Tone(512, 440.0, 44100.0));

  EXPECT_EQ(singleBand.Path().Smoother(kFreqLow).current, 1000.0);
  EXPECT_FALSE(singleBand.Path().CrossoverMoving());
  EXPECT_EQ(lowMuted.Path().Smoother(kFreqLow).current, 1000.0);
  EXPECT_TRUE(lowMuted.Path().CrossoverMoving()) << "20 ms of crossfade take more than one block";
  EXPECT_EQ(singleBand.Path().Smoother(kLowLevel).current, 0.0);
  EXPECT_EQ(singleBand.Path().Smoother(kHighLevel).current, 0.0);
  EXPECT_EQ(singleBand.Path().Smoother(kMidLevel).current, (1.0 - c) * -6.0);
  EXPECT_EQ(lowMuted.Path().Smoother(kLowLevel).current, 0.0);
  EXPECT_EQ(lowMuted.Path().Smoother(kHighLevel).current, (1.0 - c) * -6.0);
}

}  // namespace
