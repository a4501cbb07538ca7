// The edit-controller side of IPlugVST3: host parameter objects, value conversions, state,
// units and programs, MIDI mapping, and edits reported to the host.

#include "vst3/IPlugVST3.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "vst3/StateStreamIO.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kTextUnits = 128;

// Normalised values from the host are limited to 0..1; false for values that are no number.
bool NormalisedFromHost(ParamValue value, ParamValue* out)
{
  if (!std::isfinite(value))
    return false;
  *out = std::clamp(value, 0.0, 1.0);
  return true;
}

}  // namespace

// ---- Host parameter objects ----------------------------------------------------------------

void IPlugVST3::CreateHostParameters()
{
  if (PresetCount() >= 1)
    parameters.addParameter(
      new Parameter(STR16("Preset"), kPresetParamId, nullptr, 0.0, PresetCount(), ParameterInfo::kIsProgramChange));
  if (!IsInstrument())
  {
    auto* bypass =
      new StringListParameter(STR16("Bypass"), kBypassParamId, nullptr,
                              ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsBypass);
    bypass->appendString(STR16("off"));
    bypass->appendString(STR16("on"));
    parameters.addParameter(bypass);
  }
  for (int i = 0; i < NParams(); ++i)
    AddHostParameter(i);
  if (!DoesMidi())
    return;
  for (int c = 0; c < kMidiControllerCount; ++c)
  {
    auto* controller = new RangeParameter(STR16("MIDI CC"), static_cast<ParamID>(NParams() + c), nullptr, 0.0, 127.0,
                                          0.0, 0, ParameterInfo::kCanAutomate);
    controller->setPrecision(1);
    parameters.addParameter(controller);
  }
}

// The unit of a parameter is the 1-based position of its group name in the base's list of
// groups (filled here), or the root unit for an empty group name.
void IPlugVST3::AddHostParameter(int paramIdx)
{
  const IPlugParam* param = ParamAt(paramIdx);
  if (param->Kind() == KindUnset)
    return;

  UnitID unit = kRootUnitId;
  if (param->GroupName()[0] != '\0')
  {
    AddParamGroup(param->GroupName());
    for (int g = 0; g < ParamGroupCount(); ++g)
      if (std::strcmp(ParamGroupAt(g), param->GroupName()) == 0)
        unit = g + 1;
  }

  TChar title[kTextUnits];
  TChar units[kTextUnits];
  WidenText(param->Name(), title, kTextUnits);
  WidenText(param->UnitLabelForHost(), units, kTextUnits);
  const int32 automatable = param->Automatable() ? ParameterInfo::kCanAutomate : 0;
  const ParamID id = static_cast<ParamID>(paramIdx);

  Parameter* object = nullptr;
  if (param->Kind() == KindBool || param->Kind() == KindEnum)
  {
    auto* list = new StringListParameter(title, id, units, automatable | ParameterInfo::kIsList, unit);
    for (int t = 0; t < param->ValueTextCount(); ++t)
    {
      TChar text[kTextUnits];
      WidenText(param->ValueTextAt(t), text, kTextUnits);
      list->appendString(text);
    }
    object = list;
  }
  else
  {
    double minValue = 0.0;
    double maxValue = 1.0;
    param->Limits(&minValue, &maxValue);
    auto* range = new RangeParameter(title, id, units, minValue, maxValue, param->Default(), 0, automatable, unit);
    range->setPrecision(param->Decimals());
    object = range;
  }
  // The SDK objects would report a linear position (and 0 for every list); the host's
  // "reset to default" must land on the plug-in's own default, curve included.
  object->getInfo().defaultNormalizedValue = param->ToNormalized(param->Default());
  parameters.addParameter(object);
}

bool IPlugVST3::IsRangeParam(ParamID id) const
{
  if (!IsPluginParam(id))
    return false;
  const ParamKind kind = ParamAt(static_cast<int>(id))->Kind();
  return kind == KindInt || kind == KindDouble;
}

// ---- Value conversions ---------------------------------------------------------------------

// The host calls these from its own threads while process runs: each one holds the plug-in's
// mutex while it touches a parameter or the bypass flag, so a value never changes halfway
// through a block and no read overlaps a write.

ParamValue PLUGIN_API IPlugVST3::getParamNormalized(ParamID id)
{
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (id == kBypassParamId)
    return IsBypassed() ? 1.0 : 0.0;
  if (IsPluginParam(id))
    return ParamAt(static_cast<int>(id))->Normalized();
  return 0.0;
}

