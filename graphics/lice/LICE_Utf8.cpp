#include "graphics/lice/LICE_Utf8.h"

namespace {
constexpr uint32_t kReplacement = 0xFFFD;

int SequenceLength(unsigned char lead)
{
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 0;
}

bool Acceptable(uint32_t codepoint, int length)
{
  static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  return codepoint >= kSmallest[length] && codepoint <= 0x10FFFF && !(codepoint >= 0xD800 && codepoint <= 0xDFFF);
}
}

bool LICE_Utf8::Next(uint32_t& codepoint)
{
  if (pos_ >= end_)
    return false;
  if (!Decode(codepoint))
    codepoint = kReplacement;
  return true;
}

bool LICE_Utf8::IsValid(const char* text, int length)
{
  LICE_Utf8 walker(text, length);
  uint32_t codepoint;
  while (walker.pos_ < walker.end_)
    if (!walker.Decode(codepoint))
      return false;
  return true;
}

bool LICE_Utf8::Decode(uint32_t& codepoint)
{
  const unsigned char lead = static_cast<unsigned char>(*pos_++);
  const int length = SequenceLength(lead);
  if (length == 1)
  {
    codepoint = lead;
    return true;
  }
  if (length == 0 || end_ - pos_ < length - 1)
    return false;
  uint32_t value = lead & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i)
  {
    const unsigned char next = static_cast<unsigned char>(pos_[i - 1]);
    if ((next & 0xC0) != 0x80)
      return false;
    value = value << 6 | (next & 0x3F);
  }
  pos_ += length - 1;
  codepoint = value;
  return Acceptable(value, length);
}
