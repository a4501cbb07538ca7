#include "graphics/TextEntryFilter.h"

#include <cstring>

TextEntryFilter::TextEntryFilter(ParamKind kind, int maxLength)
  : mAcceptable(AcceptableCharacters(kind)), mMaxLength(maxLength)
{
}

const char* TextEntryFilter::AcceptableCharacters(ParamKind kind)
{
  return kind == KindDouble ? "0123456789.-+" : "0123456789-+";
}

bool TextEntryFilter::Accepts(const char* text) const
{
  if (!text)
    return true;
  const size_t length = std::strlen(text);
  if (mMaxLength > 0 && length > static_cast<size_t>(mMaxLength))
    return false;
  return std::strspn(text, mAcceptable) == length;
}
