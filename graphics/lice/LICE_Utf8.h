#pragma once

#include <cstdint>

// Steps through UTF-8 text one code point at a time. Malformed bytes come out as U+FFFD
// so that broken text still shows where it is broken.
class LICE_Utf8
{
public:
  LICE_Utf8(const char* text, int length) : pos_(text), end_(text + length) {}

  // False at the end of the text.
  bool Next(uint32_t& codepoint);

  // True when every byte belongs to a well-formed sequence (no overlong forms, surrogates
  // or code points beyond U+10FFFF).
  static bool IsValid(const char* text, int length);

private:
  // Reads the code point at pos_ (not at the end) and moves past it; false when malformed.
  bool Decode(uint32_t& codepoint);

  const char* pos_;
  const char* end_;
};
