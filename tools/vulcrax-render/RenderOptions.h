#pragma once

#include <string>
#include <vector>

// What one run of vulcrax-render is asked to do.
struct RenderOptions
{
  std::string pluginPath;             // bundle or library; empty for the built one
  std::string inputPath;              // empty: the built-in demo signal
  std::string outputPath;             // empty: derived from the input
  std::vector<std::string> settings;  // "Name=value", in the order given
  int blockSize = 512;
  int precision = 32;        // sample size handed to the plug-in, 32 or 64 bits
  bool floatOutput = false;  // 32-bit float samples instead of the input's sample format
  bool list = false;
  bool listPresets = false;
  bool stats = false;
  bool help = false;
  std::string loadStatePath;
  std::string saveStatePath;
  std::string preset;  // factory preset name or .vstpreset file
  std::string savePresetPath;
};

// Fills options from the command line; false with a message in error for a bad option.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error);

// The --help text.
const char* RenderUsage();
