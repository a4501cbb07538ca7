// Measuring and drawing text with the cached fonts.
#include "graphics/IGraphics.h"

#include "graphics/FontCache.h"
#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_SysBitmap.h"

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

bool IGraphics::DrawTextIn(IText& text, const char* str, IRECT& rect, bool measure)
{
  if (!str || !*str)
    return true;
  LICE_IFont* font = FontFor(text);
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
    rect = PlaceTextBox(rect, text.align, box.right - box.left, box.bottom - box.top);
    return true;
  }
  if (!mDrawSurface)
    return true;
  LICE_RECT r{rect.L, rect.T, rect.R, rect.B};
  font->RenderText(mDrawSurface.get(), str, -1, &r, flags);
  return true;
}
