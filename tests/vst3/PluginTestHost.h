#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tools/host/HostApplication.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace VstTest {

constexpr Steinberg::Vst::ParamID kBypassId = 0x62706173;  // 'bpas'
constexpr Steinberg::Vst::ParamID kPresetId = 0x70727374;  // 'prst'
constexpr int kParamCount = 44;
// The parameters the state image holds; the later ones follow it in the extension.
constexpr int kImageParamCount = 43;
// A saved state without an editor scale: the image, the bypass word, then the extension:
// "TVX1", the record "PARM" with the later parameters' values, the closing record.
constexpr int kImageBytes = 8 * kImageParamCount;
constexpr int kStateBytes = kImageBytes + 4 + 4 + (8 + 8 * (kParamCount - kImageParamCount)) + 8;

// One initialised instance of the built plug-in, created through the module's factory with a
// host context of the given name, its main buses activated as a host does.
class PluginTest : public ::testing::Test
{
protected:
  explicit PluginTest(std::string hostName = "Test Host") : host(std::move(hostName)) {}

  void SetUp() override
  {
    std::string error;
    module = TvHost::PluginModule::Open(TV_PLUGIN_PATH, error);
    ASSERT_TRUE(module) << error;
    instance = TvHost::PluginInstance::Create(module, &host, error);
    ASSERT_TRUE(instance) << error;
    ActivateMainBuses();
  }

  void ActivateMainBuses()
  {
    Component()->activateBus(Steinberg::Vst::kAudio, Steinberg::Vst::kInput, 0, true);
    Component()->activateBus(Steinberg::Vst::kAudio, Steinberg::Vst::kOutput, 0, true);
  }

  bool Setup(Steinberg::int32 sampleSize, Steinberg::int32 maxBlock, double rate = 48000.0)
  {
    return instance->SetupProcessing(rate, maxBlock, sampleSize) && instance->SetActive(true);
  }

  Steinberg::Vst::IComponent* Component() const { return instance->Component(); }
  Steinberg::Vst::IAudioProcessor* Processor() const { return instance->Processor(); }
  Steinberg::Vst::IEditController* Controller() const { return instance->Controller(); }

  TvHost::HostApplication host;
  std::shared_ptr<TvHost::PluginModule> module;
  std::unique_ptr<TvHost::PluginInstance> instance;
};

}  // namespace VstTest
