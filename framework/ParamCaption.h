#pragma once

#include <string>

class IPlugParam;

// The parameter's full name and its current value text with unit, as a tooltip or a menu
// title shows it: "Mid Sat. Gain: 12.3 dB", "Low Mute: off".
std::string ParamCaption(const IPlugParam& param);
