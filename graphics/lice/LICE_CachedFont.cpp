#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Blender.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_PlatformFont.h"
#include "graphics/lice/LICE_Raster.h"
#include "graphics/lice/LICE_Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
// Calls visit(glyph, pen x in 1/64 pixel) for every drawable character; returns the pen's
// final position. Control characters take no room.
template <typename Visit>
long WalkGlyphs(LICE_PlatformFont& font, const char* text, int length, Visit visit)
{
  LICE_Utf8 reader(text, length);
  uint32_t codepoint = 0;
  uint32_t previous = 0;
  long pen = 0;
  while (reader.Next(codepoint))
  {
    if (codepoint < 0x20)
      continue;
    const LICE_Glyph* glyph = font.Glyph(codepoint);
    if (!glyph)
      continue;
    pen += font.Kerning(previous, glyph->index);
    visit(*glyph, pen);
    pen += glyph->advance;
    previous = glyph->index;
  }
  return pen;
}

int PixelsOf(long pos26_6)
{
  return static_cast<int>((pos26_6 + 32) >> 6);
}

LICE_RECT Intersect(const LICE_RECT& a, const LICE_RECT& b)
{
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The part of a box inside clip. Text placed near the ends of the int range has edges
// beyond it, so boxes are given in 64 bits.
LICE_RECT ClipBox(const LICE_RECT& clip, int64_t left, int64_t top, int64_t right, int64_t bottom)
{
  if (clip.right <= clip.left || clip.bottom <= clip.top)
    return {0, 0, 0, 0};
  auto within = [](int64_t v, int low, int high) { return static_cast<int>(std::clamp<int64_t>(v, low, high)); };
  return {within(left, clip.left, clip.right), within(top, clip.top, clip.bottom), within(right, clip.left, clip.right),
          within(bottom, clip.top, clip.bottom)};
}
}

LICE_CachedFont::LICE_CachedFont() = default;

LICE_CachedFont::~LICE_CachedFont() = default;

void LICE_CachedFont::AdoptPlatformFont(LICE_PlatformFont* font, int flags)
{
  if (ownedFont_ && ownedFont_.get() != font)
    ownedFont_.reset();
  else if (ownedFont_ && !(flags & LICE_FONT_FLAG_OWNS_PLATFORM_FONT))
    ownedFont_.release();  // the caller keeps this font from now on
  if ((flags & LICE_FONT_FLAG_OWNS_PLATFORM_FONT) && !ownedFont_)
    ownedFont_.reset(font);
  font_ = font;
  flags_ = flags;
}

void LICE_CachedFont::SetCombineMode(int mode, float alpha)
{
  combineMode_ = mode;
  combineAlpha_ = alpha;
}

int LICE_CachedFont::MeasureWidth(const char* text, int length)
{
  return PixelsOf(WalkGlyphs(*font_, text, length, [](const LICE_Glyph&, long) {}));
}

int LICE_CachedFont::RenderText(LICE_IBitmap* bitmap, const char* text, int length, LICE_RECT* rect, int flags)
{
  if (!font_ || !text || !rect)
    return 0;
  if (length < 0)
    length = static_cast<int>(std::strlen(text));
  const int width = MeasureWidth(text, length);
  const int height = font_->LineHeight();
  if (flags & LICE_DT_CALCRECT)
  {
    *rect = {0, 0, width, height};
    return height;
  }
  const int align = flags & (LICE_DT_CENTER | LICE_DT_RIGHT);
  int64_t left = rect->left;
  if (align == LICE_DT_CENTER)
    left = (int64_t{rect->left} + rect->right) / 2 - width / 2;  // halves rounded as the editor's measuring does
  else if (align == LICE_DT_RIGHT)
    left = int64_t{rect->right} - width;

  LICE_RECT clip{0, 0, bitmap ? bitmap->Width() : 0, bitmap ? bitmap->Height() : 0};
  if (!(flags & LICE_DT_NOCLIP))
    clip = Intersect(clip, *rect);
  if (backMode_ == LICE_BACKMODE_OPAQUE)
  {
    const LICE_RECT box = ClipBox(clip, left, rect->top, left + width, int64_t{rect->top} + height);
    FillRect(bitmap, box.left, box.top, box.right - box.left, box.bottom - box.top, backColour_, combineAlpha_,
             combineMode_);
  }
  DrawGlyphs(bitmap, text, length, left, int64_t{rect->top} + font_->Ascent(), clip, flags);
  return height;
}

void LICE_CachedFont::DrawGlyphs(LICE_IBitmap* bitmap, const char* text, int length, int64_t penX, int64_t baseline,
                                 const LICE_RECT& clip, int flags)
{
  const LICE_Raster to(bitmap);
  if (to.Empty() || clip.right <= clip.left || clip.bottom <= clip.top)
    return;
  // Each glyph's coverage becomes the alpha of the text colour, composited with the
  // font's combine mode; the colour's own alpha counts only when asked for.
  const LICE_Blender blender(combineAlpha_, combineMode_ | LICE_BLIT_USE_ALPHA);
  const int colourAlpha = (flags & LICE_DT_USEFGALPHA) ? LICE_GETA(textColour_) : 255;
  const LICE_pixel rgb = textColour_ & 0xFFFFFF00u;
  WalkGlyphs(*font_, text, length, [&](const LICE_Glyph& glyph, long pen) {
    const int64_t x0 = penX + PixelsOf(pen) + glyph.left;
    const int64_t y0 = baseline - glyph.top;
    const LICE_RECT box = ClipBox(clip, x0, y0, x0 + glyph.width, y0 + glyph.height);
    for (int y = box.top; y < box.bottom; ++y)
    {
      const uint8_t* coverage = glyph.coverage.data() + static_cast<size_t>(y - y0) * glyph.width;
      LICE_pixel* row = to.Row(y);
      for (int x = box.left; x < box.right; ++x)
      {
        const int alpha = coverage[x - x0] * colourAlpha / 255;
        if (alpha > 0)
          row[x] = blender.Apply(rgb | static_cast<LICE_pixel>(alpha), row[x]);
      }
    }
  });
}
