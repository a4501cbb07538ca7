#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/ChannelIoPair.h"
#include "framework/IEditor.h"
#include "framework/IPlugParam.h"
#include "framework/InputChannel.h"
#include "framework/LatencyDelay.h"
#include "framework/MidiMessage.h"
#include "framework/OutputChannel.h"
#include "framework/PresetSlot.h"
#include "framework/StateChunk.h"
#include "framework/StateExtension.h"
#include "framework/TransportInfo.h"

// Sources of a parameter change, passed to ApplyParamChange.
enum ParamChangeSource
{
  kSourceHost = 1,
  kSourceState = 2,
  kSourceEditor = 3,
  kSourceReset = 4
};

// The plug-in APIs an adapter can report through ApiCode, in the order ApiName names them.
enum PluginApi
{
  kApiVst2 = 0,
  kApiVst3 = 1,
  kApiAu = 2,
  kApiRtas = 3,
  kApiAax = 4,
  kApiStandalone = 5
};

// The host-neutral base of every effect. It owns the parameters, the preset slots, the
// channel bookkeeping with its scratch arrays, the editor object and the one recursive mutex
// that serialises parameter changes, state and presets against audio processing.
// A host adapter derives from it and supplies the host-facing operations (their defaults
// here do nothing); the effect overrides ResetProcessing, ApplyParamChange and ProcessBlock.
// Each overridable hook below says which thread calls it and whether the mutex is held then;
// whatever runs with the mutex held on the audio thread allocates nothing and does no I/O.
class IPlugBase
{
public:
  static constexpr int kNameSize = 128;        // effect, product and maker names (with NUL)
  static constexpr int kVersionTextSize = 32;  // buffers for version texts
  static constexpr int kHostNameSize = 32;     // buffers for HostDisplayName

  IPlugBase(int nParams, const char* channelIoString, int nPresets, const char* effectName, const char* productName,
            const char* makerName, int effectVersion, int uniqueId, int makerId, int latency, bool doesMidi,
            bool stateChunks, bool isInstrument, int apiCode);
  virtual ~IPlugBase();

  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // ---- Parameters -------------------------------------------------------------------
  int NParams() const { return static_cast<int>(mParams.size()); }
  IPlugParam* ParamAt(int i);              // nullptr outside 0..NParams()-1
  const IPlugParam* ParamAt(int i) const;  // nullptr outside 0..NParams()-1

  std::recursive_mutex& Mutex() const { return mMutex; }

  // ---- Overridden by the effect -------------------------------------------------------
  // Host's set-up thread (processing set-up), mutex held, never during a block.
  virtual void ResetProcessing();
  // Mutex held, on the thread of the change: the audio thread for host automation and
  // program changes, the host's UI thread for editor edits, state loads and resets.
  virtual void ApplyParamChange(int paramIdx, ParamChangeSource source);
  // Audio thread, mutex held. Default: copies input i to output i, zeros for outputs without an input.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);

  // ---- Editor side --------------------------------------------------------------------
  // Editor (host UI) thread; takes the mutex itself.
  virtual void SetParameterFromGUI(int paramIdx, double normalized);
  // The four editor notifications come on the host's UI thread without the mutex: an
  // override takes Mutex() before it touches anything a block reads.
  virtual void EditorOpened() {}
  virtual void EditorClosed() {}
  virtual void EditorIdle() {}
  virtual void EditorResized() {}
  // Host's UI thread when processing is switched on or off; the default only takes the mutex.
  virtual void ActivationChanged(bool active);
  // Host's UI thread at the end of initialisation, mutex not held, before any block.
  virtual void AfterInitialize() {}

  // Host's UI thread; takes the mutex itself. Takes ownership; ignored for nullptr. Pushes
  // every parameter's normalised value to it.
  virtual void AttachEditor(IEditor* editor);
  IEditor* Editor() const { return mEditor.get(); }
  // Destroys the editor at once. An effect calls it from its destructor, since the editor's
  // controls call into parts of the object that are gone before this base is destroyed.
  void DestroyEditor();
  // Mutex held, on the thread of a state or preset load (the audio thread for a host program
  // change). Pushes every parameter's current value to the editor.
  virtual void RefreshEditorFromParams();

