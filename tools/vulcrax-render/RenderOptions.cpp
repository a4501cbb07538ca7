#include "tools/vulcrax-render/RenderOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxBlockSize = 1 << 16;

const char kUsage[] = "usage: vulcrax-render [options] [INPUT] [NAME=VALUE ...]\n"
                      "\n"
                      "Processes INPUT (WAV, FLAC, AIFF, mono or stereo) through the TolvexVulcrax VST 3 plug-in.\n"
                      "Without INPUT a few seconds of built-in demo music are processed.\n"
                      "NAME=VALUE sets a parameter in its own units, e.g. \"Mid Sat. Gain=18\" or\n"
                      "\"Oversample On/Off=on\"; \"Bypass=on\" bypasses the plug-in. Settings apply after a preset.\n"
                      "\n"
                      "  -o, --output FILE     output file; .wav, .flac, .aif or .aiff sets its type (default:\n"
                      "                        INPUT-vulcrax.EXT, or vulcrax-demo.wav); written whole or not at all\n"
                      "  -p, --plugin PATH     plug-in bundle or library (default: the one installed beside this\n"
                      "                        tool in ../lib/vst3, else the one built with it)\n"
                      "  -s, --set NAME=VALUE  set a parameter (same as a NAME=VALUE argument)\n"
                      "  -i, --input FILE      input file (for names that contain '=')\n"
                      "  -b, --block-size N    frames per processing block, 1 to 65536 (default 512)\n"
                      "      --precision 32|64 sample size handed to the plug-in (default 32)\n"
                      "      --float           write 32-bit float samples instead of the input's sample format\n"
                      "                        (WAV or AIFF; the default name then ends in .wav)\n"
                      "      --list            print the parameters with their current values and exit\n"
                      "      --state FILE      load a state saved with --save-state before processing\n"
                      "      --save-state FILE save the plug-in's state after processing (or after --list)\n"
                      "      --preset NAME     load a factory preset (--list-presets names them; any case) or,\n"
                      "                        when NAME is a file, a .vstpreset of this plug-in, before processing\n"
                      "      --save-preset FILE\n"
                      "                        save the settings as a .vstpreset after processing (or after --list)\n"
                      "      --list-presets    print the factory presets and exit\n"
                      "      --stats           print peak and RMS level of each output channel\n"
                      "  -h, --help            show this help\n";

bool ParseInt(const char* text, int& value)
{
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || parsed < -kMaxBlockSize || parsed > kMaxBlockSize)
    return false;
  value = static_cast<int>(parsed);
  return true;
}

// Splits "--name=value" into name and value; other arguments are left whole.
void SplitInlineValue(const std::string& argument, std::string& name, std::string& value, bool& hasValue)
{
  const size_t equals = argument.find('=');
  hasValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
  name = hasValue ? argument.substr(0, equals) : argument;
  value = hasValue ? argument.substr(equals + 1) : std::string();
}

class ArgumentReader
{
public:
  ArgumentReader(int argc, const char* const* argv) : mArgc(argc), mArgv(argv) {}

  bool Done() const { return mNext >= mArgc; }
  std::string Next() { return mArgv[mNext++]; }
  // The value of an option: inline after '=' or the next argument.
  bool Value(const std::string& option, bool hasInline, const std::string& inlineValue, std::string& value,
             std::string& error)
  {
    if (hasInline)
    {
      value = inlineValue;
      return true;
    }
    if (Done())
    {
      error = "option " + option + " needs a value";
      return false;
    }
    value = Next();
    return true;
  }

private:
  int mArgc;
  const char* const* mArgv;
  int mNext = 1;
};

bool SetPositional(const std::string& argument, RenderOptions& options, std::string& error)
{
  if (argument.find('=') != std::string::npos)
  {
    options.settings.push_back(argument);
    return true;
  }
  if (!options.inputPath.empty())
  {
    error = "more than one input file: " + options.inputPath + ", " + argument;
    return false;
  }
  options.inputPath = argument;
  return true;
}

bool ApplyNumber(const std::string& option, const std::string& text, RenderOptions& options, std::string& error)
{
  int number = 0;
  if (option == "--block-size" || option == "-b")
  {
    if (!ParseInt(text.c_str(), number) || number < 1)
    {
      error = "bad block size \"" + text + "\" (1 to 65536)";
      return false;
    }
    options.blockSize = number;
    return true;
  }
  if (!ParseInt(text.c_str(), number) || (number != 32 && number != 64))
  {
    error = "bad precision \"" + text + "\" (32 or 64)";
    return false;
  }
  options.precision = number;
  return true;
}

// Handles an option that takes a value; false for unknown options.
bool IsValueOption(const std::string& name)
{
  static const char* const kNames[] = {"-o",          "--output", "-p",           "--plugin", "-s",
                                       "--set",       "-i",       "--input",      "-b",       "--block-size",
                                       "--precision", "--state",  "--save-state", "--preset", "--save-preset"};
  for (const char* known : kNames)
    if (name == known)
      return true;
  return false;
}

bool ApplyValue(const std::string& name, const std::string& value, RenderOptions& options, std::string& error)
{
  if (name == "-o" || name == "--output")
    options.outputPath = value;
  else if (name == "-p" || name == "--plugin")
    options.pluginPath = value;
  else if (name == "-s" || name == "--set")
    options.settings.push_back(value);
  else if (name == "-i" || name == "--input")
    options.inputPath = value;
  else if (name == "--state")
    options.loadStatePath = value;
  else if (name == "--save-state")
    options.saveStatePath = value;
  else if (name == "--preset")
    options.preset = value;
  else if (name == "--save-preset")
    options.savePresetPath = value;
  else
    return ApplyNumber(name, value, options, error);
  return true;
}

bool ApplyFlag(const std::string& name, RenderOptions& options)
{
  if (name == "--float")
    options.floatOutput = true;
  else if (name == "--list")
    options.list = true;
  else if (name == "--list-presets")
    options.listPresets = true;
  else if (name == "--stats")
    options.stats = true;
  else if (name == "-h" || name == "--help")
    options.help = true;
  else
    return false;
  return true;
}

}  // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error)
{
  ArgumentReader arguments(argc, argv);
  bool optionsEnded = false;
  while (!arguments.Done())
  {
    const std::string argument = arguments.Next();
    if (optionsEnded || argument.size() < 2 || argument[0] != '-')
    {
      if (!SetPositional(argument, options, error))
        return false;
      continue;
    }
    if (argument == "--")
    {
      optionsEnded = true;
      continue;
    }
    std::string name, inlineValue, value;
    bool hasInline = false;
    SplitInlineValue(argument, name, inlineValue, hasInline);
    if (IsValueOption(name))
    {
      if (!arguments.Value(name, hasInline, inlineValue, value, error) || !ApplyValue(name, value, options, error))
        return false;
    }
    else if (hasInline || !ApplyFlag(name, options))
    {
      error = "unknown option " + argument + " (see --help)";
      return false;
    }
  }
  // Either one replaces every parameter, so the second would silently undo the first.
  if (!options.loadStatePath.empty() && !options.preset.empty())
  {
    error = "--state and --preset both set every parameter; give only one of them";
    return false;
  }
  return true;
}

const char* RenderUsage()
{
  return kUsage;
}
