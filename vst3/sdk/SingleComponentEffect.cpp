#include "vst3/sdk/SingleComponentEffect.h"

namespace Steinberg {
namespace Vst {

SingleComponentEffect::SingleComponentEffect()
  : audioInputs(kAudio, kInput), audioOutputs(kAudio, kOutput), eventInputs(kEvent, kInput),
    eventOutputs(kEvent, kOutput)
{
  processSetup.processMode = kRealtime;
  processSetup.symbolicSampleSize = kSample32;
  processSetup.maxSamplesPerBlock = 1024;
  processSetup.sampleRate = 44100.0;
}

// A second initialize before terminate is refused even when no host context was given (the
// SDK base only notices a stored context), so buses and parameters are never made twice.
tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context)
{
  if (initialized)
    return kResultFalse;
  const tresult result = EditController::initialize(context);
  initialized = result == kResultOk;
  return result;
}

// Everything initialize and the host created goes, so a later initialize starts clean.
tresult PLUGIN_API SingleComponentEffect::terminate()
{
  initialized = false;
  removeAllBusses();
  return EditController::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
  if (paramIndex < 0 || paramIndex >= parameters.getParameterCount())
    return kResultFalse;
  return EditController::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID /*classId*/)
{
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode /*mode*/)
{
  return kNotImplemented;
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir)
{
  if (type == kAudio)
    return dir == kInput ? &audioInputs : &audioOutputs;
  if (type == kEvent)
    return dir == kInput ? &eventInputs : &eventOutputs;
  return nullptr;
}

Bus* SingleComponentEffect::busAt(MediaType type, BusDirection dir, int32 index)
{
  BusList* list = getBusList(type, dir);
  if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
    return nullptr;
  return list->at(index);
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir)
{
  const BusList* list = getBusList(type, dir);
  return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& info)
{
  Bus* bus = busAt(type, dir, index);
  if (bus == nullptr)
    return kInvalidArgument;
  info.mediaType = type;
  info.direction = dir;
  return bus->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo& /*inInfo*/, RoutingInfo& /*outInfo*/)
{
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index, TBool state)
{
  Bus* bus = busAt(type, dir, index);
  if (bus == nullptr)
    return kInvalidArgument;
  bus->setActive(state);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool /*state*/)
{
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setState(IBStream* /*state*/)
{
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::getState(IBStream* /*state*/)
{
  return kNotImplemented;
}

// Default: accept exactly one arrangement per existing audio bus and take them over.
tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                             SpeakerArrangement* outputs, int32 numOuts)
{
  if (numIns != static_cast<int32>(audioInputs.size()) || numOuts != static_cast<int32>(audioOutputs.size()))
    return kResultFalse;
  if ((numIns > 0 && inputs == nullptr) || (numOuts > 0 && outputs == nullptr))
    return kInvalidArgument;
  for (int32 i = 0; i < numIns; ++i)
    static_cast<AudioBus*>(audioInputs.at(i).get())->setArrangement(inputs[i]);
  for (int32 i = 0; i < numOuts; ++i)
    static_cast<AudioBus*>(audioOutputs.at(i).get())->setArrangement(outputs[i]);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr)
{
  auto* bus = static_cast<AudioBus*>(busAt(kAudio, dir, index));
  if (bus == nullptr)
    return kInvalidArgument;
  arr = bus->getArrangement();
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples()
{
  return 0;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup)
{
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
    return kResultFalse;
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool /*state*/)
{
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::process(ProcessData& /*data*/)
{
  return kNotImplemented;
}

uint32 PLUGIN_API SingleComponentEffect::getTailSamples()
{
  return 0;
}

namespace {

// The list holds the new bus's only reference.
template <typename BusClass, typename... Args>
BusClass* AppendBus(BusList& list, Args... args)
{
  auto* bus = new BusClass(args...);
  list.push_back(IPtr<Bus>(bus, false));
  return bus;
}

}  // namespace

AudioBus* SingleComponentEffect::addAudioBus(BusDirection dir, const TChar* name, SpeakerArrangement arr,
                                             BusType busType, int32 flags)
{
  return AppendBus<AudioBus>(*getBusList(kAudio, dir), name, busType, flags, arr);
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType busType, int32 flags)
{
  return AppendBus<EventBus>(eventInputs, name, busType, flags, channels);
}

void SingleComponentEffect::removeAllBusses()
{
  audioInputs.clear();
  audioOutputs.clear();
  eventInputs.clear();
  eventOutputs.clear();
}

}  // namespace Vst
}  // namespace Steinberg
