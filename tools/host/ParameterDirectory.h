#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <string>
#include <vector>

namespace TvHost {

// What an edit controller tells a host about one parameter, in UTF-8.
struct ParameterEntry
{
  Steinberg::Vst::ParamID id = 0;
  std::string title;
  std::string units;
  Steinberg::int32 stepCount = 0;
  Steinberg::int32 flags = 0;
  double defaultNormalized = 0.0;

  bool IsList() const { return (flags & Steinberg::Vst::ParameterInfo::kIsList) != 0 || stepCount > 0; }
  bool IsProgramChange() const { return (flags & Steinberg::Vst::ParameterInfo::kIsProgramChange) != 0; }
  bool IsBypass() const { return (flags & Steinberg::Vst::ParameterInfo::kIsBypass) != 0; }
};

// The controller's parameter list in the controller's order, with lookups by title and id.
class ParameterDirectory
{
public:
  explicit ParameterDirectory(Steinberg::Vst::IEditController& controller);

  const std::vector<ParameterEntry>& Entries() const { return mEntries; }
  // Exact title first; otherwise the one title equal to it ignoring case. nullptr if none.
  const ParameterEntry* FindByTitle(const std::string& title) const;
  const ParameterEntry* FindById(Steinberg::Vst::ParamID id) const;

private:
  std::vector<ParameterEntry> mEntries;
};

}  // namespace TvHost
