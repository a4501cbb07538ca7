#include "graphics/controls/IKnobMultiControlText.h"

#include "framework/IPlugParam.h"
#include "graphics/IGraphics.h"

IKnobMultiControlText::IKnobMultiControlText(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                                             const IText& text, bool showLabel)
  : IKnobMultiControl(plug, x, y, paramIdx, strip), mShowLabel(showLabel)
{
  mText = text;
  mImageRect = Rect();
  mTextRect = IRECT(x, Rect().B + kTextGap, Rect().R, Rect().B + text.size + 2 * kTextGap);
  SetTargetRect(IRECT(x, y, Rect().R, mTextRect.B));
  SetPromptDisabled(false);
}

bool IKnobMultiControlText::Paint(IGraphics& graphics)
{
  IKnobMultiControl::Paint(graphics);
  char value[IPlugParam::kDisplaySize] = "";
  FormatReadOut(value);
  if (!value[0])
    return true;

  IRECT box = mTextRect;
  graphics.DrawTextIn(mText, mReadOut.c_str(), box, true);
  box.B = box.T + mText.size + kTextGap;
  graphics.DrawTextIn(mText, mReadOut.c_str(), box, false);
  mTextBox = box;
  return true;
}

void IKnobMultiControlText::FormatReadOut(char* value)
{
  const IPlugParam* param = Param();
  if (!param)
    return;
  param->FormatValue(param->Value(), false, value, true);
  mReadOut = value;
  if (mShowLabel)
  {
    mReadOut += ' ';
    mReadOut += param->UnitLabelForHost();
  }
}

void IKnobMultiControlText::PointerDown(int x, int y, const IPointerMods& mods)
{
  if (!mTextRect.Contains(x, y))
  {
    PointerDrag(x, y, 0, 0, mods);
    return;
  }
  IPlugParam* param = Param();
  if (param && !PromptDisabled() && Graphics())
  {
    Graphics()->PromptForParamInput(this, param, &mTextRect);
    RequestRedraw();
  }
}

IRECT IKnobMultiControlText::DrawnRect() const
{
  return Rect().Union(mTextRect).Union(mTextBox);
}
