#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/ParameterDirectory.h"

#include <string>
#include <vector>

// The plug-in's display text for a normalised value of a parameter; empty when the plug-in
// gives none.
std::string PluginValueText(Steinberg::Vst::IEditController& controller, Steinberg::Vst::ParamID id, double normalized);

// text without the spaces, tabs and carriage returns around it.
std::string Trim(const std::string& text);

// A number in its shortest usual form ("60", "0.5", "-30").
std::string FormatNumber(double value);

// Number of steps of a list parameter, at least 1, so that step k sits at k / steps.
Steinberg::int32 ListSteps(const TvHost::ParameterEntry& entry);

// The display text of each step of a list parameter; the step number where the plug-in
// gives no text.
std::vector<std::string> ChoiceLabels(Steinberg::Vst::IEditController& controller, const TvHost::ParameterEntry& entry);
