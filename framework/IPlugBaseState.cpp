// The parameter state image and the preset slots of IPlugBase.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Base64.h"
#include "framework/FixedText.h"
#include "framework/FourCharCode.h"
#include "framework/IPlugBase.h"
#include "framework/ReplacingFile.h"
#include "framework/Trace.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

const char kUserPresetWord[] = "user preset";
constexpr int32_t kParamRecordTag = FourCharCode("PARM");
constexpr int32_t kViewRecordTag = FourCharCode("VIEW");
// Marks the entries of MakePresetFromNamedParams that no pair has set.
constexpr double kUnsetValueMarker = 9.999e-08;
// The dumps cut the base64 text of one image at this length.
constexpr int kMaxBlobTextLength = 1023;

std::string BlobText(const StateChunk& image)
{
  std::string text = Base64::Encode(image.Bytes(), image.Size());
  if (text.size() > static_cast<size_t>(kMaxBlobTextLength))
    text.resize(kMaxBlobTextLength);
  return text;
}

// One "identifier, value" entry of the source dump; without an identifier the index stands in.
void PrintNamedValue(ReplacingFile& file, const IPlugParam& param, const char* identifier, int paramIdx)
{
  char indexText[16];
  std::snprintf(indexText, sizeof indexText, "%d", paramIdx);
  char valueText[64];
  if (param.Kind() == KindBool)
    std::snprintf(valueText, sizeof valueText, "%s", param.BoolValue() ? "true" : "false");
  else if (param.Kind() == KindInt || param.Kind() == KindEnum)
    std::snprintf(valueText, sizeof valueText, "%d", param.IntValue());
  else
    std::snprintf(valueText, sizeof valueText, "%.6f", param.Value());
  file.Print(",\n    %s, %s", identifier ? identifier : indexText, valueText);
}

void PrintBlobLine(ReplacingFile& file, const char* name, const StateChunk& image)
{
  file.Print("MakePresetFromBlob(\"%s\", \"%s\", %i);\n", name, BlobText(image).c_str(), image.Size());
}
}  // namespace

bool IPlugBase::SerializeParams(StateChunk* chunk)
{
  if (!chunk)
    return false;
  Lock lock(mMutex);
  for (int i = 0; i < mImageParamCount; ++i)
    if (chunk->AppendDouble(mParams[i]->Value()) < 0)
      return false;
  return true;
}

void IPlugBase::SetImageParamCount(int count)
{
  mImageParamCount = count < 0 ? 0 : (count > NParams() ? NParams() : count);
}

int IPlugBase::UnserializeParams(const StateChunk* chunk, int startPos)
{
  Lock lock(mMutex);
  const int position = chunk ? ReadImage(*chunk, startPos) : -1;
  ApplyAllParamChanges(kSourceState);
  return position;
}

int IPlugBase::ReadImage(const StateChunk& chunk, int position)
{
  for (int i = 0; i < mImageParamCount && position >= 0; ++i)
  {
    IPlugParam& param = *mParams[i];
    TV_TRACE("%d %s %f", i, param.Name(), param.Value());
    // The parameter at which the image runs out takes 0, clamped into its range.
    double v = 0.0;
    position = chunk.ReadDouble(&v, position);
    param.Assign(v);
  }
  return position;
}

bool IPlugBase::SerializeState(StateChunk* chunk)
{
  return SerializeParams(chunk) && SerializeStateExtension(chunk);
}

bool IPlugBase::SerializeStateExtension(StateChunk* chunk)
{
  if (!chunk)
    return false;
  Lock lock(mMutex);
  std::vector<double> laterValues;
  for (int i = mImageParamCount; i < NParams(); ++i)
    laterValues.push_back(mParams[i]->Value());
  return AppendExtension(*chunk, laterValues.data());
}

bool IPlugBase::AppendImageAndExtension(StateChunk& chunk, const std::vector<double>& values)
{
  for (int i = 0; i < mImageParamCount; ++i)
    if (chunk.AppendDouble(values[i]) < 0)
      return false;
  return AppendExtension(chunk, values.data() + mImageParamCount);
}

