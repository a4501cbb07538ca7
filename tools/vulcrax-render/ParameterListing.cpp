#include "tools/vulcrax-render/ParameterListing.h"

#include "tools/vulcrax-render/ParameterText.h"

#include <algorithm>
#include <string>

using namespace Steinberg;
using TvHost::ParameterEntry;

namespace {

// The plug-in's text, or the normalised value itself when the plug-in gives no text.
std::string ValueText(Vst::IEditController& controller, Vst::ParamID id, double normalized)
{
  const std::string text = PluginValueText(controller, id, normalized);
  return text.empty() ? FormatNumber(normalized) : text;
}

std::string RangeOrChoices(Vst::IEditController& controller, const ParameterEntry& entry)
{
  if (!entry.IsList())
    return FormatNumber(controller.normalizedParamToPlain(entry.id, 0.0)) + " .. " +
           FormatNumber(controller.normalizedParamToPlain(entry.id, 1.0));
  std::string choices;
  for (const std::string& label : ChoiceLabels(controller, entry))
    choices += (choices.empty() ? "" : " | ") + label;
  return choices;
}

bool IsPluginParameter(const ParameterEntry& entry)
{
  return !entry.IsProgramChange() && !entry.IsBypass();
}

}  // namespace

void PrintParameterTable(std::FILE* out, const TvHost::ParameterDirectory& directory, Vst::IEditController& controller)
{
  size_t nameWidth = 4;
  for (const auto& entry : directory.Entries())
    if (IsPluginParameter(entry))
      nameWidth = std::max(nameWidth, entry.title.size());

  const int width = static_cast<int>(nameWidth);
  std::fprintf(out, "%4s  %-*s  %-8s  %-5s  %s\n", "id", width, "name", "value", "unit", "range");
  for (const auto& entry : directory.Entries())
  {
    if (!IsPluginParameter(entry))
      continue;
    const std::string value = ValueText(controller, entry.id, controller.getParamNormalized(entry.id));
    std::fprintf(out, "%4u  %-*s  %-8s  %-5s  %s\n", static_cast<unsigned>(entry.id), width, entry.title.c_str(),
                 value.c_str(), entry.units.empty() ? "-" : entry.units.c_str(),
                 RangeOrChoices(controller, entry).c_str());
  }
  for (const auto& entry : directory.Entries())
    if (entry.IsBypass())
      std::fprintf(out, "\"%s\": %s\n", entry.title.c_str(),
                   controller.getParamNormalized(entry.id) > 0.5 ? "on" : "off");
}