// Host values reach the processing side through the parameter queues of process; this only
// sets the parameter. The bypass switch is the exception: it is the plug-in's own state, and
// hosts tell the controller about it beside the queue, then read it back.
tresult PLUGIN_API IPlugVST3::setParamNormalized(ParamID id, ParamValue value)
{
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  ParamValue normalised = 0.0;
  if (!NormalisedFromHost(value, &normalised))
    return kResultFalse;
  if (id == kBypassParamId && !IsInstrument())
  {
    SetBypassed(normalised > 0.5);
    return kResultOk;
  }
  if (!IsPluginParam(id))
    return kResultFalse;
  const int index = static_cast<int>(id);
  ParamAt(index)->SetFromNormalized(normalised);
  // Hosts tell the controller about automation and their own parameter views this way; an
  // open editor shows the change even when no block carries it.
  if (Editor() != nullptr)
    Editor()->PushParamValue(index, normalised, true);
  return kResultOk;
}

ParamValue PLUGIN_API IPlugVST3::plainParamToNormalized(ParamID id, ParamValue plain)
{
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (IsPluginParam(id))
    return ParamAt(static_cast<int>(id))->ToNormalized(plain);
  return plain;
}

// Range parameters convert through the plug-in's own curve, so that this is the inverse of
// plainParamToNormalized and matches what setParamNormalized makes of the same value.
ParamValue PLUGIN_API IPlugVST3::normalizedParamToPlain(ParamID id, ParamValue value)
{
  ParamValue normalised = 0.0;
  if (!NormalisedFromHost(value, &normalised))
    normalised = 0.0;
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (IsRangeParam(id))
    return ParamAt(static_cast<int>(id))->FromNormalized(normalised);
  return SingleComponentEffect::normalizedParamToPlain(id, normalised);
}

