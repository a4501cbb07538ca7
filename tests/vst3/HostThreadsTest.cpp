// A host calls the edit controller from its own thread while its audio thread processes. In a
// ThreadSanitizer build (-DTV_SANITIZE=thread) any access to the plug-in's state that the two
// threads leave unordered fails this program; in every build each call must still answer as
// it would alone.

#include <atomic>
#include <cmath>
#include <thread>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int32 kBlock = 64;
constexpr int kControllerRounds = 2000;
// The parameter image (one double per parameter) and the bypass word.
constexpr int64 kStateBytes = VstTest::kStateBytes;

// Runs blocks with changes to every parameter and to bypass until told to stop; counts the
// blocks that failed or produced something that is no number.
class AudioThread
{
public:
  AudioThread(IAudioProcessor* processor, int32 sampleSize) : mProcessor(processor), mBuffers(sampleSize, 2, 2, kBlock)
  {
    mThread = std::thread([this] { Run(); });
  }

  ~AudioThread() { Stop(); }

  void WaitForFirstBlock() const
  {
    while (mBlocks.load() == 0)
      std::this_thread::yield();
  }

  void Stop()
  {
    mRunning = false;
    if (mThread.joinable())
      mThread.join();
  }

  int Blocks() const { return mBlocks.load(); }
  int BadBlocks() const { return mBadBlocks.load(); }

private:
  void Run()
  {
    for (int n = 0; mRunning.load(); ++n)
    {
      mChanges.Clear();
      for (int i = 0; i < VstTest::kParamCount; ++i)
        mChanges.AddChange(i, ((n + i) % 10) / 9.0);
      mChanges.AddChange(VstTest::kBypassId, n % 7 == 0 ? 1.0 : 0.0);
      for (int32 f = 0; f < kBlock; ++f)
        for (int32 c = 0; c < 2; ++c)
          mBuffers.SetInput(c, f, std::sin(0.05 * (n * kBlock + f)));
      const bool processed = mProcessor->process(mBuffers.Prepare(kBlock, &mChanges)) == kResultOk;
      if (!processed || !std::isfinite(mBuffers.Output(0, kBlock - 1)))
        ++mBadBlocks;
      ++mBlocks;
    }
  }

  IAudioProcessor* mProcessor;
  TvHost::ProcessDataBuilder mBuffers;
  TvHost::ParameterChanges mChanges;
  std::atomic<bool> mRunning{true};
  std::atomic<int> mBlocks{0};
  std::atomic<int> mBadBlocks{0};
  std::thread mThread;
};

class HostThreadsTest : public VstTest::PluginTest
{
};

}  // namespace

TEST_F(HostThreadsTest, ControllerCallsDuringProcessAnswerAsAlone)
{
  ASSERT_TRUE(Setup(kSample32, kBlock));
  AudioThread audio(Processor(), kSample32);
  audio.WaitForFirstBlock();

  int wrongAnswers = 0;
  for (int n = 0; n < kControllerRounds; ++n)
  {
    const ParamID id = static_cast<ParamID>(n % VstTest::kParamCount);
    const ParamValue value = (n % 5) / 4.0;
    String128 text = {};
    TvHost::MemoryStream state;
    const bool answered = Controller()->setParamNormalized(id, value) == kResultOk &&
                          Controller()->getParamStringByValue(id, value, text) == kResultOk && text[0] != 0 &&
                          Controller()->getState(&state) == kResultOk &&
                          static_cast<int64>(state.Bytes().size()) == kStateBytes;
    const ParamValue readBack = Controller()->getParamNormalized(id);
    const ParamValue bypass = Controller()->getParamNormalized(VstTest::kBypassId);
    if (!answered || readBack < 0.0 || readBack > 1.0 || (bypass != 0.0 && bypass != 1.0))
      ++wrongAnswers;
    state.Rewind();
    if (n % 50 == 0 && Controller()->setState(&state) != kResultOk)
      ++wrongAnswers;
  }
  audio.Stop();

  EXPECT_EQ(wrongAnswers, 0);
  EXPECT_GT(audio.Blocks(), 1);
  EXPECT_EQ(audio.BadBlocks(), 0);
}
