#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/ParameterDirectory.h"

#include <cstdio>

// Prints the plug-in's parameters as a table: identifier, name, current value as the plug-in
// displays it, unit, and the range or the choices. The host-level program change and bypass
// are left out of the table; the bypass state follows it on a line of its own.
void PrintParameterTable(std::FILE* out, const TvHost::ParameterDirectory& directory,
                         Steinberg::Vst::IEditController& controller);
