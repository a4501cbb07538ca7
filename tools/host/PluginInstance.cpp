#include "tools/host/PluginInstance.h"

#include "pluginterfaces/vst/vstspeaker.h"
#include "tools/host/MemoryStream.h"

#include <cstring>

namespace TvHost {

using namespace Steinberg;

namespace {

// Index of the class to create: the one named className, or the first audio effect.
int32 FindClass(IPluginFactory& factory, const std::string& className)
{
  for (int32 i = 0; i < factory.countClasses(); ++i)
  {
    PClassInfo info{};
    if (factory.getClassInfo(i, &info) != kResultOk)
      continue;
    const bool wanted = className.empty()
                          ? std::strncmp(info.category, kVstAudioEffectClass, PClassInfo::kCategorySize) == 0
                          : std::strncmp(info.name, className.c_str(), PClassInfo::kNameSize) == 0;
    if (wanted)
      return i;
  }
  return -1;
}

template <class Interface>
IPtr<Interface> CreateFromFactory(IPluginFactory& factory, const TUID classId)
{
  Interface* object = nullptr;
  if (factory.createInstance(classId, Interface::iid, reinterpret_cast<void**>(&object)) != kResultOk)
    return nullptr;
  return owned(object);
}

template <class Interface>
IPtr<Interface> Query(FUnknown* object)
{
  Interface* result = nullptr;
  if (!object || object->queryInterface(Interface::iid, reinterpret_cast<void**>(&result)) != kResultOk)
    return nullptr;
  return owned(result);
}

}  // namespace

std::unique_ptr<PluginInstance> PluginInstance::Create(std::shared_ptr<PluginModule> module, FUnknown* hostContext,
                                                       std::string& error, const std::string& className)
{
  IPluginFactory* factory = module ? module->Factory() : nullptr;
  if (!factory)
  {
    error = "no plug-in factory";
    return nullptr;
  }
  const int32 classIndex = FindClass(*factory, className);
  PClassInfo info{};
  if (classIndex < 0 || factory->getClassInfo(classIndex, &info) != kResultOk)
  {
    error =
      className.empty() ? "the module has no audio effect class" : "the module has no class \"" + className + "\"";
    return nullptr;
  }
  auto component = CreateFromFactory<Vst::IComponent>(*factory, info.cid);
  if (!component)
  {
    error = std::string("cannot create an instance of \"") + info.name + "\"";
    return nullptr;
  }
  std::unique_ptr<PluginInstance> instance(new PluginInstance(std::move(module), component, info.cid));
  if (!instance->Initialize(hostContext, error))
    return nullptr;
  return instance;
}

PluginInstance::PluginInstance(std::shared_ptr<PluginModule> module, IPtr<Vst::IComponent> component,
                               const TUID classId)
  : mModule(std::move(module)), mComponent(std::move(component)), mClassId(FUID::fromTUID(classId))
{
}

bool PluginInstance::Initialize(FUnknown* hostContext, std::string& error)
{
  if (mComponent->initialize(hostContext) != kResultOk)
  {
    error = "the plug-in refused to initialize";
    return false;
  }
  mComponentInitialized = true;
  mProcessor = Query<Vst::IAudioProcessor>(mComponent);
  if (!mProcessor)
  {
    error = "the plug-in has no audio processor";
    return false;
  }
  return ConnectController(hostContext, error);
}

bool PluginInstance::ConnectController(FUnknown* hostContext, std::string& error)
{
  mController = Query<Vst::IEditController>(mComponent);
  if (mController)
    return true;
  TUID controllerId{};
  if (mComponent->getControllerClassId(controllerId) != kResultOk)
  {
    error = "the plug-in has no edit controller";
    return false;
  }
  mController = CreateFromFactory<Vst::IEditController>(*mModule->Factory(), controllerId);
  if (!mController || mController->initialize(hostContext) != kResultOk)
  {
    error = "the plug-in's edit controller cannot be created";
    return false;
  }
  mSeparateController = true;
  mControllerInitialized = true;
  return true;
}

PluginInstance::~PluginInstance()
{
  SetActive(false);
  if (mControllerInitialized)
    mController->terminate();
  mController = nullptr;
  mProcessor = nullptr;
  if (mComponentInitialized)
    mComponent->terminate();
  mComponent = nullptr;
}

bool PluginInstance::SetChannels(int32 channels)
{
  if (channels != 1 && channels != 2)
    return false;
  Vst::SpeakerArrangement arrangement = channels == 1 ? Vst::SpeakerArr::kMono : Vst::SpeakerArr::kStereo;
  Vst::SpeakerArrangement output = arrangement;
  if (mProcessor->setBusArrangements(&arrangement, 1, &output, 1) != kResultTrue)
    return false;
  ActivateDefaultBuses();
  return true;
}

void PluginInstance::ActivateDefaultBuses()
{
  // Buses start inactive in the plug-in; hosts switch on those the plug-in marks as active
  // by default. Done after setBusArrangements, which may replace the buses.
  for (const Vst::BusDirection direction : {Vst::kInput, Vst::kOutput})
  {
    for (const Vst::MediaType type : {Vst::kAudio, Vst::kEvent})
    {
      const int32 count = mComponent->getBusCount(type, direction);
      for (int32 index = 0; index < count; ++index)
      {
        Vst::BusInfo info{};
        if (mComponent->getBusInfo(type, direction, index, info) == kResultOk &&
            (info.flags & Vst::BusInfo::kDefaultActive) != 0)
          mComponent->activateBus(type, direction, index, true);
      }
    }
  }
}

bool PluginInstance::SetupProcessing(double sampleRate, int32 maxBlockSize, int32 symbolicSampleSize, int32 processMode)
{
  if (mProcessor->canProcessSampleSize(symbolicSampleSize) != kResultTrue)
    return false;
  Vst::ProcessSetup setup{processMode, symbolicSampleSize, maxBlockSize, sampleRate};
  return mProcessor->setupProcessing(setup) == kResultOk;
}

bool PluginInstance::SetActive(bool active)
{
  if (active == mActive)
    return true;
  // setProcessing is optional for plug-ins; hosts call it and ignore kNotImplemented.
  if (!active)
    mProcessor->setProcessing(false);
  if (mComponent->setActive(active) != kResultOk)
    return false;
  mActive = active;
  if (active)
    mProcessor->setProcessing(true);
  return true;
}

bool PluginInstance::Process(Vst::ProcessData& data)
{
  return mProcessor->process(data) == kResultOk;
}

bool PluginInstance::SaveState(MemoryStream& stream)
{
  return mComponent->getState(&stream) == kResultOk;
}

bool PluginInstance::LoadState(MemoryStream& stream)
{
  stream.Rewind();
  if (mComponent->setState(&stream) != kResultOk)
    return false;
  stream.Rewind();
  return mController->setComponentState(&stream) == kResultOk;
}

}  // namespace TvHost
