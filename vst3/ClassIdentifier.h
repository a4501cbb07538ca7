#pragma once

#include <cstdint>

#include "pluginterfaces/base/funknown.h"

// Builds a 16-byte class identifier from four 32-bit words, each written most significant
// byte first (the byte order VST 3 uses on every platform without COM).
inline void BuildClassIdentifier(const uint32_t (&words)[4], Steinberg::TUID out)
{
  for (int w = 0; w < 4; ++w)
    for (int b = 0; b < 4; ++b)
      out[4 * w + b] = static_cast<char>((words[w] >> (24 - 8 * b)) & 0xFF);
}
