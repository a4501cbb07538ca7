// The editor thread, the audio thread and a state restore share the plug-in only through its
// recursive mutex; this runs all three at once and checks that the effect's view of the
// parameters (kept in ApplyParamChange) never disagrees with the parameters themselves.
#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/IPlugBase.h"

namespace {
constexpr int kParams = 4;

class MirroringPlug : public IPlugBase
{
public:
  MirroringPlug() : IPlugBase(kParams, "2-2", 1, "Mirror", "", "", 0x10000, 1, 2, 0, false, false, false, 1)
  {
    for (int i = 0; i < kParams; ++i)
      ParamAt(i)->DefineDouble("P", 0.0, 0.0, 100.0, 0.1, 1.0);
  }

  void ApplyParamChange(int paramIdx, ParamChangeSource source) override
  {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    mirror[paramIdx] = ParamAt(paramIdx)->Value();
    lastSource = source;
  }

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    for (int i = 0; i < kParams; ++i)
      if (mirror[i] != ParamAt(i)->Value())
        ++mismatches;
    IPlugBase::ProcessBlock(inputs, outputs, nFrames);
  }

  double mirror[kParams] = {};
  int lastSource = 0;
  int mismatches = 0;
};
}  // namespace

TEST(Concurrency, EditorAudioAndStateThreadsStayConsistent)
{
  MirroringPlug plug;
  ASSERT_TRUE(plug.SetBlockLength(64));
  StateChunk states[2];
  for (int s = 0; s < 2; ++s)
    for (int i = 0; i < kParams; ++i)
      states[s].AppendDouble(10.0 * (s + 1));

  constexpr int kRounds = 20000;
  // The three threads start together so their loops really overlap.
  std::atomic<int> ready{0};
  const auto startTogether = [&ready] {
    ++ready;
    while (ready.load() < 3)
      std::this_thread::yield();
  };
  std::thread editor([&] {
    startTogether();
    for (int n = 0; n < kRounds; ++n)
      plug.SetParameterFromGUI(n % kParams, (n % 11) / 10.0);
  });
  std::thread audio([&] {
    startTogether();
    std::vector<double> in(64, 0.5), outL(64), outR(64);
    double* ins[] = {in.data(), in.data()};
    double* outs[] = {outL.data(), outR.data()};
    for (int n = 0; n < kRounds; ++n)
    {
      std::lock_guard<std::recursive_mutex> lock(plug.Mutex());
      plug.ConnectInputChannels(0, 2, true);
      plug.ConnectOutputChannels(0, 2, true);
      plug.BindInputBuffers(0, 2, ins);
      plug.BindOutputBuffers(0, 2, outs);
      plug.ProcessHostBlock(64);
    }
  });
  std::thread restorer([&] {
    startTogether();
    for (int n = 0; n < kRounds; ++n)
    {
      std::lock_guard<std::recursive_mutex> lock(plug.Mutex());
      plug.UnserializeState(&states[n % 2], 0);
    }
  });
  editor.join();
  audio.join();
  restorer.join();

  EXPECT_EQ(0, plug.mismatches);
  for (int i = 0; i < kParams; ++i)
  {
    EXPECT_EQ(plug.mirror[i], plug.ParamAt(i)->Value());
    EXPECT_GE(plug.ParamAt(i)->Value(), 0.0);
    EXPECT_LE(plug.ParamAt(i)->Value(), 100.0);
  }
}
