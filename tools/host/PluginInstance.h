#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/PluginModule.h"

#include <memory>
#include <string>

namespace TvHost {

class MemoryStream;

// One initialised audio-effect instance with its processor and edit controller, taken down in
// the order hosts use: deactivated, terminated, released, and only then the module unloaded.
// A plug-in whose component is also its controller is used through that one object;
// otherwise the controller class it names is created and initialised beside it.
class PluginInstance
{
public:
  // Creates the class named className, or the first audio-effect class when it is empty, and
  // initialises it with hostContext. nullptr and a message in error on failure.
  static std::unique_ptr<PluginInstance> Create(std::shared_ptr<PluginModule> module, Steinberg::FUnknown* hostContext,
                                                std::string& error, const std::string& className = "");
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  Steinberg::Vst::IComponent* Component() const { return mComponent.get(); }
  Steinberg::Vst::IAudioProcessor* Processor() const { return mProcessor.get(); }
  Steinberg::Vst::IEditController* Controller() const { return mController.get(); }
  bool HasSeparateController() const { return mSeparateController; }
  // The class identifier the factory created the component from; preset files carry it.
  const Steinberg::FUID& ClassId() const { return mClassId; }

  // Main input and output buses of the same width: mono for 1 channel, stereo for 2; then
  // the buses the plug-in marks active by default are activated.
  bool SetChannels(Steinberg::int32 channels);
  bool SetupProcessing(double sampleRate, Steinberg::int32 maxBlockSize, Steinberg::int32 symbolicSampleSize,
                       Steinberg::int32 processMode = Steinberg::Vst::kOffline);
  bool SetActive(bool active);
  bool Process(Steinberg::Vst::ProcessData& data);

  // State blobs as a host keeps them in its project: read from the component, and given to
  // the component and then to the controller.
  bool SaveState(MemoryStream& stream);
  bool LoadState(MemoryStream& stream);

private:
  PluginInstance(std::shared_ptr<PluginModule> module, Steinberg::IPtr<Steinberg::Vst::IComponent> component,
                 const Steinberg::TUID classId);
  bool Initialize(Steinberg::FUnknown* hostContext, std::string& error);
  bool ConnectController(Steinberg::FUnknown* hostContext, std::string& error);
  void ActivateDefaultBuses();

  std::shared_ptr<PluginModule> mModule;
  Steinberg::IPtr<Steinberg::Vst::IComponent> mComponent;
  Steinberg::FUID mClassId;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> mProcessor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> mController;
  bool mSeparateController = false;
  bool mComponentInitialized = false;
  bool mControllerInitialized = false;
  bool mActive = false;
};

}  // namespace TvHost
