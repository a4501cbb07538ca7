#include <cfloat>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

namespace
{
// Keeps the pointers and frame count the block routine received, then runs the default.
class CapturingPlug : public RecordingPlug
{
public:
  using RecordingPlug::RecordingPlug;

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    seenInputs.assign(inputs, inputs + InputChannelCount());
    seenOutputs.assign(outputs, outputs + OutputChannelCount());
    seenFrames = nFrames;
    RecordingPlug::ProcessBlock(inputs, outputs, nFrames);
  }

  std::vector<double*> seenInputs;
  std::vector<double*> seenOutputs;
  int seenFrames = -1;
};

// Two float channels with guard samples after the block, filled with a ramp.
struct FloatBuffers
{
  static constexpr int kGuard = 16;
  static constexpr float kSentinel = 777.0f;

  FloatBuffers(int frames, float start)
  {
    for (auto& channel : data)
    {
      channel.assign(frames + kGuard, kSentinel);
      for (int s = 0; s < frames; ++s)
        channel[s] = start + 0.001f * s;
      start = -start;
    }
    pointers[0] = data[0].data();
    pointers[1] = data[1].data();
  }

  std::vector<float> data[2];
  float* pointers[2];
};

void ConnectAll(IPlugBase& plug)
{
  plug.ConnectInputChannels(0, plug.InputChannelCount(), true);
  plug.ConnectOutputChannels(0, plug.OutputChannelCount(), true);
}
}  // namespace

TEST(IPlugBaseChannelIo, ParsesPairsAndCounts)
{
  RecordingPlug plug;
  EXPECT_EQ(2, plug.InputChannelCount());
  EXPECT_EQ(2, plug.OutputChannelCount());
  ASSERT_EQ(2, plug.ChannelIoPairCount());
  EXPECT_EQ(1, plug.ChannelIoAt(0).inputs);
  EXPECT_EQ(2, plug.ChannelIoAt(1).outputs);

  RecordingPlug odd(1, "x 0-4 3-1");
  ASSERT_EQ(3, odd.ChannelIoPairCount());
  EXPECT_EQ(0, odd.ChannelIoAt(0).inputs);
  EXPECT_EQ(0, odd.ChannelIoAt(0).outputs);
  EXPECT_EQ(3, odd.InputChannelCount());
  EXPECT_EQ(4, odd.OutputChannelCount());
}

TEST(IPlugBaseChannelIo, LegalIOTable)
{
  RecordingPlug plug;
  EXPECT_TRUE(plug.LegalIO(1, 1));
  EXPECT_TRUE(plug.LegalIO(2, 2));
  EXPECT_TRUE(plug.LegalIO(-1, 2));
  EXPECT_TRUE(plug.LegalIO(1, -1));
  EXPECT_TRUE(plug.LegalIO(-1, -1));
  EXPECT_FALSE(plug.LegalIO(1, 2));
  EXPECT_FALSE(plug.LegalIO(2, 1));
  EXPECT_FALSE(plug.LegalIO(0, 0));
  EXPECT_FALSE(plug.LegalIO(-1, 3));

  RecordingPlug none(1, nullptr);
  EXPECT_FALSE(none.LegalIO(-1, -1));
}

TEST(IPlugBaseChannelIo, ConnectClampsToTheChannelCount)
{
  RecordingPlug plug;
  plug.ConnectInputChannels(1, 10, true);
  EXPECT_FALSE(plug.IsInputConnected(0));
  EXPECT_TRUE(plug.IsInputConnected(1));
  EXPECT_FALSE(plug.IsInputConnected(2));
  EXPECT_FALSE(plug.IsOutputConnected(-1));
}

TEST(IPlugBaseChannelIo, BusLabelsOnlyForBusesZeroAndOne)
{
  RecordingPlug plug;
  plug.LabelInputBus(1, "Early");  // no entry 0 yet: the label goes to the end of the list
  EXPECT_STREQ("Early", plug.InputBusLabel(0));
  plug.LabelInputBus(0, "Main");
  plug.LabelInputBus(1, "Aux");
  plug.LabelInputBus(2, "Ignored");
  EXPECT_STREQ("Main", plug.InputBusLabel(0));
  EXPECT_STREQ("Aux", plug.InputBusLabel(1));
  EXPECT_STREQ("", plug.InputBusLabel(2));
  plug.LabelOutputBus(0, "Output");
  plug.LabelOutputBus(0, "Renamed");
  EXPECT_STREQ("Renamed", plug.OutputBusLabel(0));
  EXPECT_STREQ("", plug.OutputBusLabel(1));
}

