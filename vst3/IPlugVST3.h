#pragma once

#include <vector>

#include "framework/IPlugBase.h"
#include "vst3/ChannelPointerWindow.h"
#include "vst3/sdk/SingleComponentEffect.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"

class IPlugVST3View;

// Turns the host-neutral plug-in base into a VST 3 plug-in. One object is processor,
// component and edit controller: the host never sees a separate controller class. Host
// parameter identifiers are the plug-in's parameter indices, plus 'prst' (program change)
// and 'bpas' (bypass); values always live in the plug-in's own parameters.
class IPlugVST3 : public IPlugBase,
                  public Steinberg::Vst::IUnitInfo,
                  public Steinberg::Vst::SingleComponentEffect,
                  public Steinberg::Vst::IMidiMapping
{
public:
  using tresult = Steinberg::tresult;
  using int32 = Steinberg::int32;
  using uint32 = Steinberg::uint32;
  using ParamID = Steinberg::Vst::ParamID;
  using ParamValue = Steinberg::Vst::ParamValue;
  using String128 = Steinberg::Vst::String128;
  using TChar = Steinberg::Vst::TChar;

  static constexpr ParamID kBypassParamId = 0x62706173;  // 'bpas'
  static constexpr ParamID kPresetParamId = 0x70727374;  // 'prst'
  static constexpr int kMidiControllerCount = 128;
  static constexpr int kHostCodeWaveLab = 31;
  // A state stream longer than this is not read further: no state of ours comes near it.
  static constexpr int kMaxStateBytes = 16 * 1024 * 1024;

  IPlugVST3(int nParams, const char* channelIoString, int nPresets, const char* effectName, const char* productName,
            const char* makerName, int effectVersion, int uniqueId, int makerId, int latency, bool doesMidi,
            bool stateChunks, bool isInstrument, int sidechainChannels);
  ~IPlugVST3() override;

  // ---- Component and processor ------------------------------------------------------------
  tresult PLUGIN_API initialize(Steinberg::FUnknown* context) SMTG_OVERRIDE;
  tresult PLUGIN_API terminate() SMTG_OVERRIDE;
  tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, int32 numIns,
                                        Steinberg::Vst::SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
  tresult PLUGIN_API setActive(Steinberg::TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) SMTG_OVERRIDE;
  tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
  uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
  uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;

  // ---- State (component and controller run the same routines) ------------------------------
  tresult PLUGIN_API setState(Steinberg::IBStream* state) SMTG_OVERRIDE;
  tresult PLUGIN_API getState(Steinberg::IBStream* state) SMTG_OVERRIDE;
  tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) SMTG_OVERRIDE;

  // ---- Edit controller ---------------------------------------------------------------------
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) SMTG_OVERRIDE;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) SMTG_OVERRIDE;
  ParamValue PLUGIN_API getParamNormalized(ParamID id) SMTG_OVERRIDE;
  ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plain) SMTG_OVERRIDE;
  ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue value) SMTG_OVERRIDE;
  tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue value, String128 string) SMTG_OVERRIDE;
  tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& value) SMTG_OVERRIDE;

  // ---- Units and programs ------------------------------------------------------------------
  int32 PLUGIN_API getUnitCount() SMTG_OVERRIDE;
  tresult PLUGIN_API getUnitInfo(int32 unitIndex, Steinberg::Vst::UnitInfo& info) SMTG_OVERRIDE;
  int32 PLUGIN_API getProgramListCount() SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramListInfo(int32 listIndex, Steinberg::Vst::ProgramListInfo& info) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                    String128 name) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                    Steinberg::Vst::CString attributeId, String128 attributeValue) SMTG_OVERRIDE;
  tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId, int32 programIndex) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                         Steinberg::int16 midiPitch, String128 name) SMTG_OVERRIDE;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE;
  tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) SMTG_OVERRIDE;
  tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir, int32 busIndex,
                                  int32 channel, Steinberg::Vst::UnitID& unitId) SMTG_OVERRIDE;
  tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                        Steinberg::IBStream* data) SMTG_OVERRIDE;

  // ---- MIDI mapping ------------------------------------------------------------------------
  tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, Steinberg::int16 channel,
                                                 Steinberg::Vst::CtrlNumber midiControllerNumber,
                                                 ParamID& id) SMTG_OVERRIDE;

  // ---- Services for the plug-in base -------------------------------------------------------
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalized) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  bool ShowHostParamMenu(int paramIdx, int x, int y) override;
  void RequestEditorSize(int width, int height) override;
  bool HostRendersOffline() override;
  int CurrentSamplePosition() override;
  double CurrentTempo() override;
  void CurrentTimeSignature(int* numerator, int* denominator) override;
  void FillTransportInfo(TransportInfo* info) override;
  void InformHostOfProgramChange() override {}
  bool ForwardMidiMessage(const MidiMessage& /*message*/) override { return false; }
  void SetLatencyFrames(int n) override;

  // The editor views keep this list up to date as they come and go.
  void ViewDestroyed(IPlugVST3View* view);
  // The views share one editor: when one of them changes its scale, the hosts of the others
  // are asked for the new size.
  void EditorScaleChangedBy(const IPlugVST3View* view);

  OBJ_METHODS(IPlugVST3, SingleComponentEffect)
  tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
  REFCOUNT_METHODS(SingleComponentEffect)

