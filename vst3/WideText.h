#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <algorithm>

// Texts cross the host boundary one byte per UTF-16 code unit in both directions, except
// the editor's menu items, which are written in UTF-8.

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

// Decodes UTF-8 text into out (outUnits code units with the terminator); longer text is cut.
// A malformed sequence, or each byte of a character beyond the Basic Multilingual Plane,
// becomes U+FFFD.
inline void WidenUtf8Text(const char* text, Steinberg::Vst::TChar* out, int outUnits)
{
  if (outUnits <= 0)
    return;
  constexpr Steinberg::Vst::TChar kReplacement = 0xFFFD;
  int n = 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
  while (n + 1 < outUnits && *p != 0)
  {
    const int length = *p < 0x80 ? 1 : (*p & 0xE0) == 0xC0 ? 2 : (*p & 0xF0) == 0xE0 ? 3 : 0;
    unsigned code = length == 1 ? *p : length == 2 ? (*p & 0x1Fu) : (*p & 0x0Fu);
    int taken = 1;
    for (; taken < length && (p[taken] & 0xC0) == 0x80; ++taken)
      code = (code << 6) | (p[taken] & 0x3Fu);
    const bool whole = length > 0 && taken == length;
    out[n++] = whole ? static_cast<Steinberg::Vst::TChar>(code) : kReplacement;
    p += std::max(taken, 1);
  }
  out[n] = 0;
}