TEST(IPlugBaseBlocks, HalfConnectedInputReadsZeros)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(8));
  plug.ConnectInputChannels(0, 1, true);
  plug.ConnectInputChannels(1, 1, false);
  plug.ConnectOutputChannels(0, 2, true);
  std::vector<double> in(8, 0.5), left(8, 9.0), right(8, 9.0);
  double* ins[] = {in.data()};
  double* outs[] = {left.data(), right.data()};
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, ins));
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, outs));
  ASSERT_TRUE(plug.ProcessHostBlock(8));
  ASSERT_EQ(2u, plug.seenInputs.size());
  EXPECT_EQ(in.data(), plug.seenInputs[0]);
  for (int s = 0; s < 8; ++s)
  {
    EXPECT_EQ(0.0, plug.seenInputs[1][s]);
    EXPECT_EQ(0.5, left[s]);
    EXPECT_EQ(0.0, right[s]);
  }
}

TEST(IPlugBaseBlocks, FloatBlockWritesExactlyTheConnectedFrames)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(128));
  ConnectAll(plug);
  FloatBuffers in(64, 0.25f), out(64, 5.0f);
  const FloatBuffers inBefore = in;
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, in.pointers, 64));
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, out.pointers));
  ASSERT_TRUE(plug.ProcessHostBlockFloat(64));
  EXPECT_EQ(64, plug.seenFrames);
  for (int c = 0; c < 2; ++c)
  {
    EXPECT_EQ(inBefore.data[c], in.data[c]);
    for (int s = 0; s < 64; ++s)
      EXPECT_EQ(in.data[c][s], out.data[c][s]);
    for (int s = 64; s < 64 + FloatBuffers::kGuard; ++s)
      EXPECT_EQ(FloatBuffers::kSentinel, out.data[c][s]);
  }
}

TEST(IPlugBaseBlocks, FloatAddingAddsToTheDestination)
{
  RecordingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(4));
  ConnectAll(plug);
  FloatBuffers in(4, 0.5f), out(4, 1.0f);
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, in.pointers, 4));
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, out.pointers));
  ASSERT_TRUE(plug.ProcessHostBlockFloatAdding(4));
  EXPECT_FLOAT_EQ(1.5f, out.data[0][0]);
  EXPECT_FLOAT_EQ(-1.5f, out.data[1][0]);
}

TEST(IPlugBaseBlocks, FloatOutputNeverHoldsSubnormals)
{
  RecordingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(2));
  ConnectAll(plug);
  std::vector<double> tiny(2, 1e-41), left(2), right(2);
  double* ins[] = {tiny.data(), tiny.data()};
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, ins));
  FloatBuffers out(2, 3.0f);
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, out.pointers));
  ASSERT_TRUE(plug.ProcessHostBlockFloat(2));
  EXPECT_EQ(0.0f, out.data[0][0]);
  EXPECT_EQ(0.0f, out.data[1][1]);
}

TEST(IPlugBaseBlocks, BlockLongerThanTheBlockSizeIsRefused)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(64));
  ConnectAll(plug);
  FloatBuffers in(65, 0.25f), out(65, 5.0f);
  const FloatBuffers outBefore = out;
  EXPECT_FALSE(plug.BindInputBuffers(0, 2, in.pointers, 65));
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, out.pointers));
  EXPECT_FALSE(plug.ProcessHostBlockFloat(65));
  EXPECT_FALSE(plug.PassThroughFloat(65));
  EXPECT_FALSE(plug.ProcessHostBlock(-1));
  EXPECT_EQ(-1, plug.seenFrames);
  EXPECT_EQ(outBefore.data[0], out.data[0]);
  EXPECT_EQ(outBefore.data[1], out.data[1]);

  RecordingPlug unsized;
  EXPECT_FALSE(unsized.ProcessHostBlock(1));
  EXPECT_TRUE(unsized.ProcessHostBlock(0));
}

TEST(IPlugBaseBlocks, NullHostArraysAreTreatedAsDisconnected)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(4));
  ConnectAll(plug);
  std::vector<double> left(4, 0.5), outLeft(4, 9.0);
  double* ins[] = {left.data(), nullptr};
  double* outs[] = {outLeft.data(), nullptr};
  EXPECT_FALSE(plug.BindInputBuffers(0, 2, static_cast<double**>(nullptr)));
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, ins));
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, outs));
  ASSERT_TRUE(plug.ProcessHostBlock(4));
  EXPECT_EQ(0.0, plug.seenInputs[1][3]);
  EXPECT_NE(nullptr, plug.seenOutputs[1]);
  EXPECT_EQ(0.5, outLeft[3]);
}

