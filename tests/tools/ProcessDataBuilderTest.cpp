#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using TvHost::ProcessDataBuilder;

TEST(ProcessDataBuilder, InterleavedSamplesReachTheChannelsInEitherPrecision)
{
  for (const int32 sampleSize : {Vst::kSample32, Vst::kSample64})
  {
    ProcessDataBuilder builder(sampleSize, 2, 2, 4);
    const double frames[] = {0.5, -0.5, 0.25, -0.25, 0.125, -0.125};
    builder.WriteInputInterleaved(frames, 3);

    Vst::ProcessData& data = builder.Prepare(3);
    ASSERT_EQ(data.symbolicSampleSize, sampleSize);
    ASSERT_EQ(data.numInputs, 1);
    ASSERT_EQ(data.inputs[0].numChannels, 2);
    const double right1 =
      sampleSize == Vst::kSample64 ? data.inputs[0].channelBuffers64[1][1] : data.inputs[0].channelBuffers32[1][1];
    EXPECT_EQ(right1, -0.25);

    for (int32 channel = 0; channel < 2; ++channel)
      for (int32 frame = 0; frame < 3; ++frame)
        builder.SetOutput(channel, frame, builder.Input(channel, frame) * 2.0);
    double out[6] = {};
    builder.ReadOutputInterleaved(out, 3);
    EXPECT_EQ(out[0], 1.0);
    EXPECT_EQ(out[5], -0.25);
  }
}

TEST(ProcessDataBuilder, BlockFieldsAreSetForEachBlock)
{
  ProcessDataBuilder builder(Vst::kSample32, 1, 2, 64, 48000.0);
  TvHost::ParameterChanges changes(1);
  Vst::ProcessData& data = builder.Prepare(100, &changes);
  EXPECT_EQ(data.numSamples, 64);
  EXPECT_EQ(data.inputParameterChanges, &changes);
  EXPECT_EQ(data.inputs[0].numChannels, 1);
  EXPECT_EQ(data.outputs[0].numChannels, 2);
  ASSERT_NE(data.processContext, nullptr);
  EXPECT_EQ(data.processContext->sampleRate, 48000.0);
  EXPECT_NE(data.processContext->state & Vst::ProcessContext::kPlaying, 0u);

  builder.AdvanceTransport(24000);
  EXPECT_EQ(builder.Context().projectTimeSamples, 24000);
  EXPECT_DOUBLE_EQ(builder.Context().projectTimeMusic, 1.0);  // half a second at 120 bpm

  EXPECT_EQ(builder.Prepare(0).numSamples, 0);
  EXPECT_EQ(builder.Prepare(-5).inputParameterChanges, nullptr);
}

TEST(ProcessDataBuilder, ABusWithoutChannelsIsLeftOut)
{
  ProcessDataBuilder builder(Vst::kSample64, 0, 2, 16);
  Vst::ProcessData& data = builder.Prepare(16);
  EXPECT_EQ(data.numInputs, 0);
  EXPECT_EQ(data.inputs, nullptr);
  EXPECT_EQ(data.numOutputs, 1);
  EXPECT_EQ(builder.Inputs32(), nullptr);
  EXPECT_NE(builder.Outputs64(), nullptr);
}
