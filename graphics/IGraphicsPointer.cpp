// Pointer, wheel and key events: hit testing, capture and routing to controls.
#include "graphics/IGraphics.h"

#include "framework/IPlugBase.h"
#include "graphics/ParamMenu.h"
#include "graphics/controls/IControl.h"

// ---- Pointer and keys ------------------------------------------------------------------

void IGraphics::ReleaseCapture()
{
  mCaptureIndex = -1;
  mLastX = mLastY = -1;
}

int IGraphics::FindControl(int x, int y, bool forHover, int lowest) const
{
  for (int i = ControlCount() - 1; i >= lowest; --i)
  {
    const IControl& control = *mControls[i];
    if (control.IsHidden())
      continue;
    if (control.IsGreyed() && !(forHover && control.HoverWhenGreyed()))
      continue;
    if (control.Contains(x, y))
      return i;
  }
  return -1;
}

void IGraphics::PointerDown(int x, int y, const IPointerMods& mods)
{
  ReleaseCapture();
  const int index = FindControl(x, y, false, 0);
  if (index < 0)
    return;
  mCaptureIndex = index;
  mLastX = x;
  mLastY = y;
  IControl& control = *mControls[index];
  if (control.IsBound() && mods.right && mPlug && mPlug->ApiCode() == kApiVst3)
  {
    // The parameter's context menu, the host's or else our own; the control never sees
    // this press.
    ReleaseCapture();
    if (!mPlug->ShowHostParamMenu(control.ParamIdx(), x, y))
      ParamMenu(*this, control).Popup(x, y);
    return;
  }
  if (control.IsBound() && mPlug)
    mPlug->BeginInformHostOfParamChange(control.ParamIdx());
  control.PointerDown(x, y, mods);
}

void IGraphics::PointerUp(int x, int y, const IPointerMods& mods)
{
  // Only a press the control took began an edit: a release after the host's menu, a double
  // click or a press elsewhere ends none.
  const bool captured = mCaptureIndex >= 0;
  const int index = captured ? mCaptureIndex : FindControl(x, y, false, 0);
  ReleaseCapture();
  if (index < 0)
    return;
  IControl& control = *mControls[index];
  control.PointerUp(x, y, mods);
  if (captured && control.IsBound() && mPlug)
    mPlug->EndInformHostOfParamChange(control.ParamIdx());
}

void IGraphics::PointerDrag(int x, int y, const IPointerMods& mods)
{
  if (mCaptureIndex < 0 || (x == mLastX && y == mLastY))
    return;
  const int dX = x - mLastX;
  const int dY = y - mLastY;
  mLastX = x;
  mLastY = y;
  mControls[mCaptureIndex]->PointerDrag(x, y, dX, dY, mods);
}

bool IGraphics::PointerDoubleClick(int x, int y, const IPointerMods& mods)
{
  ReleaseCapture();
  const int index = FindControl(x, y, false, 0);
  if (index < 0)
    return false;
  IControl& control = *mControls[index];
  if (!control.DoubleClickIsPress())
  {
    control.PointerDoubleClick(x, y, mods);
    return false;
  }
  mCaptureIndex = index;
  mLastX = x;
  mLastY = y;
  control.PointerDown(x, y, mods);
  return true;
}

bool IGraphics::PointerHover(int x, int y, const IPointerMods& mods)
{
  if (!mHandleHover)
    return false;
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, true, 0);
  if (index < 0)
    return true;
  mLastX = x;
  mLastY = y;
  mControls[index]->PointerHover(x, y, mods);
  if (mHoverIndex >= 0 && mHoverIndex != index)
    if (IControl* previous = ControlAt(mHoverIndex))
      previous->PointerLeave();
  mHoverIndex = index;
  return true;
}

void IGraphics::PointerLeave()
{
  for (auto& control : mControls)
    control->PointerLeave();
  mHoverIndex = -1;
}

void IGraphics::WheelTurn(int x, int y, const IPointerMods& mods, int delta)
{
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, false, 0);
  if (index >= 0)
    mControls[index]->WheelTurn(x, y, mods, delta);
}

bool IGraphics::KeyPress(int x, int y, int key)
{
  // The background at index 0 never takes keys.
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, false, 1);
  if (index > 0)
    return mControls[index]->KeyPress(x, y, key);
  if (mKeyCatcher)
    return mKeyCatcher->KeyPress(x, y, key);
  return false;
}

int IGraphics::ControlIndexAt(int x, int y, bool forHover) const
{
  return mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, forHover, 0);
}

int IGraphics::ParamIndexAt(int x, int y)
{
  const int index = FindControl(x, y, false, 0);
  mLastClickedParam = index > 0 ? mControls[index]->ParamIdx() : -1;
  return mLastClickedParam;
}

int IGraphics::TakeLastClickedParam()
{
  const int param = mLastClickedParam;
  mLastClickedParam = -1;
  return param;
}
