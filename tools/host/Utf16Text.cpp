#include "tools/host/Utf16Text.h"

namespace TvHost {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c)
{
  if (c < 0x80)
  {
    out += static_cast<char>(c);
  }
  else if (c < 0x800)
  {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  else if (c < 0x10000)
  {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  else
  {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char32_t u)
{
  return u >= 0xD800 && u < 0xDC00;
}
bool IsLowSurrogate(char32_t u)
{
  return u >= 0xDC00 && u < 0xE000;
}

// Decodes one code point starting at text[i]; advances i past it.
char32_t DecodeUtf8(const std::string& text, size_t& i)
{
  const auto lead = static_cast<unsigned char>(text[i++]);
  int continuation = 0;
  char32_t c = 0;
  if (lead < 0x80)
    return lead;
  if ((lead & 0xE0) == 0xC0)
    continuation = 1, c = lead & 0x1F;
  else if ((lead & 0xF0) == 0xE0)
    continuation = 2, c = lead & 0x0F;
  else if ((lead & 0xF8) == 0xF0)
    continuation = 3, c = lead & 0x07;
  else
    return kReplacement;
  for (; continuation > 0; --continuation)
  {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
      return kReplacement;
    c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return c > 0x10FFFF ? kReplacement : c;
}

}  // namespace

std::string Utf16ToUtf8(const Steinberg::char16* text, int maxUnits)
{
  std::string out;
  for (int i = 0; i < maxUnits && text[i] != 0; ++i)
  {
    char32_t unit = static_cast<char16_t>(text[i]);
    if (IsHighSurrogate(unit) && i + 1 < maxUnits && IsLowSurrogate(static_cast<char16_t>(text[i + 1])))
      unit = 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
    else if (IsHighSurrogate(unit) || IsLowSurrogate(unit))
      unit = kReplacement;
    AppendUtf8(out, unit);
  }
  return out;
}

void Utf8ToUtf16(const std::string& text, Steinberg::char16* out, int capacity)
{
  if (capacity <= 0)
    return;
  int used = 0;
  for (size_t i = 0; i < text.size();)
  {
    const char32_t c = DecodeUtf8(text, i);
    const int units = c >= 0x10000 ? 2 : 1;
    if (used + units >= capacity)
      break;
    if (units == 2)
    {
      out[used++] = static_cast<Steinberg::char16>(0xD800 + ((c - 0x10000) >> 10));
      out[used++] = static_cast<Steinberg::char16>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    else
    {
      out[used++] = static_cast<Steinberg::char16>(c);
    }
  }
  out[used] = 0;
}

}  // namespace TvHost
