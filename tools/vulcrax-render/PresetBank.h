#pragma once

#include <string>
#include <vector>

// One factory preset as the bank file lists it: a name, a line saying what it does, and
// parameter settings in the renderer's "Name=value" form. Parameters it does not name keep
// their defaults.
struct FactoryPreset
{
  std::string name;
  std::string description;
  std::vector<std::string> settings;
};

// The factory bank. The text holds one preset after another:
//
//   [Warm Bus]
//   info: what the preset does, in one line
//   Mid Sat Bypass=off
//   Mid Sat. Gain=6
//
// Blank lines and lines starting with '#' are ignored. Preset names become file names, so
// they must be unique ignoring case and may not contain '/' or start with '.'.
class PresetBank
{
public:
  // False with a one-line message naming the line in error when the text is malformed.
  bool Parse(const std::string& text, std::string& error);

  const std::vector<FactoryPreset>& Presets() const { return mPresets; }
  // The preset of that name ignoring case; nullptr if there is none.
  const FactoryPreset* Find(const std::string& name) const;

private:
  bool ParseLine(const std::string& line, std::string& error);
  bool StartPreset(const std::string& name, std::string& error);

  std::vector<FactoryPreset> mPresets;
};

// The bank built into the tools (resources/presets/factory-presets.txt).
const char* FactoryBankText();