// A plug-in whose image holds every parameter and that has no editor scale to keep writes no
// extension, so its state stays the bare image.
bool IPlugBase::AppendExtension(StateChunk& chunk, const double* laterValues)
{
  const int laterCount = NParams() - mImageParamCount;
  if (laterCount == 0 && mEditorScaleInState <= 0.0)
    return true;
  if (!StateExtension::AppendMagic(chunk))
    return false;
  if (laterCount > 0 &&
      !StateExtension::AppendRecord(chunk, kParamRecordTag, laterValues, laterCount * static_cast<int>(sizeof(double))))
    return false;
  if (mEditorScaleInState > 0.0 &&
      !StateExtension::AppendRecord(chunk, kViewRecordTag, &mEditorScaleInState, sizeof mEditorScaleInState))
    return false;
  return StateExtension::AppendEnd(chunk);
}

int IPlugBase::UnserializeState(const StateChunk* chunk, int startPos)
{
  Lock lock(mMutex);
  int end = chunk ? ReadImage(*chunk, startPos) : -1;
  if (end >= 0)
  {
    const int extensionEnd = ReadExtension(*chunk, end);
    if (extensionEnd >= 0)
      end = extensionEnd;
  }
  ApplyAllParamChanges(kSourceState);
  return end;
}

int IPlugBase::UnserializeStateAroundGap(const StateChunk* chunk, int startPos, int gapBytes)
{
  Lock lock(mMutex);
  const int imageEnd = chunk ? ReadImage(*chunk, startPos) : -1;
  if (imageEnd >= 0)
  {
    const bool gapFits = gapBytes >= 0 && gapBytes <= chunk->Size() - imageEnd;
    ReadExtension(*chunk, gapFits ? imageEnd + gapBytes : -1);
  }
  ApplyAllParamChanges(kSourceState);
  return imageEnd;
}

// The parameters after the image first take the value a state from before them stands for;
// the record "PARM", when it is there and whole, replaces that value with the saved one.
// Reading stops at the closing record or at the first record that does not fit in the data,
// keeping what the records before it gave.
int IPlugBase::ReadExtension(const StateChunk& chunk, int position)
{
  for (int i = mImageParamCount; i < NParams(); ++i)
    mParams[i]->Assign(mParams[i]->ValueInOlderStates());
  position = StateExtension::FindStart(chunk, position);
  if (position < 0)
    return -1;
  StateRecord record;
  while (StateExtension::ReadRecord(chunk, position, &record))
  {
    position = record.End();
    if (record.tag == StateExtension::kEndTag)
      break;
    if (record.tag == kParamRecordTag)
      ReadParamRecord(chunk, record);
    else if (record.tag == kViewRecordTag)
      ReadViewRecord(chunk, record);
  }
  return position;
}

// A record with fewer values than there are later parameters (from a version with fewer of
// them) sets those it holds; values for parameters this version lacks are skipped.
void IPlugBase::ReadParamRecord(const StateChunk& chunk, const StateRecord& record)
{
  const int held = record.payloadSize / static_cast<int>(sizeof(double));
  const int count = std::min(held, NParams() - mImageParamCount);
  for (int i = 0; i < count; ++i)
  {
    double v = 0.0;
    chunk.ReadDouble(&v, record.payloadPosition + i * static_cast<int>(sizeof v));
    mParams[mImageParamCount + i]->Assign(v);
  }
}

// The scale is the first double of the payload; later versions may add fields after it.
void IPlugBase::ReadViewRecord(const StateChunk& chunk, const StateRecord& record)
{
  double scale = 0.0;
  if (record.payloadSize >= static_cast<int>(sizeof scale) && chunk.ReadDouble(&scale, record.payloadPosition) >= 0)
    SetEditorScaleInState(scale);
}

void IPlugBase::SetEditorScaleInState(double scale)
{
  Lock lock(mMutex);
  if (std::isfinite(scale) && scale > 0.0)
    mEditorScaleInState = scale;
}

double IPlugBase::EditorScaleInState() const
{
  Lock lock(mMutex);
  return mEditorScaleInState;
}

PresetSlot* IPlugBase::FirstFreePreset()
{
  for (auto& slot : mPresets)
    if (!slot->initialised)
      return slot.get();
  return nullptr;
}

const PresetSlot* IPlugBase::PresetAt(int index) const
{
  return index >= 0 && index < PresetCount() ? mPresets[index].get() : nullptr;
}

const char* IPlugBase::PresetName(int index) const
{
  const PresetSlot* slot = PresetAt(index);
  return slot ? slot->name : "";
}

void IPlugBase::ClaimPreset(PresetSlot* slot, const char* name)
{
  slot->initialised = true;
  CopyFixedText(slot->name, name);
  slot->image.Clear();
}

