#pragma once

#include "graphics/IText.h"

#include <memory>
#include <mutex>
#include <vector>

class LICE_CachedFont;

// The process-wide store of fonts, one per (size, orientation, style, face name). Fonts are
// created outside the lock; the lock covers only the list.
class FontCache
{
public:
  static FontCache& Instance();

  // The font for the text style, created on first use; null when no face can be made.
  LICE_CachedFont* FontFor(const IText& text);

private:
  struct Entry
  {
    int size;
    int orientation;
    int style;
    char name[IText::kFontNameSize];
    std::unique_ptr<LICE_CachedFont> font;

    bool Matches(const IText& text) const;
  };

  static std::unique_ptr<LICE_CachedFont> CreateFont(const IText& text);
  LICE_CachedFont* FindLocked(const IText& text) const;

  std::mutex mMutex;
  std::vector<Entry> mEntries;
};
