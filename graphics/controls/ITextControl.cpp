#include "graphics/controls/ITextControl.h"

#include "graphics/IGraphics.h"

ITextControl::ITextControl(IPlugBase* plug, const IRECT& rect, const IText& text, const char* caption)
  : IControl(plug, rect), mCaption(caption ? caption : "")
{
  mText = text;
}

bool ITextControl::Paint(IGraphics& graphics)
{
  if (!mCaption.empty())
  {
    IRECT r = Rect();
    graphics.DrawTextIn(mText, mCaption.c_str(), r, false);
  }
  return true;
}

void ITextControl::SetCaption(const char* caption)
{
  const char* text = caption ? caption : "";
  if (mCaption == text)
    return;
  mCaption = text;
  MarkDirty(false);
}
