#include "graphics/controls/IControl.h"

#include "framework/IPlugBase.h"
#include "framework/IPlugParam.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/ITextControl.h"

#include <cmath>
#include <cstring>

IControl::IControl(IPlugBase* plug, const IRECT& rect, int paramIdx, int blendMethod)
  : mPlug(plug), mRect(rect), mTargetRect(rect), mParamIdx(paramIdx), mBlend(blendMethod, 1.0f)
{
}

void IControl::PointerDown(int, int, const IPointerMods& mods)
{
  if (mods.right)
    PromptForInput();
}

void IControl::PointerUp(int, int, const IPointerMods&) {}

void IControl::PointerDrag(int, int, int, int, const IPointerMods&) {}

void IControl::PointerDoubleClick(int, int, const IPointerMods&)
{
  if (mDefaultValue >= 0.0)
  {
    mValue = mDefaultValue;
    MarkDirty(true);
  }
}

void IControl::WheelTurn(int, int, const IPointerMods&, int) {}

bool IControl::KeyPress(int, int, int)
{
  return false;
}

void IControl::PointerHover(int, int, const IPointerMods&) {}

void IControl::PointerLeave() {}

void IControl::ValueFromPlugin(double normalized)
{
  if (mDefaultValue < 0.0)
  {
    // The first value the plug-in sends becomes the double-click default.
    mValue = mDefaultValue = normalized;
    if (!std::isnan(normalized))
      return;
  }
  if (normalized == mValue)
    return;
  mValue = normalized;
  MarkDirty(false);
  mRedraw = true;
}

void IControl::TextEntered(const char*) {}

void IControl::SetHidden(bool hide)
{
  mHidden = hide;
  mRedraw = true;
  mBlend.weight = hide ? 0.0f : 1.0f;
  MarkDirty(false);
}

void IControl::SetGreyed(bool grey)
{
  mGreyed = grey;
  mBlend.weight = grey ? 0.25f : 1.0f;
  MarkDirty(false);
}

bool IControl::Contains(int x, int y) const
{
  return mTargetRect.Contains(x, y);
}

void IControl::MarkDirty(bool pushToPlugin)
{
  // A NaN would otherwise survive both comparisons and later pick a frame from garbage.
  if (std::isnan(mValue) || mValue < mClampLow)
    mValue = mClampLow;
  else if (mValue > mClampHigh)
    mValue = mClampHigh;
  mDirty = true;
  if (pushToPlugin && mPlug && mParamIdx >= 0)
  {
    mPlug->SetParameterFromGUI(mParamIdx, mValue);
    UpdateDisplays();
  }
}

void IControl::MarkClean()
{
  mDirty = mRedraw;
  mRedraw = false;
}

void IControl::IdleTick() {}

void IControl::AuxValueFromPlugin(int position, double normalized)
{
  AuxParam* aux = AuxParamAt(position);
  if (!aux || aux->value == normalized)
    return;
  aux->value = normalized;
  MarkDirty(false);
  mRedraw = true;
}

void IControl::MoveTo(int x, int y)
{
  mRect = IRECT(x, y, x + mRect.W(), y + mRect.H());
  mTargetRect = mRect;
}

void IControl::SetValueFromUser(double normalized)
{
  if (normalized == mValue)
    return;
  mValue = normalized;
  MarkDirty(true);
  mRedraw = true;
}

void IControl::PromptForInput()
{
  if (mParamIdx < 0 || mDisablePrompt || !Param())
    return;
  PromptForInputIn(PromptRect());
}

void IControl::PromptForInputIn(const IRECT& rect)
{
  IPlugParam* param = Param();
  if (mDisablePrompt || !param || !mGraphics)
    return;
  IRECT r = rect;
  mGraphics->PromptForParamInput(this, param, &r);
  mRedraw = true;
}

IRECT IControl::PromptRect() const
{
  if (Param()->ValueTextCount() > 0)
    return mRect;
  // A numeric field is centred on the control and 1.2 times its size.
  const int cx = static_cast<int>((mRect.L + mRect.R) * 0.5);
  const int cy = static_cast<int>((mRect.T + mRect.B) * 0.5);
  const int hx = static_cast<int>(static_cast<float>(mRect.W()) * 0.6f);
  const int hy = static_cast<int>(static_cast<float>(mRect.H()) * 0.6f);
  return IRECT(cx - hx, cy - hy, cx + hx, cy + hy);
}

void IControl::AddAuxParam(int paramIdx)
{
  mAuxParams.push_back(AuxParam{0.0, paramIdx});
}

IControl::AuxParam* IControl::AuxParamAt(int position)
{
  if (position < 0 || position >= AuxParamCount())
    return nullptr;
  return &mAuxParams[position];
}

int IControl::AuxPositionOf(int paramIdx) const
{
  for (int i = 0; i < AuxParamCount(); ++i)
    if (mAuxParams[i].paramIdx == paramIdx)
      return i;
  return -1;
}

void IControl::PushAuxToPlugin()
{
  if (!mPlug)
    return;
  for (const AuxParam& aux : mAuxParams)
    mPlug->SetParameterFromGUI(aux.paramIdx, aux.value);
}

IPlugParam* IControl::Param() const
{
  return (mPlug && mParamIdx >= 0) ? mPlug->ParamAt(mParamIdx) : nullptr;
}

void IControl::SetClamp(double low, double high)
{
  mClampLow = low;
  mClampHigh = high;
}

int IControl::FrameForValue(double value, int frames)
{
  if (frames < 2)
    return 1;
  const double c = (frames - 1) * value + 0.5;
  if (!(c >= 1.0))
    return 1;  // also catches NaN
  if (c >= frames)
    return frames;
  return static_cast<int>(c) + 1;
}

void IControl::PressCell(const std::vector<IRECT>& cells, int x, int y, const IPointerMods& mods)
{
  if (mods.right)
  {
    PromptForInput();
    return;
  }
  const int n = static_cast<int>(cells.size());
  for (int i = 0; i < n; ++i)
  {
    if (!cells[i].Contains(x, y))
      continue;
    mValue = n < 2 ? 0.0 : static_cast<double>(i) / (n - 1);
    MarkDirty(true);
    return;
  }
}

double IControl::WheelIncrement(const IPointerMods& mods, int delta)
{
  return delta * (WantsFineAdjustment(mods) ? 0.001 : 0.01);
}

void IControl::UpdateDisplays()
{
  IPlugParam* param = Param();
  if (!param)
    return;
  if (mValueDisplay)
  {
    char display[IPlugParam::kDisplaySize];
    param->FormatValue(param->Value(), false, display, true);
    mValueDisplay->SetCaption(display);
  }
  if (mNameDisplay)
    mNameDisplay->SetCaption(param->Name());
}