PresetSlot* IPlugBase::ClaimFreePreset(const char* name)
{
  PresetSlot* slot = FirstFreePreset();
  if (slot)
    ClaimPreset(slot, name);
  return slot;
}

bool IPlugBase::CaptureIntoPreset(PresetSlot* slot, const char* name)
{
  ClaimPreset(slot, name);
  return SerializeState(&slot->image);
}

void IPlugBase::FillDefaultPresets(const char* name, int count)
{
  Lock lock(mMutex);
  for (int pass = 0; pass < count; ++pass)
    if (PresetSlot* slot = FirstFreePreset())
      CaptureIntoPreset(slot, name ? name : "Empty");
}

bool IPlugBase::LoadPreset(int index)
{
  Lock lock(mMutex);
  const PresetSlot* slot = PresetAt(index);
  if (!slot)
    return false;
  if (slot->initialised)
    return LoadFilledPreset(index);
  char name[PresetSlot::kNameSize];
  NextUserPresetName(name);
  if (!CaptureIntoPreset(mPresets[index].get(), name))
    return false;
  MakePresetCurrent(index);
  return true;
}

bool IPlugBase::LoadFilledPreset(int index)
{
  Lock lock(mMutex);
  const PresetSlot* slot = PresetAt(index);
  if (!slot || !slot->initialised || UnserializeState(&slot->image, 0) < 1)
    return false;
  MakePresetCurrent(index);
  return true;
}

void IPlugBase::MakePresetCurrent(int index)
{
  mCurrentPresetIndex = index;
  OnPresetChanged();
  RefreshEditorFromParams();
}

bool IPlugBase::LoadPresetByName(const char* name)
{
  if (!name || name[0] == '\0')
    return false;
  for (int i = 0; i < PresetCount(); ++i)
    if (std::strcmp(mPresets[i]->name, name) == 0)
      return LoadPreset(i);
  return false;
}

void IPlugBase::ModifyCurrentPreset(const char* name)
{
  Lock lock(mMutex);
  if (mCurrentPresetIndex < 0 || mCurrentPresetIndex >= PresetCount())
    return;
  PresetSlot& slot = *mPresets[mCurrentPresetIndex];
  slot.image.Clear();
  SerializeState(&slot.image);
  if (name && name[0] != '\0')
    CopyFixedText(slot.name, name);
  TV_TRACE("%d %s", mCurrentPresetIndex, slot.name);
}

void IPlugBase::AddPresetValues(const char* name, ...)
{
  Lock lock(mMutex);
  PresetSlot* slot = ClaimFreePreset(name);
  if (!slot)
    return;
  std::vector<double> values;
  std::va_list args;
  va_start(args, name);
  for (const auto& param : mParams)
    values.push_back(IsIntegerKind(param->Kind()) ? va_arg(args, int) : va_arg(args, double));
  va_end(args);
  AppendImageAndExtension(slot->image, values);
}

void IPlugBase::MakePresetFromNamedParams(const char* name, int count, ...)
{
  Lock lock(mMutex);
  PresetSlot* slot = ClaimFreePreset(name);
  if (!slot)
    return;
  std::vector<double> values(static_cast<size_t>(NParams()), kUnsetValueMarker);
  std::va_list args;
  va_start(args, count);
  for (int pair = 0; pair < count; ++pair)
  {
    const int index = va_arg(args, int);
    const IPlugParam* param = ParamAt(index);
    // The type of the value after an unknown index cannot be known, so nothing after it can
    // be read safely: that pair and the remaining ones are dropped.
    if (!param)
      break;
    values[index] = IsIntegerKind(param->Kind()) ? va_arg(args, int) : va_arg(args, double);
  }
  va_end(args);
  for (int i = 0; i < NParams(); ++i)
    if (values[i] == kUnsetValueMarker)
      values[i] = mParams[i]->Value();
  AppendImageAndExtension(slot->image, values);
}

void IPlugBase::AddPresetFromChunk(const char* name, const StateChunk* chunk)
{
  Lock lock(mMutex);
  PresetSlot* slot = ClaimFreePreset(name);
  if (!slot)
    return;
  if (chunk)
    slot->image.AppendChunk(*chunk);
}

void IPlugBase::MakePresetFromBlob(const char* name, const char* base64, int size)
{
  StateChunk chunk;
  if (size < 0 || !chunk.Resize(size))
    return;
  Base64::Decode(base64, chunk.Bytes(), size);
  AddPresetFromChunk(name, &chunk);
}