  // ---- Host-facing operations; the adapter overrides these ----------------------------
  // Editor (host UI) thread; InformHostOfParamChange with the mutex held, the other two without.
  virtual void BeginInformHostOfParamChange(int /*paramIdx*/) {}
  virtual void InformHostOfParamChange(int /*paramIdx*/, double /*normalized*/) {}
  virtual void EndInformHostOfParamChange(int /*paramIdx*/) {}
  // Editor (host UI) thread, mutex not held. Shows the host's context menu for the parameter
  // at editor pixel (x, y), with the editor's own items in it; false when the host has none
  // to show, and the editor then shows its own.
  virtual bool ShowHostParamMenu(int /*paramIdx*/, int /*x*/, int /*y*/) { return false; }
  // Editor (host UI) thread, mutex not held.
  virtual void RequestEditorSize(int /*width*/, int /*height*/) {}
  // The transport queries read what the current block's host context says: audio thread (or
  // any thread holding the mutex).
  virtual bool HostRendersOffline() { return false; }
  virtual int CurrentSamplePosition() { return 0; }
  virtual double CurrentTempo() { return 0.0; }
  virtual void CurrentTimeSignature(int* numerator, int* denominator);
  virtual void FillTransportInfo(TransportInfo* info);
  // Host's UI thread, mutex not held.
  virtual void InformHostOfProgramChange() {}
  // Audio thread, mutex held (events and MIDI controller parameters of the block).
  virtual bool ForwardMidiMessage(const MidiMessage& /*message*/) { return false; }
  virtual void HandleMidiMessage(const MidiMessage& message) { ForwardMidiMessage(message); }
  // Mutex held, on the thread of the preset load (the audio thread for a host program change).
  virtual void OnPresetChanged() {}

  void InformHostOfAllParams();
  void ApplyAllParamChanges(ParamChangeSource source);
  // Any thread holding the mutex. True when every parameter's value matches values[start + i]
  // within 0.00001 (as floats).
  virtual bool ValuesMatch(const double* values, int start) const;

  // ---- Identity ------------------------------------------------------------------------
  // Any thread, no mutex needed: neither changes after construction and host identification.
  virtual int ApiCode() const { return mApiCode; }
  virtual int HostCode() const { return mHostCode; }
  const char* ApiName() const;
  static const char* ArchName() { return "x64"; }
  const char* EffectName() const { return mEffectName; }
  const char* ProductName() const { return mProductName; }
  const char* MakerName() const { return mMakerName; }
  int UniqueId() const { return mUniqueId; }
  int MakerId() const { return mMakerId; }
  // Packed 0xMMMMmmbb, or major * 10000 + minor * 100 + bug-fix when decimal.
  int EffectVersion(bool decimal) const;
  void EffectVersionText(char* out) const;  // "vM.m.b", out holds kVersionTextSize
  bool DoesMidi() const { return mDoesMidi; }
  bool IsInstrument() const { return mIsInstrument; }
  bool DoesStateChunks() const { return mStateChunks; }

  // ---- Host identification -------------------------------------------------------------
  void SetHost(const char* hostName, int version);
  static int IdentifyHost(const char* hostName);
  int HostVersion(bool decimal) const;
  void HostVersionText(char* out) const;                 // out holds kVersionTextSize
  static void HostDisplayName(int hostCode, char* out);  // out holds kHostNameSize

  // ---- Channels ------------------------------------------------------------------------
  bool LegalIO(int nInputs, int nOutputs) const;
  int InputChannelCount() const { return static_cast<int>(mInputs.size()); }
  int OutputChannelCount() const { return static_cast<int>(mOutputs.size()); }
  int ChannelIoPairCount() const { return static_cast<int>(mChannelIo.size()); }
  ChannelIoPair ChannelIoAt(int i) const;
  void ConnectInputChannels(int first, int count, bool connected);
  void ConnectOutputChannels(int first, int count, bool connected);
  bool IsInputConnected(int i) const;
  bool IsOutputConnected(int i) const;
  void LabelInputBus(int bus, const char* text);
  void LabelOutputBus(int bus, const char* text);
  const char* InputBusLabel(int bus) const;   // "" when unlabelled
  const char* OutputBusLabel(int bus) const;  // "" when unlabelled

  // ---- Per-block buffer operations (caller holds the mutex) -------------------------------
  // Every operation taking a frame count refuses (returns false, touches nothing) a block
  // longer than the block size set by SetBlockLength, or a negative one: the scratch arrays
  // are exactly that long. A null host array for a connected channel is treated like a
  // disconnected channel (input reads zeros, output goes to scratch).
  bool BindInputBuffers(int first, int count, double** hostInputs);
  bool BindInputBuffers(int first, int count, float** hostInputs, int nFrames);
  bool BindOutputBuffers(int first, int count, double** hostOutputs);
  bool BindOutputBuffers(int first, int count, float** hostOutputs);
  bool ProcessHostBlock(int nFrames);
  bool ProcessHostBlockFloat(int nFrames);
  bool ProcessHostBlockFloatAdding(int nFrames);
  bool PassThrough(int nFrames);
  bool PassThroughFloat(int nFrames);
  void ClearScratch();

