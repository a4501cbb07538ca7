#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/ParameterDirectory.h"

#include <string>

// A parameter value asked for on the command line, resolved to what the host sends.
struct ParameterSetting
{
  Steinberg::Vst::ParamID id = 0;
  std::string title;
  double normalized = 0.0;
};

// Reads "Name=value" with the value in the parameter's own units ("18", "18 dB", "on") and
// converts it through the plug-in's controller, so that curved ranges map as the plug-in
// maps them. False with a one-line message in error for an unknown name or a bad value.
bool ResolveParameterSetting(const std::string& text, const TvHost::ParameterDirectory& directory,
                             Steinberg::Vst::IEditController& controller, ParameterSetting& setting,
                             std::string& error);