private:
  int MainInputChannels() const { return InputChannelCount() - mSidechainChannels; }
  bool IsPluginParam(ParamID id) const { return id < static_cast<ParamID>(NParams()); }
  bool IsMidiControllerParam(ParamID id) const;
  // A plug-in parameter the host sees as a range object (int and double kinds).
  bool IsRangeParam(ParamID id) const;

  // Construction and initialisation
  void LabelBuses();
  void CreateBuses();
  void CreateHostParameters();
  void AddHostParameter(int paramIdx);
  void IdentifyHostApplication(Steinberg::FUnknown* context);
  void MatchAudioBus(Steinberg::Vst::BusList& buses, int index, Steinberg::Vst::SpeakerArrangement wanted,
                     const char* name, Steinberg::Vst::BusType type, int32 flags);

  // Processing
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyParameterChange(ParamID id, ParamValue value);
  void HandleEvents(Steinberg::Vst::IEventList* events);
  template <typename Sample>
  void ProcessAudio(Steinberg::Vst::ProcessData& data, ChannelPointerWindow<Sample>& window);
  template <typename Sample>
  void ProcessSlice(Steinberg::Vst::ProcessData& data, ChannelPointerWindow<Sample>& window, int offset, int frames);
  template <typename Sample>
  void ConnectInputs(Steinberg::Vst::ProcessData& data, ChannelPointerWindow<Sample>& window, int offset, int frames);
  template <typename Sample>
  void ConnectOutputs(Steinberg::Vst::ProcessData& data, ChannelPointerWindow<Sample>& window, int offset);
  template <typename Sample>
  void ForgetStaleInputScratch(Steinberg::Vst::AudioBusBuffers* main, Steinberg::Vst::AudioBusBuffers* side);
  template <typename Sample>
  void BindInputBus(int first, int count, Sample** host, int frames);
  template <typename Sample>
  void RunBlock(int frames);
  void SilenceOutputs(Steinberg::Vst::ProcessData& data);

  // State
  tresult ReadState(Steinberg::IBStream* stream);

  int mSidechainChannels;
  bool mSidechainWasActive = false;
  // Per input channel: its scratch array holds converted host samples, which must not be
  // read by a later block in which the channel is fed nothing.
  std::vector<char> mInputScratchHoldsAudio;
  Steinberg::Vst::ProcessContext mProcessContext = {};
  std::vector<IPlugVST3View*> mViews;
  ChannelPointerWindow<float> mFloatWindow;
  ChannelPointerWindow<double> mDoubleWindow;
};
