#include "graphics/controls/ICaptionControl.h"

#include "framework/IPlugParam.h"

#include <string>

ICaptionControl::ICaptionControl(IPlugBase* plug, const IRECT& rect, int paramIdx, const IText& text, bool showLabel)
  : ITextControl(plug, rect, text, ""), mShowLabel(showLabel)
{
  // ITextControl is unbound; a caption shows a parameter and may prompt for it.
  SetParamIdx(paramIdx);
  SetPromptDisabled(false);
}

bool ICaptionControl::Paint(IGraphics& graphics)
{
  if (const IPlugParam* param = Param())
  {
    char display[IPlugParam::kDisplaySize];
    param->FormatValue(param->Value(), false, display, true);
    std::string caption = display;
    const char* label = param->UnitLabelForHost();
    if (mShowLabel && label[0])
    {
      caption += ' ';
      caption += label;
    }
    SetCaption(caption.c_str());
  }
  return ITextControl::Paint(graphics);
}

void ICaptionControl::PointerDown(int, int, const IPointerMods&)
{
  PromptForInput();
}
