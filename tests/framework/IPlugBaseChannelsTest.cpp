#include <cfloat>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

namespace {
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

// Two float channels of a ramp, followed by guard samples that nobody may touch.
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

void BindDouble(IPlugBase& plug, std::vector<double>* in, std::vector<double>* out, int nIn, int nOut)
{
  double* ins[2] = {in[0].data(), nIn > 1 ? in[1].data() : nullptr};
  double* outs[2] = {out[0].data(), nOut > 1 ? out[1].data() : nullptr};
  ASSERT_TRUE(plug.BindInputBuffers(0, nIn, ins));
  ASSERT_TRUE(plug.BindOutputBuffers(0, nOut, outs));
}
}  // namespace

TEST(IPlugBaseChannels, ChannelStringAndLegalIO)
{
  RecordingPlug plug;
  EXPECT_EQ(2, plug.InputChannelCount());
  EXPECT_EQ(2, plug.OutputChannelCount());
  EXPECT_TRUE(plug.LegalIO(1, 1));
  EXPECT_TRUE(plug.LegalIO(2, 2));
  EXPECT_TRUE(plug.LegalIO(-1, 2));
  EXPECT_TRUE(plug.LegalIO(-1, -1));
  EXPECT_FALSE(plug.LegalIO(1, 2));
  EXPECT_FALSE(plug.LegalIO(2, 1));
  EXPECT_FALSE(plug.LegalIO(0, 0));
  EXPECT_FALSE(RecordingPlug(1, nullptr).LegalIO(-1, -1));

  RecordingPlug odd(1, "x 0-4 3-1");  // a token that does not parse counts as 0-0
  ASSERT_EQ(3, odd.ChannelIoPairCount());
  EXPECT_EQ(0, odd.ChannelIoAt(0).outputs);
  EXPECT_EQ(3, odd.InputChannelCount());
  EXPECT_EQ(4, odd.OutputChannelCount());
}

TEST(IPlugBaseChannels, BusLabelsOnlyForBusesZeroAndOne)
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
}

TEST(IPlugBaseBlocks, HalfConnectedInputReadsZeros)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(8));
  plug.ConnectInputChannels(0, 1, true);
  plug.ConnectInputChannels(1, 5, false);
  plug.ConnectOutputChannels(0, 2, true);
  std::vector<double> in[2] = {std::vector<double>(8, 0.5)};
  std::vector<double> out[2] = {std::vector<double>(8, 9.0), std::vector<double>(8, 9.0)};
  BindDouble(plug, in, out, 1, 2);
  ASSERT_TRUE(plug.ProcessHostBlock(8));
  ASSERT_EQ(2u, plug.seenInputs.size());
  EXPECT_EQ(in[0].data(), plug.seenInputs[0]);
  EXPECT_EQ(std::vector<double>(plug.seenInputs[1], plug.seenInputs[1] + 8), std::vector<double>(8, 0.0));
  EXPECT_EQ(in[0], out[0]);
  EXPECT_EQ(std::vector<double>(8, 0.0), out[1]);
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
  }
  // The adding variant mixes the block into what the host's outputs already hold.
  ASSERT_TRUE(plug.ProcessHostBlockFloatAdding(64));
  for (int c = 0; c < 2; ++c)
  {
    for (int s = 0; s < 64; ++s)
      EXPECT_EQ(2.0f * in.data[c][s], out.data[c][s]);
    for (int s = 64; s < 64 + FloatBuffers::kGuard; ++s)
      EXPECT_EQ(FloatBuffers::kSentinel, out.data[c][s]);
  }
}

// Subnormals become 0 and values beyond the float range the largest float of their sign, so
// a host reading 32-bit samples never gets a subnormal or an infinity.
TEST(IPlugBaseBlocks, FloatOutputIsFiniteAndNeverSubnormal)
{
  struct Case
  {
    float input;
    float hostOutput;
    bool adding;
    float expected;
  };
  const Case cases[] = {
    {1e-41f, 3.0f, false, 0.0f},
    {FLT_MAX, FLT_MAX, true, FLT_MAX},
  };
  for (const Case& c : cases)
  {
    RecordingPlug plug;
    ASSERT_TRUE(plug.SetBlockLength(2));
    ConnectAll(plug);
    FloatBuffers in(2, c.input), out(2, c.hostOutput);
    ASSERT_TRUE(plug.BindInputBuffers(0, 2, in.pointers, 2));
    ASSERT_TRUE(plug.BindOutputBuffers(0, 2, out.pointers));
    ASSERT_TRUE(c.adding ? plug.ProcessHostBlockFloatAdding(2) : plug.ProcessHostBlockFloat(2));
    EXPECT_EQ(c.expected, out.data[0][0]) << c.input;
    EXPECT_EQ(-c.expected, out.data[1][0]) << c.input;  // the second channel holds the negated values
  }
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
  std::vector<double> in[2] = {std::vector<double>(4, 0.5)};
  std::vector<double> out[2] = {std::vector<double>(4, 9.0)};
  BindDouble(plug, in, out, 2, 2);  // second input and output are null
  EXPECT_FALSE(plug.BindInputBuffers(0, 2, static_cast<double**>(nullptr)));
  ASSERT_TRUE(plug.ProcessHostBlock(4));
  EXPECT_EQ(0.0, plug.seenInputs[1][3]);
  EXPECT_NE(nullptr, plug.seenOutputs[1]);
  EXPECT_EQ(0.5, out[0][3]);
}

