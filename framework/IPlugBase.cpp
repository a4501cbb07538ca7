#include "framework/IPlugBase.h"

#include <cmath>
#include <cstring>
#include <new>

#include "framework/FixedText.h"
#include "framework/PackedVersion.h"
#include "framework/SampleCopy.h"
#include "framework/Trace.h"

IPlugBase::IPlugBase(int nParams, const char* channelIoString, int nPresets, const char* effectName,
                     const char* productName, const char* makerName, int effectVersion, int uniqueId, int makerId,
                     int latency, bool doesMidi, bool stateChunks, bool isInstrument, int apiCode)
  : mUniqueId(uniqueId), mMakerId(makerId), mEffectVersion(effectVersion), mApiCode(apiCode), mStateChunks(stateChunks),
    mIsInstrument(isInstrument), mDoesMidi(doesMidi), mImageParamCount(nParams > 0 ? nParams : 0), mLatency(latency)
{
  TV_TRACE("IPlugBase");
  for (int i = 0; i < nParams; ++i)
    mParams.push_back(std::make_unique<IPlugParam>());
  for (int i = 0; i < nPresets; ++i)
    mPresets.push_back(std::make_unique<PresetSlot>());
  CopyFixedText(mEffectName, effectName);
  CopyFixedText(mProductName, productName);
  CopyFixedText(mMakerName, makerName);
  ParseChannelIo(channelIoString);
}

IPlugBase::~IPlugBase()
{
  // The editor's controls refer to the parameters: it goes first.
  mEditor.reset();
  mParams.clear();
  mPresets.clear();
}

IPlugParam* IPlugBase::ParamAt(int i)
{
  return i >= 0 && i < NParams() ? mParams[i].get() : nullptr;
}

const IPlugParam* IPlugBase::ParamAt(int i) const
{
  return i >= 0 && i < NParams() ? mParams[i].get() : nullptr;
}

void IPlugBase::ResetProcessing()
{
  std::lock_guard<std::recursive_mutex> lock(mMutex);
}

void IPlugBase::ApplyParamChange(int /*paramIdx*/, ParamChangeSource /*source*/)
{
  std::lock_guard<std::recursive_mutex> lock(mMutex);
}

void IPlugBase::ActivationChanged(bool /*active*/)
{
  std::lock_guard<std::recursive_mutex> lock(mMutex);
}

void IPlugBase::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  const int nIn = InputChannelCount();
  for (int i = 0; i < OutputChannelCount(); ++i)
    CopyOrClearFrames(i < nIn ? inputs[i] : nullptr, outputs[i], nFrames);
}

void IPlugBase::SetParameterFromGUI(int paramIdx, double normalized)
{
  TV_TRACE("%d:%f", paramIdx, normalized);
  std::lock_guard<std::recursive_mutex> lock(mMutex);
  IPlugParam* param = ParamAt(paramIdx);
  if (!param)
    return;
  param->SetFromNormalized(normalized);
  InformHostOfParamChange(paramIdx, normalized);
  ApplyParamChange(paramIdx, kSourceEditor);
}

void IPlugBase::AttachEditor(IEditor* editor)
{
  if (!editor)
    return;
  std::lock_guard<std::recursive_mutex> lock(mMutex);
  for (int i = 0; i < NParams(); ++i)
    editor->PushParamValue(i, mParams[i]->Normalized(), true);
  editor->PrepareDrawSurfaces();
  mEditor.reset(editor);
}

void IPlugBase::DestroyEditor()
{
  std::lock_guard<std::recursive_mutex> lock(mMutex);
  mEditor.reset();
}

void IPlugBase::RefreshEditorFromParams()
{
  if (!mEditor)
    return;
  for (int i = 0; i < NParams(); ++i)
    mEditor->PushParamValue(i, mParams[i]->Value(), false);
}

void IPlugBase::CurrentTimeSignature(int* numerator, int* denominator)
{
  if (numerator)
    *numerator = 0;
  if (denominator)
    *denominator = 0;
}

void IPlugBase::FillTransportInfo(TransportInfo* info)
{
  if (info)
    *info = TransportInfo();
}

void IPlugBase::InformHostOfAllParams()
{
  std::lock_guard<std::recursive_mutex> lock(mMutex);
  for (int i = 0; i < NParams(); ++i)
    InformHostOfParamChange(i, mParams[i]->Normalized());
}

void IPlugBase::ApplyAllParamChanges(ParamChangeSource source)
{
  for (int i = 0; i < NParams(); ++i)
    ApplyParamChange(i, source);
}

bool IPlugBase::ValuesMatch(const double* values, int start) const
{
  if (!values || start < 0)
    return false;
  for (int i = 0; i < NParams(); ++i)
  {
    const float mine = static_cast<float>(mParams[i]->Value());
    const float theirs = static_cast<float>(values[start + i]);
    if (!(std::fabs(mine - theirs) < 0.00001f))
      return false;
  }
  return true;
}

const char* IPlugBase::ApiName() const
{
  static const char* const kNames[] = {"VST2", "VST3", "AU", "RTAS", "AAX", "Standalone"};
  const int count = static_cast<int>(sizeof kNames / sizeof kNames[0]);
  return mApiCode >= 0 && mApiCode < count ? kNames[mApiCode] : "";
}

int IPlugBase::EffectVersion(bool decimal) const
{
  return PackedVersion::Number(mEffectVersion, decimal);
}

void IPlugBase::EffectVersionText(char* out) const
{
  PackedVersion::FormatText(mEffectVersion, out, kVersionTextSize);
}

bool IPlugBase::SetBlockLength(int n)
{
  if (n == mBlockSize)
    return true;
  if (n < 0 || !ReserveScratch(n))
    return false;
  for (auto& channel : mInputs)
    channel->scratch.assign(static_cast<size_t>(n), 0.0);
  for (auto& channel : mOutputs)
    channel->scratch.assign(static_cast<size_t>(n), 0.0);
  mBlockSize = n;
  // Slots may point into scratch that has just moved; until the next bind every channel
  // uses its own (new) scratch.
  for (auto& channel : mInputs)
    *channel->slot = channel->scratch.data();
  for (auto& channel : mOutputs)
  {
    *channel->slot = channel->scratch.data();
    channel->floatDestination = nullptr;
  }
  return true;
}

bool IPlugBase::ReserveScratch(int n)
{
  // The standard containers report exhaustion by exception; here it becomes a refusal
  // that keeps the previous block size.
  try
  {
    for (auto& channel : mInputs)
      channel->scratch.reserve(static_cast<size_t>(n));
    for (auto& channel : mOutputs)
      channel->scratch.reserve(static_cast<size_t>(n));
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
  return true;
}

void IPlugBase::SetLatencyFrames(int n)
{
  mLatency = n;
  if (mLatencyDelay)
    mLatencyDelay->SetLength(n);
}

void IPlugBase::MakeLatencyDelay()
{
  mLatencyDelay = std::make_unique<LatencyDelay>(InputChannelCount(), OutputChannelCount(), mLatency);
}

double IPlugBase::FramesPerBeat()
{
  const double tempo = CurrentTempo();
  return tempo > 0.0 ? mSampleRate * 60.0 / tempo : 0.0;
}

void IPlugBase::AddParamGroup(const char* groupName)
{
  if (!groupName || groupName[0] == '\0')
    return;
  for (const char* existing : mParamGroups)
    if (std::strcmp(existing, groupName) == 0)
      return;
  mParamGroups.push_back(groupName);
}

const char* IPlugBase::ParamGroupAt(int i) const
{
  return i >= 0 && i < ParamGroupCount() ? mParamGroups[i] : "";
}