// The SDK object parses the text (a plain number, or one of a list's strings); a plain number
// is then placed on the plug-in's curve like every other host value.
tresult PLUGIN_API IPlugVST3::getParamValueByString(ParamID id, TChar* string, ParamValue& value)
{
  if (string == nullptr)
    return kResultFalse;
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  ParamValue parsed = 0.0;
  if (SingleComponentEffect::getParamValueByString(id, string, parsed) != kResultTrue || !std::isfinite(parsed))
    return kResultFalse;
  if (IsRangeParam(id))
    parsed = ParamAt(static_cast<int>(id))->ToNormalized(SingleComponentEffect::normalizedParamToPlain(id, parsed));
  // The SDK objects of the other parameters scale a typed number without bounds: "5" for the
  // program list of one preset would come back as 5.
  value = std::clamp(parsed, 0.0, 1.0);
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3::getParamStringByValue(ParamID id, ParamValue value, String128 string)
{
  ParamValue normalised = 0.0;
  if (!IsPluginParam(id) || string == nullptr || !NormalisedFromHost(value, &normalised))
    return kResultFalse;
  constexpr bool kValueIsNormalised = true;
  constexpr bool kWithValueTexts = true;
  char text[IPlugParam::kDisplaySize];
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  ParamAt(static_cast<int>(id))->FormatValue(normalised, kValueIsNormalised, text, kWithValueTexts);
  WidenText(text, string, kTextUnits);
  return kResultOk;
}

// ---- State ---------------------------------------------------------------------------------

// The blob is the parameter image, a 4-byte bypass word (1 when bypassed) and the state
// extension. Versions that predate the extension read the image and the word and stop there.
tresult PLUGIN_API IPlugVST3::getState(IBStream* state)
{
  if (state == nullptr)
    return kInvalidArgument;
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  StateChunk image;
  StateChunk extension;
  if (!SerializeParams(&image) || !SerializeStateExtension(&extension))
    return kResultFalse;
  const int32 bypassWord = IsBypassed() ? 1 : 0;
  const bool written = StateStreamIO::Write(*state, image.Bytes(), image.Size()) &&
                       StateStreamIO::Write(*state, &bypassWord, sizeof bypassWord) &&
                       StateStreamIO::Write(*state, extension.Bytes(), extension.Size());
  return written ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPlugVST3::setState(IBStream* state)
{
  return ReadState(state);
}

tresult PLUGIN_API IPlugVST3::setComponentState(IBStream* state)
{
  return ReadState(state);
}

// Restores the parameters from the image and the extension after the bypass word, then reads
// that word. A stream that fails that read leaves the restored parameters and the bypass flag
// as they are. A blob without the extension (saved by an earlier version) gives the parameters
// after the image the values such blobs stand for.
// The blob need not start at the stream's start (hosts may hand over a stream positioned
// inside a larger one), so the bypass word is found relative to where reading began; an
// image that ran out (position -1) makes the seek fail and the word is read where the
// stream stands.
tresult IPlugVST3::ReadState(IBStream* stream)
{
  if (stream == nullptr)
    return kInvalidArgument;
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  int64 blobStart = 0;
  if (stream->tell(&blobStart) != kResultOk || blobStart < 0)
    blobStart = 0;
  StateChunk chunk;
  StateStreamIO::ReadAll(*stream, chunk, kMaxStateBytes, HostCode() == kHostCodeWaveLab);
  int32 bypassWord = 0;
  const int imageEnd = UnserializeStateAroundGap(&chunk, 0, sizeof bypassWord);
  stream->seek(imageEnd < 0 ? imageEnd : blobStart + imageEnd, IBStream::kIBSeekSet, nullptr);
  if (stream->read(&bypassWord, sizeof bypassWord, nullptr) != kResultOk)
    return kResultFalse;
  SetBypassed(bypassWord != 0);
  RefreshEditorFromParams();
  return kResultOk;
}

// ---- Units and programs --------------------------------------------------------------------

int32 PLUGIN_API IPlugVST3::getUnitCount()
{
  return ParamGroupCount() + 1;
}

tresult PLUGIN_API IPlugVST3::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
  if (unitIndex == 0)
  {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    info.programListId = kNoProgramListId;
    WidenText("Root Unit", info.name, kTextUnits);
    return kResultOk;
  }
  if (unitIndex < 0 || unitIndex > ParamGroupCount())
    return kResultFalse;
  info.id = unitIndex;
  info.parentUnitId = kRootUnitId;
  info.programListId = kNoProgramListId;
  WidenText(ParamGroupAt(unitIndex - 1), info.name, kTextUnits);
  return kResultOk;
}

// The preset list is reachable by its identifier only; no program list is announced.
int32 PLUGIN_API IPlugVST3::getProgramListCount()
{
  return 0;
}

tresult PLUGIN_API IPlugVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
  if (listIndex != 0)
    return kResultFalse;
  info.id = static_cast<ProgramListID>(kPresetParamId);
  WidenText("Factory Presets", info.name, kTextUnits);
  info.programCount = PresetCount();
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
  if (listId != static_cast<ProgramListID>(kPresetParamId) || name == nullptr)
    return kResultFalse;
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  WidenText(PresetName(programIndex), name, kTextUnits);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::hasProgramPitchNames(ProgramListID, int32)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::getProgramPitchName(ProgramListID, int32, int16, String128)
{
  return kNotImplemented;
}

UnitID PLUGIN_API IPlugVST3::getSelectedUnit()
{
  return kRootUnitId;
}

tresult PLUGIN_API IPlugVST3::selectUnit(UnitID)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::setUnitProgramData(int32, int32, IBStream*)
{
  return kNotImplemented;
}

// ---- MIDI mapping --------------------------------------------------------------------------

// Only a plug-in that does MIDI maps controllers (to its MIDI controller parameters); for any
// other the answer is that no mapping exists.
tresult PLUGIN_API IPlugVST3::getMidiControllerAssignment(int32, int16, CtrlNumber controller, ParamID& id)
{
  if (!DoesMidi() || controller < 0 || controller >= kMidiControllerCount)
    return kResultFalse;
  id = static_cast<ParamID>(NParams() + controller);
  return kResultOk;
}

// ---- Edits reported to the host ------------------------------------------------------------

void IPlugVST3::BeginInformHostOfParamChange(int paramIdx)
{
  beginEdit(static_cast<ParamID>(paramIdx));
}

void IPlugVST3::InformHostOfParamChange(int paramIdx, double normalized)
{
  performEdit(static_cast<ParamID>(paramIdx), normalized);
}

void IPlugVST3::EndInformHostOfParamChange(int paramIdx)
{
  endEdit(static_cast<ParamID>(paramIdx));
}
