#include "graphics/controls/IBitmapTextControl.h"

#include "graphics/IGraphics.h"

IBitmapTextControl::IBitmapTextControl(IPlugBase* plug, const IRECT& rect, const IFrameStrip& font, int charWidth,
                                       int charHeight, const char* text)
  : IControl(plug, rect), mFont(font), mCharWidth(charWidth), mCharHeight(charHeight), mString(text ? text : "")
{
}

bool IBitmapTextControl::Paint(IGraphics& graphics)
{
  if (mCharWidth <= 0 || mCharHeight <= 0)
    return true;
  const int columns = mFont.width / mCharWidth;
  if (columns <= 0)
    return true;
  const IRECT& r = Rect();
  int x = r.L;
  for (char c : mString)
  {
    if (c >= kFirstChar && c <= kLastChar)
    {
      const int cell = c - kFirstChar;
      const IRECT dest(x, r.T, x + mCharWidth, r.T + mCharHeight);
      graphics.DrawBitmapPart(mFont, dest, (cell % columns) * mCharWidth, (cell / columns) * mCharHeight, &Blend());
    }
    x += mCharWidth;
  }
  return true;
}

void IBitmapTextControl::SetTextFromPlugin(const char* text)
{
  const char* s = text ? text : "";
  if (mString == s)
    return;
  mString = s;
  MarkDirty(false);
}
