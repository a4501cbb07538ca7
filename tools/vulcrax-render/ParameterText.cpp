#include "tools/vulcrax-render/ParameterText.h"

#include "tools/host/Utf16Text.h"

#include <sstream>

using namespace Steinberg;

std::string PluginValueText(Vst::IEditController& controller, Vst::ParamID id, double normalized)
{
  Vst::String128 text{};
  if (controller.getParamStringByValue(id, normalized, text) != kResultOk)
    return std::string();
  return TvHost::Utf16ToUtf8(text, 128);
}

std::string Trim(const std::string& text)
{
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos)
    return std::string();
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string FormatNumber(double value)
{
  std::ostringstream out;
  out << value;
  return out.str();
}

int32 ListSteps(const TvHost::ParameterEntry& entry)
{
  return entry.stepCount > 0 ? entry.stepCount : 1;
}

std::vector<std::string> ChoiceLabels(Vst::IEditController& controller, const TvHost::ParameterEntry& entry)
{
  const int32 steps = ListSteps(entry);
  std::vector<std::string> labels;
  for (int32 step = 0; step <= steps; ++step)
  {
    const std::string text = PluginValueText(controller, entry.id, static_cast<double>(step) / steps);
    labels.push_back(text.empty() ? std::to_string(step) : text);
  }
  return labels;
}
