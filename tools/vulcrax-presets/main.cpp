// vulcrax-presets: writes the factory bank as .vstpreset files through the built plug-in, the
// way a host saves a preset: a fresh instance per preset, the settings applied through its
// edit controller, the state taken with getState and the class identifier from the factory.
//
//   vulcrax-presets [--plugin PATH] FOLDER

#include "tools/host/HostApplication.h"
#include "tools/host/ParameterDirectory.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PresetFileIO.h"
#include "tools/vulcrax-render/ParameterSetting.h"
#include "tools/vulcrax-render/PresetBank.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef TV_DEFAULT_PLUGIN_PATH
#define TV_DEFAULT_PLUGIN_PATH "TolvexVulcrax.vst3"
#endif

using namespace Steinberg;

namespace {

const char kUsage[] = "usage: vulcrax-presets [--plugin PATH] FOLDER\n"
                      "Writes each factory preset as FOLDER/<name>.vstpreset through the plug-in.\n";

struct Options
{
  std::string pluginPath = TV_DEFAULT_PLUGIN_PATH;
  std::string folder;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
  for (int i = 1; i < argc; ++i)
  {
    const std::string argument = argv[i];
    if ((argument == "--plugin" || argument == "-p") && i + 1 < argc)
      options.pluginPath = argv[++i];
    else if (options.folder.empty() && !argument.empty() && argument[0] != '-')
      options.folder = argument;
    else
      return false;
  }
  return !options.folder.empty();
}

// Sets the preset's parameters on a fresh instance. A preset holds the effect's own
// parameters only: the host's bypass is not part of a sound.
bool ApplyPreset(const FactoryPreset& preset, TvHost::PluginInstance& instance, std::string& error)
{
  Vst::IEditController& controller = *instance.Controller();
  const TvHost::ParameterDirectory directory(controller);
  for (const std::string& text : preset.settings)
  {
    ParameterSetting setting;
    if (!ResolveParameterSetting(text, directory, controller, setting, error))
      return false;
    if (directory.FindById(setting.id)->IsBypass() ||
        controller.setParamNormalized(setting.id, setting.normalized) != kResultOk)
    {
      error = "\"" + setting.title + "\" cannot be part of a preset";
      return false;
    }
  }
  return true;
}

bool WritePreset(const FactoryPreset& preset, const std::shared_ptr<TvHost::PluginModule>& module,
                 const std::string& folder, std::string& error)
{
  TvHost::HostApplication host("vulcrax-presets");
  const auto instance = TvHost::PluginInstance::Create(module, &host, error);
  if (!instance || !ApplyPreset(preset, *instance, error))
    return false;
  const std::string path = folder + "/" + preset.name + ".vstpreset";
  return TvHost::WritePresetFile(path, instance->ClassId(), *instance->Component(), error);
}

}  // namespace

int main(int argc, char** argv)
{
  Options options;
  if (!ParseOptions(argc, argv, options))
  {
    std::fputs(kUsage, stderr);
    return 2;
  }
  PresetBank bank;
  std::string error;
  auto module = bank.Parse(FactoryBankText(), error) ? TvHost::PluginModule::Open(options.pluginPath, error) : nullptr;
  if (!module)
  {
    std::fprintf(stderr, "vulcrax-presets: %s\n", error.c_str());
    return EXIT_FAILURE;
  }
  for (const FactoryPreset& preset : bank.Presets())
  {
    if (!WritePreset(preset, module, options.folder, error))
    {
      std::fprintf(stderr, "vulcrax-presets: preset \"%s\": %s\n", preset.name.c_str(), error.c_str());
      return EXIT_FAILURE;
    }
  }
  return EXIT_SUCCESS;
}
