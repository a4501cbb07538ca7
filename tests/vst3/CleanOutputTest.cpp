// Whatever the 43 parameters are set to, extremes included, loud but finite input never
// makes the plug-in hand NaN, infinite or subnormal samples to the host: at every rate a host
// may run, with and without four-times oversampling, in either sample size (32-bit samples
// overflow where 64-bit ones do not), and in the silence after the input stops (where
// decaying filter states would turn subnormal).

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr ParamID kOversample = 42;
constexpr int32 kBlock = 512;
constexpr int kVectorsPerCase = 40;
constexpr int kLoudBlocks = 8;
constexpr int kSilentBlocks = 16;

// Oversampling factor, sample rate and the host's sample size.
using CleanOutputCase = std::tuple<int, double, int32>;

class CleanOutputTest : public VstTest::PluginTest, public ::testing::WithParamInterface<CleanOutputCase>
{
protected:
  // Every parameter at 0, at 1 or anywhere between, the oversampling switch as the case says.
  std::string SetRandomParameters(std::mt19937& random, int factor)
  {
    std::uniform_int_distribution<int> kind(0, 2);
    std::uniform_real_distribution<double> anywhere(0.0, 1.0);
    std::ostringstream vector;
    for (ParamID id = 0; id < VstTest::kParamCount; ++id)
    {
      const int k = kind(random);
      const double value = id == kOversample ? (factor == 4 ? 1.0 : 0.0)
                           : k == 0          ? 0.0
                           : k == 1          ? 1.0
                                             : anywhere(random);
      changes.AddChange(id, value);
      vector << id << "=" << value << " ";
    }
    return vector.str();
  }

  // Loud input of one of four shapes: full-scale noise, a square wave at +60 dB, a sine
  // at 0 dB, and single spikes of a million.
  static void FillLoud(TvHost::ProcessDataBuilder& buffers, std::mt19937& random, int shape, int32 firstFrame)
  {
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int32 c = 0; c < 2; ++c)
      for (int32 f = 0; f < kBlock; ++f)
      {
        const int32 frame = firstFrame + f;
        double x = 0.0;
        switch (shape)
        {
          case 0:
            x = noise(random);
            break;
          case 1:
            x = (frame / 37 % 2 ? 1000.0 : -1000.0);
            break;
          case 2:
            x = std::sin(0.05 * frame * (c + 1));
            break;
          default:
            x = frame % 2000 == 0 ? 1.0e6 : 0.0;
            break;
        }
        buffers.SetInput(c, f, x);
      }
  }

  // The first frame whose sample is NaN, infinite or subnormal, or -1.
  static int32 FirstUncleanFrame(const TvHost::ProcessDataBuilder& buffers, int32 frames)
  {
    for (int32 c = 0; c < 2; ++c)
      for (int32 f = 0; f < frames; ++f)
      {
        const double y = buffers.Output(c, f);
        if (!std::isfinite(y) || std::fpclassify(y) == FP_SUBNORMAL)
          return f;
      }
    return -1;
  }

  TvHost::ParameterChanges changes;
};

}  // namespace

TEST_P(CleanOutputTest, RandomParametersAndLoudInputGiveCleanOutput)
{
  const auto [factor, rate, sampleSize] = GetParam();
  ASSERT_TRUE(Setup(sampleSize, kBlock, rate));
  TvHost::ProcessDataBuilder buffers(sampleSize, 2, 2, kBlock, rate);
  std::mt19937 random(static_cast<unsigned>(rate) + factor);

  for (int v = 0; v < kVectorsPerCase; ++v)
  {
    const std::string vector = SetRandomParameters(random, factor);
    const int shape = v % 4;
    for (int block = 0; block < kLoudBlocks + kSilentBlocks; ++block)
    {
      if (block < kLoudBlocks)
        FillLoud(buffers, random, shape, block * kBlock);
      else
        buffers.ClearInputs();
      // Hosts vary the block length, down to single frames.
      const int32 frames = block % 3 == 2 ? 1 + static_cast<int32>(random() % kBlock) : kBlock;
      ASSERT_EQ(Processor()->process(buffers.Prepare(frames, &changes)), kResultOk);
      changes.Clear();
      const int32 frame = FirstUncleanFrame(buffers, frames);
      ASSERT_EQ(frame, -1) << "block " << block << " (input shape " << shape << "), parameters " << vector;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RatesAndOversampling, CleanOutputTest,
                         ::testing::Combine(::testing::Values(1, 4),
                                            ::testing::Values(22050.0, 44100.0, 96000.0, 192000.0),
                                            ::testing::Values(kSample32, kSample64)),
                         [](const ::testing::TestParamInfo<CleanOutputCase>& info) {
                           return "F" + std::to_string(std::get<0>(info.param)) + "_" +
                                  std::to_string(static_cast<int>(std::get<1>(info.param))) + "Hz_" +
                                  (std::get<2>(info.param) == kSample32 ? "32bit" : "64bit");
                         });
