#pragma once

#include <cstddef>
#include <cstring>

// Copies text into a fixed-size field, cutting it so that the terminating NUL always fits.
// A null source gives the empty string.
inline void CopyFixedText(char* field, std::size_t fieldSize, const char* text)
{
  if (fieldSize == 0)
    return;
  std::size_t n = 0;
  if (text)
    while (n + 1 < fieldSize && text[n] != '\0')
      ++n;
  if (n > 0)
    std::memcpy(field, text, n);
  field[n] = '\0';
}

template <std::size_t N>
void CopyFixedText(char (&field)[N], const char* text)
{
  CopyFixedText(field, N, text);
}
