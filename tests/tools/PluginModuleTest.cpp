#include "tools/host/HostApplication.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ParameterDirectory.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"
#include "tools/host/ProcessDataBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace Steinberg;
using TvHost::PluginModule;

namespace {

std::string OpenError(const std::string& path)
{
  std::string error;
  EXPECT_EQ(PluginModule::Open(path, error), nullptr);
  return error;
}

bool Contains(const std::string& text, const std::string& part)
{
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(PluginModule, FindsTheLibraryInsideABundle)
{
  const std::string root = testing::TempDir();
  EXPECT_EQ(PluginModule::LibraryPathOf("/no/such/Effect.vst3"), "/no/such/Effect.vst3");
  const std::string bundle = root + "Bundle.vst3";
  ASSERT_EQ(system(("mkdir -p " + bundle).c_str()), 0);
  EXPECT_TRUE(Contains(PluginModule::LibraryPathOf(bundle + "/"), "Bundle.vst3/Contents/x86_64-linux/Bundle.so"));
  EXPECT_TRUE(Contains(PluginModule::LibraryPathOf(bundle + "/."), "Bundle.vst3/Contents/x86_64-linux/Bundle.so"));
}

TEST(PluginModule, ExplainsWhyAModuleCannotBeOpened)
{
  EXPECT_TRUE(Contains(OpenError("/no/such/Effect.vst3"), "no such plug-in"));
  EXPECT_TRUE(Contains(OpenError(testing::TempDir()), "holds no library"));

  const std::string text = testing::TempDir() + "not-a-library.so";
  std::ofstream(text) << "text";
  EXPECT_TRUE(Contains(OpenError(text), "cannot load"));
  std::remove(text.c_str());

  // A real shared library that is not a plug-in.
  EXPECT_TRUE(Contains(OpenError("/lib/x86_64-linux-gnu/libm.so.6"), "exports no GetPluginFactory"));
}

#ifdef TV_PLUGIN_PATH

class PluginInstanceLifecycle : public testing::Test
{
protected:
  void SetUp() override
  {
    std::string error;
    module = PluginModule::Open(TV_PLUGIN_PATH, error);
    ASSERT_TRUE(module) << error;
    instance = TvHost::PluginInstance::Create(module, &host, error);
    ASSERT_TRUE(instance) << error;
  }

  TvHost::HostApplication host{"lifecycle test"};
  std::shared_ptr<PluginModule> module;
  std::unique_ptr<TvHost::PluginInstance> instance;
};

TEST_F(PluginInstanceLifecycle, GivesBackTheHostContextAndKeepsTheModuleWhileAlive)
{
  std::weak_ptr<PluginModule> weakModule = module;
  module.reset();
  EXPECT_FALSE(weakModule.expired());
  ASSERT_TRUE(instance->SetChannels(2));
  ASSERT_TRUE(instance->SetupProcessing(48000.0, 256, Vst::kSample32));
  ASSERT_TRUE(instance->SetActive(true));
  instance.reset();
  EXPECT_EQ(host.BorrowedReferences(), 0u);
  EXPECT_TRUE(weakModule.expired());
}

TEST_F(PluginInstanceLifecycle, ActivatesTheBusesForMonoAndStereo)
{
  EXPECT_FALSE(instance->SetChannels(3));
  for (const int32 channels : {1, 2})
  {
    ASSERT_TRUE(instance->SetChannels(channels));
    Vst::BusInfo info{};
    ASSERT_EQ(instance->Component()->getBusInfo(Vst::kAudio, Vst::kOutput, 0, info), kResultOk);
    EXPECT_EQ(info.channelCount, channels);

    // An active output bus is what makes the plug-in write into the host's buffers.
    ASSERT_TRUE(instance->SetupProcessing(44100.0, 64, Vst::kSample64));
    ASSERT_TRUE(instance->SetActive(true));
    TvHost::ProcessDataBuilder buffers(Vst::kSample64, channels, channels, 64, 44100.0);
    for (int32 frame = 0; frame < 64; ++frame)
      for (int32 channel = 0; channel < channels; ++channel)
        buffers.SetInput(channel, frame, 0.5);
    buffers.FillOutputs(7.0);
    ASSERT_TRUE(instance->Process(buffers.Prepare(64)));
    EXPECT_LT(buffers.Output(channels - 1, 63), 1.0);
    ASSERT_TRUE(instance->SetActive(false));
  }
}

TEST_F(PluginInstanceLifecycle, StateRoundTripsThroughMemoryStreams)
{
  TvHost::ParameterDirectory directory(*instance->Controller());
  const TvHost::ParameterEntry* gain = directory.FindByTitle("mid sat. gain");
  ASSERT_NE(gain, nullptr);
  EXPECT_EQ(directory.FindById(gain->id), gain);
  ASSERT_EQ(instance->Controller()->setParamNormalized(gain->id, 0.25), kResultOk);

  TvHost::MemoryStream saved;
  ASSERT_TRUE(instance->SaveState(saved));
  ASSERT_GT(saved.Bytes().size(), 4u);
  instance->Controller()->setParamNormalized(gain->id, 0.0);
  ASSERT_TRUE(instance->LoadState(saved));
  EXPECT_DOUBLE_EQ(instance->Controller()->getParamNormalized(gain->id), 0.25);
}

#endif
