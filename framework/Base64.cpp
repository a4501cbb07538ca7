#include "framework/Base64.h"

#include <cstring>

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c)
{
  if (c == '\0')
    return -1;
  const char* found = std::strchr(kAlphabet, c);
  return found ? static_cast<int>(found - kAlphabet) : -1;
}
}  // namespace

std::string Base64::Encode(const unsigned char* bytes, int size)
{
  std::string text;
  text.reserve(static_cast<size_t>((size + 2) / 3) * 4);
  for (int i = 0; i < size; i += 3)
  {
    const int available = size - i < 3 ? size - i : 3;
    unsigned group = static_cast<unsigned>(bytes[i]) << 16;
    if (available > 1)
      group |= static_cast<unsigned>(bytes[i + 1]) << 8;
    if (available > 2)
      group |= bytes[i + 2];
    text += kAlphabet[(group >> 18) & 0x3F];
    text += kAlphabet[(group >> 12) & 0x3F];
    text += available > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    text += available > 2 ? kAlphabet[group & 0x3F] : '=';
  }
  return text;
}

int Base64::Decode(const char* text, unsigned char* out, int outSize)
{
  if (outSize <= 0)
    return 0;
  std::memset(out, 0, static_cast<size_t>(outSize));
  if (!text)
    return 0;
  int written = 0;
  unsigned accumulator = 0;
  int bits = 0;
  for (const char* c = text; written < outSize; ++c)
  {
    const int sextet = SextetOf(*c);
    if (sextet < 0)
      break;
    accumulator = (accumulator << 6) | static_cast<unsigned>(sextet);
    bits += 6;
    if (bits >= 8)
    {
      bits -= 8;
      out[written++] = static_cast<unsigned char>((accumulator >> bits) & 0xFF);
    }
  }
  return written;
}
