// Audio processing through IAudioProcessor::process with real buffers and parameter queues.

#include <xmmintrin.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using VstTest::kBypassId;
using VstTest::kPresetId;

namespace {

constexpr ParamID kLowSatMix = 0;
constexpr ParamID kLowSatGain = 6;
constexpr ParamID kLowDcOffset = 7;
constexpr ParamID kLowLevel = 35;
constexpr ParamID kOversampleId = 42;

class ProcessTest : public VstTest::PluginTest
{
protected:
  tresult Run(TvHost::ProcessDataBuilder& buffers, int32 frames)
  {
    const tresult result = Processor()->process(buffers.Prepare(frames, &changes));
    changes.Clear();
    return result;
  }

  // Applies one change through a block of 0 frames.
  void Change(ParamID id, ParamValue value)
  {
    TvHost::ProcessDataBuilder buffers(kSample32, 2, 2, 1);
    changes.AddChange(id, value);
    ASSERT_EQ(Run(buffers, 0), kResultOk);
  }

  double Normalized(ParamID id) { return Controller()->getParamNormalized(id); }

  static void FillRamp(TvHost::ProcessDataBuilder& buffers, int32 frames)
  {
    for (int32 c = 0; c < buffers.InputChannels(); ++c)
      for (int32 f = 0; f < frames; ++f)
        buffers.SetInput(c, f, 0.25 * (c + 1) * std::sin(0.01 * f));
  }

  TvHost::ParameterChanges changes;
};

class SampleSizeTest : public ProcessTest, public ::testing::WithParamInterface<int32>
{
};

}  // namespace