void IPlugBase::NextUserPresetName(char* out) const
{
  int userPresets = 0;
  for (const auto& slot : mPresets)
    if (std::strstr(slot->name, kUserPresetWord))
      ++userPresets;
  std::snprintf(out, PresetSlot::kNameSize, "%s %d", kUserPresetWord, userPresets + 1);
}

void IPlugBase::FillEmptyPresets()
{
  Lock lock(mMutex);
  for (auto& slot : mPresets)
    if (!slot->initialised)
      CaptureIntoPreset(slot.get(), "Empty");
}

void IPlugBase::PruneEmptyPresets()
{
  Lock lock(mMutex);
  std::vector<std::unique_ptr<PresetSlot>> kept;
  for (auto& slot : mPresets)
    if (slot->initialised)
      kept.push_back(std::move(slot));
  mPresets = std::move(kept);
}

bool IPlugBase::SerializePresets(StateChunk* chunk)
{
  if (!chunk)
    return false;
  Lock lock(mMutex);
  for (const auto& slot : mPresets)
  {
    TV_TRACE("%d %s", slot->initialised ? 1 : 0, slot->name);
    const int32_t nameLength = static_cast<int32_t>(std::strlen(slot->name));
    const unsigned char initialised = slot->initialised ? 1 : 0;
    if (chunk->AppendInt32(nameLength) < 0 || chunk->Append(slot->name, nameLength) < 0 ||
        chunk->Append(&initialised, 1) < 0)
      return false;
    if (slot->initialised && chunk->AppendChunk(slot->image) < 0)
      return false;
  }
  return true;
}

int IPlugBase::UnserializePresetSlot(const StateChunk& chunk, int position, PresetSlot* slot)
{
  int32_t nameLength = 0;
  const int nameStart = chunk.ReadInt32(&nameLength, position);
  // A missing length, or one that points backwards or past the end, marks the image as
  // damaged or hostile: reading stops there.
  if (nameStart < 0 || nameLength < 0 || nameLength > chunk.Size() - nameStart)
    return -1;
  char name[PresetSlot::kNameSize] = {};
  const int kept = nameLength < PresetSlot::kNameSize - 1 ? nameLength : PresetSlot::kNameSize - 1;
  chunk.ReadBytes(name, kept, nameStart);
  CopyFixedText(slot->name, name);
  unsigned char initialised = 0;
  position = chunk.ReadBytes(&initialised, 1, nameStart + nameLength);
  if (position < 0)
    return -1;
  slot->initialised = initialised != 0;
  if (slot->initialised)
  {
    position = UnserializeState(&chunk, position);
    if (position > 0)
    {
      slot->image.Clear();
      SerializeState(&slot->image);
    }
  }
  return position;
}

int IPlugBase::UnserializePresets(const StateChunk* chunk, int startPos)
{
  if (!chunk)
    return -1;
  Lock lock(mMutex);
  int position = startPos;
  for (auto& slot : mPresets)
  {
    if (position < 0)
      break;
    position = UnserializePresetSlot(*chunk, position, slot.get());
  }
  LoadPreset(mCurrentPresetIndex);
  return position;
}

// The dumps are formatted under the mutex; the flush, close and rename that may wait for the
// disk come after it is released, so a block is not held up by them.
bool IPlugBase::WritePresetSource(const char* path, const char* const* paramIdentifiers)
{
  ReplacingFile file(path);
  if (!file.IsOpen())
    return false;
  {
    Lock lock(mMutex);
    file.Print("  MakePresetFromNamedParams(\"name\", %d", NParams());
    for (int i = 0; i < NParams(); ++i)
      PrintNamedValue(file, *mParams[i], paramIdentifiers && paramIdentifiers[i] ? paramIdentifiers[i] : nullptr, i);
    file.Print(");\n");
  }
  return file.Commit();
}

bool IPlugBase::WritePresetBlob(const char* path)
{
  ReplacingFile file(path);
  {
    Lock lock(mMutex);
    const PresetSlot* slot = PresetAt(mCurrentPresetIndex);
    if (!slot)
      return false;
    PrintBlobLine(file, "name", slot->image);
  }
  return file.Commit();
}

bool IPlugBase::WriteBankBlob(const char* path)
{
  ReplacingFile file(path);
  {
    Lock lock(mMutex);
    for (const auto& slot : mPresets)
      PrintBlobLine(file, slot->name, slot->image);
  }
  return file.Commit();
}
