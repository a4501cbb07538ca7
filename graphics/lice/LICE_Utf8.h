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

private:
  const char* pos_;
  const char* end_;
};