  // ---- Rate, block size, latency --------------------------------------------------------
  // Host's set-up thread, mutex held. Resizes the scratch arrays when n differs; false (block
  // size kept) if they cannot grow.
  virtual bool SetBlockLength(int n);
  void SetRate(double hertz) { mSampleRate = hertz; }
  double SampleRate() const { return mSampleRate; }
  int BlockSize() const { return mBlockSize; }
  // Host's UI thread, mutex not held: the adapter tells the host, which must not happen
  // inside a block.
  virtual void SetLatencyFrames(int n);
  int LatencyFrames() const { return mLatency; }
  // Creates the pass-through delay (the adapter does this when there is an input channel).
  void MakeLatencyDelay();
  bool HasLatencyDelay() const { return mLatencyDelay != nullptr; }
  int TailFrames() const { return mTailLength; }
  void SetTailFrames(int n) { mTailLength = n; }
  double FramesPerBeat();
  bool IsBypassed() const { return mBypassed; }
  void SetBypassed(bool bypassed) { mBypassed = bypassed; }

  // ---- Parameter groups (host units) ------------------------------------------------------
  void AddParamGroup(const char* groupName);  // ignored when empty or already present
  int ParamGroupCount() const { return static_cast<int>(mParamGroups.size()); }
  const char* ParamGroupAt(int i) const;  // "" outside

  // ---- State -----------------------------------------------------------------------------
  // Called with the mutex held (the defaults take it too). Serialising grows the chunk and so
  // runs on the host's UI thread only; restoring also runs on the audio thread for a host
  // program change and must not allocate there.
  // The parameter image: the values of the first ImageParamCount() parameters as
  // little-endian doubles, in index order.
  virtual bool SerializeParams(StateChunk* chunk);
  // Returns start + 8 * ImageParamCount(), or -1 when the image runs out (see the implementation).
  virtual int UnserializeParams(const StateChunk* chunk, int startPos);
  // How many parameters, counted from index 0, the image holds: all of them unless the effect,
  // from its constructor, keeps the image of an earlier version whose parameter list it extended.
  void SetImageParamCount(int count);
  int ImageParamCount() const { return mImageParamCount; }

  // The state: the image, then the extension (StateExtension) with the record "PARM", the
  // values of the parameters after the image as doubles, and the record "VIEW", the editor
  // scale (one double) when one is set. Readers of the image alone never reach the extension.
  virtual bool SerializeState(StateChunk* chunk);
  // Restores the image at startPos and the extension right after it, then applies every
  // parameter once. Returns the end of the extension (of the image when none follows it), or -1
  // when the image runs out: the parameters after the image then keep their values.
  virtual int UnserializeState(const StateChunk* chunk, int startPos);
  // Appends the extension alone, for adapters that keep words of their own after the image.
  bool SerializeStateExtension(StateChunk* chunk);
  // UnserializeState for such a layout: the extension is looked for gapBytes after the image's
  // end. Returns the image's end, or -1 when the image runs out.
  int UnserializeStateAroundGap(const StateChunk* chunk, int startPos, int gapBytes);

  // ---- Editor scale kept with the state --------------------------------------------------
  // The scale the user or the host chose for the editor, saved as the record "VIEW" and
  // restored from it, so that it outlives the editor's window. 0 until a scale is set or a
  // state brings one; a state without the record leaves it as it is. Any thread; these take
  // the mutex.
  void SetEditorScaleInState(double scale);  // ignored unless a finite number above 0
  double EditorScaleInState() const;

