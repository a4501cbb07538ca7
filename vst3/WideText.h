#pragma once

#include "pluginterfaces/vst/vsttypes.h"

// Texts cross the host boundary one byte per UTF-16 code unit in both directions.

// Widens 8-bit text into out (outUnits code units with the terminator); longer text is cut.
inline void WidenText(const char* text, Steinberg::Vst::TChar* out, int outUnits)
{
  if (outUnits <= 0)
    return;
  int n = 0;
  if (text != nullptr)
    for (; n + 1 < outUnits && text[n] != '\0'; ++n)
      out[n] = static_cast<Steinberg::Vst::TChar>(static_cast<unsigned char>(text[n]));
  out[n] = 0;
}

// Narrows UTF-16 text into out (outSize bytes with the terminator) by keeping each unit's
// low byte; longer text is cut.
inline void NarrowText(const Steinberg::Vst::TChar* text, char* out, int outSize)
{
  if (outSize <= 0)
    return;
  int n = 0;
  if (text != nullptr)
    for (; n + 1 < outSize && text[n] != 0; ++n)
      out[n] = static_cast<char>(text[n] & 0xFF);
  out[n] = '\0';
}
