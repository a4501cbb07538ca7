#include "tools/vulcrax-render/PresetBank.h"

#include "tools/vulcrax-render/ParameterText.h"

#include <sstream>
#include <strings.h>

namespace {

constexpr char kInfoPrefix[] = "info:";

bool StartsWith(const std::string& text, const char* prefix)
{
  return text.rfind(prefix, 0) == 0;
}

// A name that can serve as a file name in any preset folder.
bool IsUsableName(const std::string& name)
{
  return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos;
}

}  // namespace

bool PresetBank::Parse(const std::string& text, std::string& error)
{
  mPresets.clear();
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);)
  {
    ++number;
    std::string problem;
    if (!ParseLine(Trim(line), problem))
    {
      error = "preset bank line " + std::to_string(number) + ": " + problem;
      return false;
    }
  }
  if (mPresets.empty())
  {
    error = "the preset bank holds no preset";
    return false;
  }
  return true;
}

bool PresetBank::ParseLine(const std::string& line, std::string& error)
{
  if (line.empty() || line[0] == '#')
    return true;
  if (line.front() == '[' && line.back() == ']')
    return StartPreset(Trim(line.substr(1, line.size() - 2)), error);
  if (mPresets.empty())
  {
    error = "\"" + line + "\" comes before the first [preset name]";
    return false;
  }
  FactoryPreset& preset = mPresets.back();
  if (StartsWith(line, kInfoPrefix))
  {
    preset.description = Trim(line.substr(sizeof kInfoPrefix - 1));
    return true;
  }
  if (line.find('=') == std::string::npos)
  {
    error = "expected NAME=VALUE, got \"" + line + "\"";
    return false;
  }
  preset.settings.push_back(line);
  return true;
}

bool PresetBank::StartPreset(const std::string& name, std::string& error)
{
  if (!IsUsableName(name))
  {
    error = "\"" + name + "\" cannot name a preset file";
    return false;
  }
  if (Find(name))
  {
    error = "a second preset named \"" + name + "\"";
    return false;
  }
  mPresets.push_back({name, std::string(), {}});
  return true;
}

const FactoryPreset* PresetBank::Find(const std::string& name) const
{
  for (const auto& preset : mPresets)
    if (strcasecmp(preset.name.c_str(), name.c_str()) == 0)
      return &preset;
  return nullptr;
}