TEST(IPlugBaseBlocks, SetBlockLengthKeepsScratchOnlyForTheSameSize)
{
  CapturingPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(4));
  ConnectAll(plug);
  FloatBuffers in(4, 0.5f);
  ASSERT_TRUE(plug.BindInputBuffers(0, 2, in.pointers, 4));  // leaves the samples in scratch
  ASSERT_TRUE(plug.SetBlockLength(4));
  plug.ConnectInputChannels(0, 2, false);
  ASSERT_TRUE(plug.ProcessHostBlock(4));
  EXPECT_EQ(0.5, plug.seenInputs[0][0]);
  // A new size moves the scratch arrays: every slot must follow them (outputs included).
  ASSERT_TRUE(plug.SetBlockLength(600));
  ASSERT_TRUE(plug.ProcessHostBlock(600));
  EXPECT_EQ(std::vector<double>(plug.seenInputs[0], plug.seenInputs[0] + 600), std::vector<double>(600, 0.0));
}

TEST(IPlugBasePassThrough, WithoutLatencyCopiesAndZeroesUnmatchedOutputs)
{
  RecordingPlug plug(1, "1-2");
  ASSERT_TRUE(plug.SetBlockLength(3));
  ConnectAll(plug);
  std::vector<double> in[2] = {{0.1, 0.2, 0.3}};
  std::vector<double> out[2] = {std::vector<double>(3, 9.0), std::vector<double>(3, 9.0)};
  BindDouble(plug, in, out, 1, 2);
  ASSERT_TRUE(plug.PassThrough(3));
  EXPECT_EQ(in[0], out[0]);
  EXPECT_EQ(std::vector<double>(3, 0.0), out[1]);
}

namespace {
// Passes a ramp (channel 1 its negation) through a bypassed plug-in with latency, block by
// block, and returns what channel 0 put out. Hosts often process in place: with sharedBuffers
// input and output channel i are one array.
std::vector<double> DelayedRamp(IPlugBase& plug, int blocks, int frames, bool sharedBuffers)
{
  std::vector<double> produced;
  for (int block = 0; block < blocks; ++block)
  {
    std::vector<double> in[2] = {std::vector<double>(frames), std::vector<double>(frames)};
    std::vector<double> out[2] = {std::vector<double>(frames), std::vector<double>(frames)};
    for (int s = 0; s < frames; ++s)
      in[1][s] = -(in[0][s] = 1 + block * frames + s);
    std::vector<double>* outputs = sharedBuffers ? in : out;
    BindDouble(plug, in, outputs, 2, 2);
    EXPECT_TRUE(plug.PassThrough(frames));
    EXPECT_EQ(outputs[0][frames - 1], -outputs[1][frames - 1]);
    produced.insert(produced.end(), outputs[0].begin(), outputs[0].end());
  }
  return produced;
}
}  // namespace

TEST(IPlugBasePassThrough, WithLatencyDelaysByExactlyThatManyFrames)
{
  for (bool sharedBuffers : {false, true})
  {
    SCOPED_TRACE(sharedBuffers ? "in place" : "separate buffers");
    RecordingPlug plug(1, "2-2", 1, 3);
    plug.MakeLatencyDelay();
    ASSERT_TRUE(plug.SetBlockLength(4));
    ConnectAll(plug);
    EXPECT_EQ((std::vector<double>{0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), DelayedRamp(plug, 3, 4, sharedBuffers));

    plug.SetLatencyFrames(1);  // a new length starts from silence again
    EXPECT_EQ((std::vector<double>{0, 1, 2, 3}), DelayedRamp(plug, 1, 4, sharedBuffers));
  }
}