TEST(IPlugBaseBlocks, SetBlockLengthKeepsScratchOnlyForTheSameSize)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(4));
  ConnectAll(plug);
  FloatBuffers in(4, 0.5f), out(4, 0.0f);
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, in.pointers, 4));  // leaves the samples in scratch
  ASSERT_TRUE(plug.SetBlockLength(4));
  plug.ConnectInputChannels(0, 2, false);
  ASSERT_TRUE(plug.ProcessHostBlock(4));
  EXPECT_EQ(0.5, plug.seenInputs[0][0]);

  ASSERT_TRUE(plug.SetBlockLength(6));
  ASSERT_TRUE(plug.ProcessHostBlock(6));
  for (int s = 0; s < 6; ++s)
    EXPECT_EQ(0.0, plug.seenInputs[0][s]);
}

TEST(IPlugBaseBlocks, ClearScratchZeroesDisconnectedInputs)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(4));
  ConnectAll(plug);
  FloatBuffers in(4, 0.5f);
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, in.pointers, 4));
  plug.ClearScratch();
  plug.ConnectInputChannels(0, 2, false);
  ASSERT_TRUE(plug.ProcessHostBlock(4));
  EXPECT_EQ(0.0, plug.seenInputs[0][2]);
}

TEST(IPlugBasePassThrough, WithoutLatencyCopiesAndZeroesUnmatchedOutputs)
{
  RecordingPlug plug(1, "1-2");
  ASSERT_TRUE(plug.SetBlockLength(3));
  ConnectAll(plug);
  std::vector<double> in = {0.1, 0.2, 0.3}, a(3, 9.0), b(3, 9.0);
  double* ins[] = {in.data()};
  double* outs[] = {a.data(), b.data()};
  ASSERT_TRUE(plug.BindInputBuffers(0, 1, ins));
  ASSERT_TRUE(plug.BindOutputBuffers(0, 2, outs));
  ASSERT_TRUE(plug.PassThrough(3));
  EXPECT_EQ(in, a);
  EXPECT_EQ(std::vector<double>(3, 0.0), b);
}

TEST(IPlugBasePassThrough, WithLatencyDelaysByExactlyThatManyFrames)
{
  RecordingPlug plug(1, "2-2", 1, 3);
  plug.MakeLatencyDelay();
  ASSERT_TRUE(plug.SetBlockLength(4));
  ConnectAll(plug);
  std::vector<double> produced[2];
  for (int block = 0; block < 3; ++block)
  {
    std::vector<double> l(4), r(4), outL(4), outR(4);
    for (int s = 0; s < 4; ++s)
    {
      l[s] = 1 + block * 4 + s;
      r[s] = -l[s];
    }
    double* ins[] = {l.data(), r.data()};
    double* outs[] = {outL.data(), outR.data()};
    ASSERT_TRUE(plug.BindInputBuffers(0, 2, ins));
    ASSERT_TRUE(plug.BindOutputBuffers(0, 2, outs));
    ASSERT_TRUE(plug.PassThrough(4));
    produced[0].insert(produced[0].end(), outL.begin(), outL.end());
    produced[1].insert(produced[1].end(), outR.begin(), outR.end());
  }
  for (int s = 0; s < 12; ++s)
  {
    const double expected = s < 3 ? 0.0 : s - 2;
    EXPECT_EQ(expected, produced[0][s]) << s;
    EXPECT_EQ(-expected, produced[1][s]) << s;
  }

  plug.SetLatencyFrames(1);  // a new length starts from silence again
  std::vector<double> l = {5, 6}, r = {7, 8}, outL(2), outR(2);
  double* ins[] = {l.data(), r.data()};
  double* outs[] = {outL.data(), outR.data()};
  plug.BindInputBuffers(0, 2, ins);
  plug.BindOutputBuffers(0, 2, outs);
  ASSERT_TRUE(plug.PassThrough(2));
  EXPECT_EQ((std::vector<double>{0, 5}), outL);
  EXPECT_EQ((std::vector<double>{0, 7}), outR);
}

TEST(IPlugBaseTiming, FramesPerBeatUsesTheAdaptersTempo)
{
  struct TempoPlug : RecordingPlug
  {
    double tempo = 0.0;
    double CurrentTempo() override { return tempo; }
  } plug;
  plug.SetRate(48000.0);
  EXPECT_EQ(0.0, plug.FramesPerBeat());
  plug.tempo = 120.0;
  EXPECT_DOUBLE_EQ(24000.0, plug.FramesPerBeat());
}
