#include "graphics/FontCache.h"

#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_PlatformFont.h"

#include <cstring>

namespace {
constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 700;

// The platform font's quality code for a text style's quality.
int PlatformQuality(int quality)
{
  switch (quality)
  {
    case IText::kQualityDefault:
      return 0;
    case IText::kQualityAntiAliased:
    case IText::kQualityClearType:
      return 4;
    default:
      return 3;  // non-antialiased, and anything unknown
  }
}
}  // namespace

FontCache& FontCache::Instance()
{
  static FontCache cache;
  return cache;
}

bool FontCache::Entry::Matches(const IText& text) const
{
  return size == text.size && orientation == text.orientation && style == text.style &&
         std::strncmp(name, text.font, IText::kFontNameSize) == 0;
}

LICE_CachedFont* FontCache::FontFor(const IText& text)
{
  {
    std::lock_guard<std::mutex> lock(mMutex);
    if (LICE_CachedFont* font = FindLocked(text))
      return font;
  }
  std::unique_ptr<LICE_CachedFont> created = CreateFont(text);
  if (!created)
    return nullptr;

  std::lock_guard<std::mutex> lock(mMutex);
  // Another editor may have made the same font while this one was being created.
  if (LICE_CachedFont* font = FindLocked(text))
    return font;
  Entry entry{text.size, text.orientation, text.style, {}, std::move(created)};
  std::memcpy(entry.name, text.font, IText::kFontNameSize);
  mEntries.push_back(std::move(entry));
  return mEntries.back().font.get();
}

std::unique_ptr<LICE_CachedFont> FontCache::CreateFont(const IText& text)
{
  const int tenthsOfDegrees = 10 * text.orientation;
  std::unique_ptr<LICE_PlatformFont> platformFont = CreatePlatformFont(
    text.size, tenthsOfDegrees, tenthsOfDegrees, text.style == IText::kStyleBold ? kWeightBold : kWeightNormal,
    text.style == IText::kStyleItalic, PlatformQuality(text.quality), text.font);
  if (!platformFont)
    return nullptr;
  auto font = std::make_unique<LICE_CachedFont>();
  font->AdoptPlatformFont(platformFont.release(), LICE_FONT_FLAG_OWNS_PLATFORM_FONT | LICE_FONT_FLAG_FORCE_NATIVE);
  return font;
}

LICE_CachedFont* FontCache::FindLocked(const IText& text) const
{
  for (const Entry& e : mEntries)
    if (e.Matches(text) && e.font)
      return e.font.get();
  return nullptr;
}
