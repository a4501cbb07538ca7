#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <string>

// The module-info file hosts read from a bundle's Contents/Resources/moduleinfo.json to learn
// its classes without loading it. It is made from what the module's factory reports, so it
// can never disagree with the module: moduleName is the bundle's name without ".vst3",
// moduleVersion the version of the build.
std::string ModuleInfoJson(Steinberg::IPluginFactory& factory, const std::string& moduleName,
                           const std::string& moduleVersion);
