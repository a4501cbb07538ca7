#pragma once

#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

namespace Steinberg {
namespace Vst {

// One object that is component, audio processor and edit controller at once, so the host
// never needs a separate controller class. Holds the bus lists, the last processing setup
// and (through EditController) the host parameter objects and the component handler.
class SingleComponentEffect : public EditController, public IComponent, public IAudioProcessor
{
public:
  SingleComponentEffect();

  // IPluginBase, reached through both IComponent and IEditController
  tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
  tresult PLUGIN_API terminate() SMTG_OVERRIDE;

  // IEditController: an index outside the list is refused instead of reaching the SDK
  // container's checked access, which would throw across the host boundary.
  tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;

  // IComponent
  tresult PLUGIN_API getControllerClassId(TUID classId) SMTG_OVERRIDE;
  tresult PLUGIN_API setIoMode(IoMode mode) SMTG_OVERRIDE;
  int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) SMTG_OVERRIDE;
  tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& info) SMTG_OVERRIDE;
  tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE;
  tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE;

  // IAudioProcessor
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                        int32 numOuts) SMTG_OVERRIDE;
  tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) SMTG_OVERRIDE;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
  uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
  tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
  uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;

  // Bus helpers: each adds one bus at the end of its list and returns it.
  AudioBus* addAudioBus(BusDirection dir, const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                        int32 flags = BusInfo::kDefaultActive);
  EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  void removeAllBusses();

  OBJ_METHODS(SingleComponentEffect, EditController)
  DEFINE_INTERFACES
  DEF_INTERFACE(IComponent)
  DEF_INTERFACE(IAudioProcessor)
  END_DEFINE_INTERFACES(EditController)
  REFCOUNT_METHODS(EditController)

protected:
  BusList* getBusList(MediaType type, BusDirection dir);
  Bus* busAt(MediaType type, BusDirection dir, int32 index);

  BusList audioInputs;
  BusList audioOutputs;
  BusList eventInputs;
  BusList eventOutputs;
  ProcessSetup processSetup;

private:
  bool initialized = false;
};

}  // namespace Vst
}  // namespace Steinberg
