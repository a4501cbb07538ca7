#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <string>

namespace TvHost {

// Conversions between the UTF-8 text the tools work with and the NUL-terminated UTF-16 text
// of the VST 3 interfaces.

// Decodes up to the terminator or maxUnits code units; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const Steinberg::char16* text, int maxUnits);

// Writes text into a buffer of capacity units, cut so that the terminator always fits.
void Utf8ToUtf16(const std::string& text, Steinberg::char16* out, int capacity);

}  // namespace TvHost
