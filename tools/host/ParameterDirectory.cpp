#include "tools/host/ParameterDirectory.h"

#include "tools/host/Utf16Text.h"

#include <strings.h>

namespace TvHost {

using namespace Steinberg;

ParameterDirectory::ParameterDirectory(Vst::IEditController& controller)
{
  const int32 count = controller.getParameterCount();
  for (int32 i = 0; i < count; ++i)
  {
    Vst::ParameterInfo info{};
    if (controller.getParameterInfo(i, info) != kResultOk)
      continue;
    ParameterEntry entry;
    entry.id = info.id;
    entry.title = Utf16ToUtf8(info.title, 128);
    entry.units = Utf16ToUtf8(info.units, 128);
    entry.stepCount = info.stepCount;
    entry.flags = info.flags;
    entry.defaultNormalized = info.defaultNormalizedValue;
    mEntries.push_back(std::move(entry));
  }
}

const ParameterEntry* ParameterDirectory::FindByTitle(const std::string& title) const
{
  for (const auto& entry : mEntries)
    if (entry.title == title)
      return &entry;
  const ParameterEntry* found = nullptr;
  for (const auto& entry : mEntries)
  {
    if (strcasecmp(entry.title.c_str(), title.c_str()) != 0)
      continue;
    if (found)
      return nullptr;
    found = &entry;
  }
  return found;
}

const ParameterEntry* ParameterDirectory::FindById(Vst::ParamID id) const
{
  for (const auto& entry : mEntries)
    if (entry.id == id)
      return &entry;
  return nullptr;
}

}  // namespace TvHost