  // ---- Presets ---------------------------------------------------------------------------
  void FillDefaultPresets(const char* name, int count);
  // Makes slot index current. An empty slot first captures the current values under the next
  // "user preset N" name, which grows its image: never on the audio thread.
  bool LoadPreset(int index);
  // Loads a slot that holds an image; an empty slot is refused (false) and stays empty. It
  // captures nothing and so allocates nothing: the audio thread's way to change presets.
  bool LoadFilledPreset(int index);
  bool LoadPresetByName(const char* name);
  const char* PresetName(int index) const;  // "" outside
  int PresetCount() const { return static_cast<int>(mPresets.size()); }
  int CurrentPresetIndex() const { return mCurrentPresetIndex; }
  const PresetSlot* PresetAt(int index) const;  // nullptr outside
  void ModifyCurrentPreset(const char* name = nullptr);
  // One value per parameter in index order: int for bool/int/enum parameters, else double.
  void AddPresetValues(const char* name, ...);
  // count pairs follow: parameter index (int), value (int for bool/int/enum, else double).
  void MakePresetFromNamedParams(const char* name, int count, ...);
  void AddPresetFromChunk(const char* name, const StateChunk* chunk);
  void MakePresetFromBlob(const char* name, const char* base64, int size);
  void NextUserPresetName(char* out) const;  // out holds PresetSlot::kNameSize
  void FillEmptyPresets();
  void PruneEmptyPresets();
  bool SerializePresets(StateChunk* chunk);
  int UnserializePresets(const StateChunk* chunk, int startPos);
  // Text dumps of the current values as source code; false when the file cannot be written.
  bool WritePresetSource(const char* path, const char* const* paramIdentifiers);
  bool WritePresetBlob(const char* path);
  bool WriteBankBlob(const char* path);

protected:
  InputChannel& InputAt(int i) { return *mInputs[i]; }
  OutputChannel& OutputAt(int i) { return *mOutputs[i]; }

private:
  void ParseChannelIo(const char* channelIoString);
  void CreateChannels(int nInputs, int nOutputs);
  bool FrameCountFits(int nFrames) const { return nFrames >= 0 && nFrames <= mBlockSize; }
  bool ReserveScratch(int n);
  void PointUnboundSlotsAtScratch(int nFrames);
  void ConvertOutputsToFloat(int nFrames, bool adding);
  PresetSlot* FirstFreePreset();
  void MakePresetCurrent(int index);  // selects it, tells the effect and refreshes the editor
  // Marks the slot initialised, names it and empties its image.
  static void ClaimPreset(PresetSlot* slot, const char* name);
  PresetSlot* ClaimFreePreset(const char* name);  // nullptr when every slot is taken
  bool CaptureIntoPreset(PresetSlot* slot, const char* name);
  int UnserializePresetSlot(const StateChunk& chunk, int position, PresetSlot* slot);
  // The parts of a state read; nothing is applied. Each returns the position after what it
  // read, or -1 (the image when it runs out, the extension when it is not there).
  int ReadImage(const StateChunk& chunk, int position);
  int ReadExtension(const StateChunk& chunk, int position);
  void ReadParamRecord(const StateChunk& chunk, const StateRecord& record);
  void ReadViewRecord(const StateChunk& chunk, const StateRecord& record);
  // values holds one value per parameter; the extension is left out when it would be empty.
  bool AppendImageAndExtension(StateChunk& chunk, const std::vector<double>& values);
  bool AppendExtension(StateChunk& chunk, const double* laterValues);
  static void LabelBus(std::vector<std::string>* labels, int bus, const char* text);

  std::vector<ChannelIoPair> mChannelIo;
  mutable std::recursive_mutex mMutex;
  char mEffectName[kNameSize] = {};
  char mProductName[kNameSize] = {};
  char mMakerName[kNameSize] = {};
  int mUniqueId;
  int mMakerId;
  int mEffectVersion;
  int mApiCode;
  int mHostCode = -1;
  int mHostVersion = 0;
  bool mStateChunks;
  bool mIsInstrument;
  bool mDoesMidi;
  bool mBypassed = false;
  int mCurrentPresetIndex = 0;
  int mImageParamCount;
  double mEditorScaleInState = 0.0;
  double mSampleRate = 44100.0;
  int mBlockSize = 0;
  int mLatency;
  int mTailLength = 0;
  std::unique_ptr<LatencyDelay> mLatencyDelay;
  std::vector<const char*> mParamGroups;
  std::unique_ptr<IEditor> mEditor;
  std::vector<std::unique_ptr<IPlugParam>> mParams;
  std::vector<std::unique_ptr<PresetSlot>> mPresets;
  std::vector<double*> mInputPointers;
  std::vector<double*> mOutputPointers;
  std::vector<std::unique_ptr<InputChannel>> mInputs;
  std::vector<std::unique_ptr<OutputChannel>> mOutputs;
  std::vector<std::string> mInputBusLabels;
  std::vector<std::string> mOutputBusLabels;
};
