// Measuring and drawing text with the cached fonts.
#include "graphics/IGraphics.h"

#include "graphics/FontCache.h"
#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <algorithm>
#include <cmath>

bool IGraphics::MeasureText(IText& text, const char* str, IRECT& rect)
{
  return DrawTextIn(text, str, rect, true);
}

IRECT IGraphics::PlaceTextBox(const IRECT& rect, int align, int w, int h)
{
  IRECT box = rect;
  if (align == IText::kAlignNear)
  {
    box.R = box.L + w;
  }
  else if (align == IText::kAlignCenter)
  {
    box.L = static_cast<int>((rect.L + rect.R) * 0.5) - w / 2;
    box.R = box.L + w;
  }
  else
  {
    box.L = box.R - w;
  }
  box.B = box.T + h;
  return box;
}

LICE_IFont* IGraphics::FontFor(IText& text)
{
  if (!text.cachedFont)
    text.cachedFont = FontCache::Instance().FontFor(text);
  return text.cachedFont;
}

// A measured window length in layout pixels, rounded up so that the box covers the text.
int IGraphics::LayoutLength(int windowLength) const
{
  if (mScale == 1.0)
    return windowLength;
  return static_cast<int>(std::ceil(windowLength / mScale));
}

IText IGraphics::ScaledText(const IText& text) const
{
  IText scaled = text;
  scaled.size = std::max(1, static_cast<int>(std::lround(text.size * mScale)));
  scaled.cachedFont = nullptr;
  return scaled;
}

// The style's own cached font is its size at scale 1; other sizes come from the cache.
LICE_IFont* IGraphics::ScaledFontFor(IText& text)
{
  if (mScale == 1.0)
    return FontFor(text);
  return FontCache::Instance().FontFor(ScaledText(text));
}

bool IGraphics::DrawTextIn(IText& text, const char* str, IRECT& rect, bool measure)
{
  if (!str || !*str)
    return true;
  LICE_IFont* font = ScaledFontFor(text);
  if (!font)
    return false;
  font->SetTextColour(text.colour.ToPixel());
  const int align = text.align == IText::kAlignNear     ? LICE_DT_LEFT
                    : text.align == IText::kAlignCenter ? LICE_DT_CENTER
                                                        : LICE_DT_RIGHT;
  const int flags = LICE_DT_NOCLIP | align | (text.colour.A < 255 ? LICE_DT_USEFGALPHA : 0);
  if (measure)
  {
    LICE_RECT box{0, 0, 0, 0};
    font->RenderText(mDrawSurface.get(), str, -1, &box, flags | LICE_DT_CALCRECT);
    rect = PlaceTextBox(rect, text.align, LayoutLength(box.right - box.left), LayoutLength(box.bottom - box.top));
    return true;
  }
  if (!mDrawSurface)
    return true;
  const IRECT to = LayoutToWindow(rect);
  LICE_RECT r{to.L, to.T, to.R, to.B};
  font->RenderText(mDrawSurface.get(), str, -1, &r, flags);
  return true;
}