TEST_F(ProcessTest, SetupRefusesWhatCannotBeProcessed)
{
  EXPECT_EQ(Processor()->canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(Processor()->canProcessSampleSize(2), kResultFalse);
  for (ProcessSetup setup :
       {ProcessSetup{kRealtime, 2, 512, 48000.0}, ProcessSetup{kRealtime, kSample32, 0, 48000.0},
        ProcessSetup{kRealtime, kSample32, 512, std::nan("")}, ProcessSetup{kRealtime, kSample32, 512, 1.0e12}})
    EXPECT_EQ(Processor()->setupProcessing(setup), kResultFalse);
  ProcessSetup highest{kRealtime, kSample32, 512, 768000.0};
  EXPECT_EQ(Processor()->setupProcessing(highest), kResultOk);
  EXPECT_EQ(Processor()->getLatencySamples(), 0u);
}

TEST_F(ProcessTest, ZeroFrameBlockAppliesTheLastPointOfEachQueue)
{
  ASSERT_TRUE(Setup(kSample32, 256));
  changes.AddChange(kLowLevel, 0.1, 0);
  changes.AddChange(kLowLevel, 0.5, 10);
  changes.AddChange(kLowDcOffset, 1.7);  // limited to 1
  changes.AddChange(kLowSatGain, -3.0);  // limited to 0
  changes.AddChange(kLowSatMix, std::numeric_limits<double>::quiet_NaN());
  changes.AddChange(2, std::numeric_limits<double>::infinity());
  changes.AddChange(VstTest::kParamCount, 1.0);  // one past the last parameter: ignored
  TvHost::ProcessDataBuilder buffers(kSample32, 2, 2, 16);
  ASSERT_EQ(Run(buffers, 0), kResultOk);

  EXPECT_DOUBLE_EQ(Normalized(kLowLevel), 0.5);
  EXPECT_DOUBLE_EQ(Normalized(kLowDcOffset), 1.0);
  EXPECT_DOUBLE_EQ(Normalized(kLowSatGain), 0.0);
  EXPECT_DOUBLE_EQ(Normalized(kLowSatMix), 1.0);  // default 100 % kept
  EXPECT_DOUBLE_EQ(Normalized(2), 1.0);
}

TEST_F(ProcessTest, BypassSwitchesAboveOneHalfAndSetupClearsIt)
{
  ASSERT_TRUE(Setup(kSample32, 256));
  Change(kBypassId, 0.5);
  EXPECT_EQ(Normalized(kBypassId), 0.0);
  Change(kBypassId, 0.5001);
  EXPECT_EQ(Normalized(kBypassId), 1.0);

  ProcessSetup setup{kRealtime, kSample32, 256, 44100.0};
  ASSERT_EQ(Processor()->setupProcessing(setup), kResultOk);
  EXPECT_EQ(Normalized(kBypassId), 0.0);
}

TEST_F(ProcessTest, ProgramChangeLoadsThePresetBelowTheValue)
{
  ASSERT_TRUE(Setup(kSample32, 256));
  ASSERT_EQ(Controller()->setParamNormalized(kLowSatMix, 0.0), kResultOk);
  Change(kPresetId, 1.0);  // one past the only preset: nothing happens
  EXPECT_EQ(Normalized(kLowSatMix), 0.0);
  Change(kPresetId, 0.99);
  EXPECT_EQ(Normalized(kLowSatMix), 1.0);
}

TEST_P(SampleSizeTest, BypassedBlocksCopyInputToOutput)
{
  ASSERT_TRUE(Setup(GetParam(), 128));
  Change(kBypassId, 1.0);
  TvHost::ProcessDataBuilder buffers(GetParam(), 2, 2, 128);
  FillRamp(buffers, 128);
  buffers.FillOutputs(9.0);
  ASSERT_EQ(Run(buffers, 128), kResultOk);
  for (int32 c = 0; c < 2; ++c)
    for (int32 f = 0; f < 128; ++f)
      ASSERT_EQ(buffers.Output(c, f), buffers.Input(c, f)) << c << ":" << f;
}

// A host that names the other precision in a block hands buffers of the wrong element size:
// they are left alone, while the block's parameter changes still count.
TEST_P(SampleSizeTest, BlockInTheOtherPrecisionIsRefused)
{
  ASSERT_TRUE(Setup(GetParam(), 64));
  TvHost::ProcessDataBuilder buffers(GetParam() == kSample32 ? kSample64 : kSample32, 2, 2, 64);
  FillRamp(buffers, 64);
  buffers.FillOutputs(9.0);
  changes.AddChange(kLowLevel, 0.25);
  EXPECT_EQ(Run(buffers, 64), kInvalidArgument);
  EXPECT_DOUBLE_EQ(Normalized(kLowLevel), 0.25);
  for (int32 c = 0; c < 2; ++c)
    ASSERT_EQ(buffers.Output(c, 63), 9.0) << c;
}

TEST_P(SampleSizeTest, BlocksLongerThanTheSetupMaximumAreProcessedInSlices)
{
  constexpr int32 kMax = 64;
  constexpr int32 kFrames = 3 * kMax + 17;
  ASSERT_TRUE(Setup(GetParam(), kMax));
  changes.AddChange(kLowSatGain, 0.4);
  changes.AddChange(kOversampleId, 1.0);
  TvHost::ProcessDataBuilder whole(GetParam(), 2, 2, kFrames);
  FillRamp(whole, kFrames);
  ASSERT_EQ(Run(whole, kFrames), kResultOk);

  // A second instance fed the same signal in host blocks of the maximum size must agree.
  std::string error;
  auto other = TvHost::PluginInstance::Create(module, &host, error);
  ASSERT_TRUE(other) << error;
  other->Component()->activateBus(kAudio, kInput, 0, true);
  other->Component()->activateBus(kAudio, kOutput, 0, true);
  ASSERT_TRUE(other->SetupProcessing(48000.0, kMax, GetParam()) && other->SetActive(true));
  TvHost::ProcessDataBuilder slice(GetParam(), 2, 2, kMax);
  for (int32 start = 0; start < kFrames; start += kMax)
  {
    const int32 frames = std::min(kMax, kFrames - start);
    for (int32 c = 0; c < 2; ++c)
      for (int32 f = 0; f < frames; ++f)
        slice.SetInput(c, f, whole.Input(c, start + f));
    if (start == 0)
    {
      changes.AddChange(kLowSatGain, 0.4);
      changes.AddChange(kOversampleId, 1.0);
    }
    ASSERT_TRUE(other->Process(slice.Prepare(frames, &changes)));
    changes.Clear();
    for (int32 c = 0; c < 2; ++c)
      for (int32 f = 0; f < frames; ++f)
        ASSERT_EQ(whole.Output(c, start + f), slice.Output(c, f)) << c << ":" << start + f;
  }
}

INSTANTIATE_TEST_SUITE_P(BothSampleSizes, SampleSizeTest, ::testing::Values(kSample32, kSample64));

TEST_F(ProcessTest, NullChannelArraysAndMissingBusesAreSafe)
{
  ASSERT_TRUE(Setup(kSample32, 64));
  float left[64] = {};
  float* halfMissing[2] = {left, nullptr};
  AudioBusBuffers noArrays[2] = {};
  noArrays[0].numChannels = 2;
  noArrays[1].numChannels = 2;
  AudioBusBuffers partial = {};
  partial.numChannels = 2;
  partial.channelBuffers32 = halfMissing;

  ProcessData data;
  data.processMode = kRealtime;
  data.symbolicSampleSize = kSample32;
  data.numSamples = 64;
  data.inputParameterChanges = &changes;
  changes.AddChange(kLowLevel, 0.25);
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &noArrays[0];
  data.outputs = &partial;
  EXPECT_EQ(Processor()->process(data), kResultOk);
  EXPECT_DOUBLE_EQ(Normalized(kLowLevel), 0.25);

  changes.Clear();
  changes.AddChange(kLowLevel, 0.75);
  data.numInputs = 0;
  data.numOutputs = 0;
  data.inputs = nullptr;
  data.outputs = nullptr;
  EXPECT_EQ(Processor()->process(data), kResultOk);
  EXPECT_DOUBLE_EQ(Normalized(kLowLevel), 0.75);

  data.numInputs = 1;
  data.inputs = &partial;
  data.numOutputs = 2;  // more output buses than the plug-in has
  data.outputs = noArrays;
  EXPECT_EQ(Processor()->process(data), kResultOk);
}

TEST_F(ProcessTest, MonoInputBusLeavesTheSecondInputSilent)
{
  ASSERT_TRUE(Setup(kSample32, 32));
  Change(kBypassId, 1.0);
  TvHost::ProcessDataBuilder stereo(kSample32, 2, 2, 32);
  FillRamp(stereo, 32);
  ASSERT_EQ(Run(stereo, 32), kResultOk);

  // The same buffers, but the host now passes only the first input channel.
  ProcessData& data = stereo.Prepare(32);
  data.inputs[0].numChannels = 1;
  stereo.FillOutputs(9.0);
  ASSERT_EQ(Processor()->process(data), kResultOk);
  for (int32 f = 0; f < 32; ++f)
  {
    ASSERT_EQ(stereo.Output(0, f), stereo.Input(0, f));
    ASSERT_EQ(stereo.Output(1, f), 0.0) << f;
  }
}

TEST_F(ProcessTest, FloatOutputHasNoSubnormalsAndHostFloatModeIsKept)
{
  ASSERT_TRUE(Setup(kSample32, 16));
  Change(kBypassId, 1.0);
  TvHost::ProcessDataBuilder buffers(kSample32, 2, 2, 16);
  for (int32 f = 0; f < 16; ++f)
    buffers.Inputs32()[0][f] = 1e-40f;
  const unsigned hostMode = _mm_getcsr();
  ASSERT_EQ(Run(buffers, 16), kResultOk);
  EXPECT_EQ(_mm_getcsr(), hostMode);
  for (int32 f = 0; f < 16; ++f)
    ASSERT_NE(std::fpclassify(buffers.Outputs32()[0][f]), FP_SUBNORMAL);
}

TEST_F(ProcessTest, ProcessingBeforeSetupGivesSilence)
{
  TvHost::ProcessDataBuilder buffers(kSample32, 2, 2, 32);
  FillRamp(buffers, 32);
  buffers.FillOutputs(9.0);
  ASSERT_EQ(Run(buffers, 32), kResultOk);
  for (int32 f = 0; f < 32; ++f)
    ASSERT_EQ(buffers.Output(1, f), 0.0);
}

TEST_F(ProcessTest, BusArrangements)
{
  SpeakerArrangement mono = SpeakerArr::kMono;
  SpeakerArrangement stereo = SpeakerArr::kStereo;
  EXPECT_EQ(Processor()->setBusArrangements(&stereo, 1, &mono, 1), kResultFalse);
  EXPECT_EQ(Processor()->setBusArrangements(nullptr, 0, &stereo, 1), kResultFalse);
  EXPECT_EQ(Processor()->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);

  // An accepted two-channel arrangement of another kind is the one the host reads back.
  SpeakerArrangement surroundPair = SpeakerArr::kStereoSurround;
  ASSERT_EQ(Processor()->setBusArrangements(&surroundPair, 1, &stereo, 1), kResultTrue);
  SpeakerArrangement current = 0;
  ASSERT_EQ(Processor()->getBusArrangement(kInput, 0, current), kResultTrue);
  EXPECT_EQ(current, SpeakerArr::kStereoSurround);

  ASSERT_EQ(Processor()->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);

  BusInfo info = {};
  ASSERT_EQ(Component()->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(info.channelCount, 1);
  EXPECT_EQ(info.name[0], 'I');
  ASSERT_EQ(Component()->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(info.channelCount, 1);
  SpeakerArrangement arrangement = 0;
  ASSERT_EQ(Processor()->getBusArrangement(kOutput, 0, arrangement), kResultTrue);
  EXPECT_EQ(arrangement, SpeakerArr::kMono);
  EXPECT_EQ(Component()->getBusCount(kAudio, kInput), 1);

  // The replaced buses stay active: a mono block reaches the host's output.
  ASSERT_TRUE(Setup(kSample64, 32));
  Change(kBypassId, 1.0);
  TvHost::ProcessDataBuilder buffers(kSample64, 1, 1, 32);
  FillRamp(buffers, 32);
  ASSERT_EQ(Run(buffers, 32), kResultOk);
  for (int32 f = 0; f < 32; ++f)
    ASSERT_EQ(buffers.Output(0, f), buffers.Input(0, f));
}
