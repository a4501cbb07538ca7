#pragma once

#include "framework/IPlugParam.h"

// What a value field accepts while the user types into it: the characters allowed for the
// parameter's kind and a maximum length. Platform layers apply it to their text fields.
class TextEntryFilter
{
public:
  TextEntryFilter(ParamKind kind, int maxLength);

  // Whole numbers (bool, int, enum) take digits and signs; continuous values also a point.
  static const char* AcceptableCharacters(ParamKind kind);
  bool Accepts(const char* text) const;

private:
  const char* mAcceptable;
  int mMaxLength;
};
