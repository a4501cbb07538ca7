#include "tools/vulcrax-render/ParameterSetting.h"

#include "tools/host/Utf16Text.h"
#include "tools/vulcrax-render/ParameterText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <strings.h>

using namespace Steinberg;
using TvHost::ParameterDirectory;
using TvHost::ParameterEntry;

namespace {

// A whole string that is a finite number, optionally followed by the parameter's unit.
bool ParseNumber(const std::string& text, const std::string& units, double& value)
{
  const char* begin = text.c_str();
  char* end = nullptr;
  value = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(value))
    return false;
  const std::string rest = Trim(end);
  return rest.empty() || (!units.empty() && strcasecmp(rest.c_str(), units.c_str()) == 0);
}

bool ResolveListValue(const std::string& value, const ParameterEntry& entry, Vst::IEditController& controller,
                      double& normalized)
{
  // The controller's own parser matches its strings exactly; lower case is tried as well.
  std::string lower = value;
  for (char& c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& candidate : {value, lower})
  {
    Vst::String128 wide{};
    TvHost::Utf8ToUtf16(candidate, wide, 128);
    Vst::ParamValue parsed = 0.0;
    if (controller.getParamValueByString(entry.id, wide, parsed) == kResultOk)
    {
      normalized = parsed;
      return true;
    }
  }
  const int32 steps = ListSteps(entry);
  const std::vector<std::string> labels = ChoiceLabels(controller, entry);
  for (int32 step = 0; step <= steps; ++step)
  {
    if (strcasecmp(labels[step].c_str(), value.c_str()) == 0)
    {
      normalized = static_cast<double>(step) / steps;
      return true;
    }
  }
  double index = 0.0;
  if (!ParseNumber(value, std::string(), index) || index != std::floor(index) || index < 0 || index > steps)
    return false;
  normalized = index / steps;
  return true;
}

std::string ListChoices(const ParameterEntry& entry, Vst::IEditController& controller)
{
  const std::vector<std::string> labels = ChoiceLabels(controller, entry);
  std::string choices;
  for (size_t i = 0; i < labels.size(); ++i)
    choices += (i == 0 ? "" : i + 1 == labels.size() ? " or " : ", ") + labels[i];
  return choices;
}

std::string RangeText(const ParameterEntry& entry, double minimum, double maximum)
{
  return FormatNumber(minimum) + " to " + FormatNumber(maximum) + (entry.units.empty() ? "" : " " + entry.units);
}

bool ResolveRangeValue(const std::string& value, const ParameterEntry& entry, Vst::IEditController& controller,
                       double& normalized, std::string& expected)
{
  // The controller gives the plain ends of the range.
  const double minimum = controller.normalizedParamToPlain(entry.id, 0.0);
  const double maximum = controller.normalizedParamToPlain(entry.id, 1.0);
  expected = "a number from " + RangeText(entry, minimum, maximum);
  double plain = 0.0;
  if (!ParseNumber(value, entry.units, plain) || plain < std::min(minimum, maximum) ||
      plain > std::max(minimum, maximum))
    return false;
  normalized = controller.plainParamToNormalized(entry.id, plain);
  return true;
}

}  // namespace

bool ResolveParameterSetting(const std::string& text, const ParameterDirectory& directory,
                             Vst::IEditController& controller, ParameterSetting& setting, std::string& error)
{
  const size_t equals = text.find('=');
  const std::string name = Trim(text.substr(0, equals));
  if (equals == std::string::npos || name.empty())
  {
    error = "expected NAME=VALUE, got \"" + text + "\"";
    return false;
  }
  const std::string value = Trim(text.substr(equals + 1));
  const ParameterEntry* entry = directory.FindByTitle(name);
  if (!entry || entry->IsProgramChange())
  {
    error = "unknown parameter \"" + name + "\" (--list shows the parameters)";
    return false;
  }
  double normalized = 0.0;
  std::string expected;
  bool resolved = false;
  if (entry->IsList())
  {
    expected = ListChoices(*entry, controller);
    resolved = !value.empty() && ResolveListValue(value, *entry, controller, normalized);
  }
  else
  {
    resolved = ResolveRangeValue(value, *entry, controller, normalized, expected);
  }
  if (!resolved)
  {
    error = "bad value \"" + value + "\" for \"" + entry->title + "\" (expected " + expected + ")";
    return false;
  }
  setting.id = entry->id;
  setting.title = entry->title;
  setting.normalized = normalized;
  return true;
}
