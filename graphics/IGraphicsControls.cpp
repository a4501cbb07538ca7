// The control list and the binding of controls to parameters.
#include "graphics/IGraphics.h"

#include "framework/IPlugBase.h"
#include "framework/IPlugParam.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IControl.h"
#include "graphics/controls/IPanelControl.h"

// ---- Controls --------------------------------------------------------------------------

void IGraphics::AttachBackdrop(int id, const char* name)
{
  const IFrameStrip strip = LoadStripBitmap(id, name, 1);
  auto* backdrop = new IBitmapControl(mPlug, 0, 0, -1, strip, IBlend::BlendCopy);
  backdrop->SetGraphics(this);
  mControls.emplace(mControls.begin(), backdrop);
}

void IGraphics::AttachPanel(const IColor& colour)
{
  auto* panel = new IPanelControl(mPlug, IRECT(0, 0, mWidth, mHeight), colour);
  panel->SetGraphics(this);
  mControls.emplace(mControls.begin(), panel);
}

int IGraphics::AddControl(IControl* control)
{
  control->SetGraphics(this);
  mControls.emplace_back(control);
  return ControlCount() - 1;
}

void IGraphics::SetKeyCatcher(IControl* control)
{
  if (control)
    control->SetGraphics(this);
  mKeyCatcher.reset(control);
}

IControl* IGraphics::ControlAt(int index) const
{
  if (index < 0 || index >= ControlCount())
    return nullptr;
  return mControls[index].get();
}

void IGraphics::DeleteControls()
{
  while (!mControls.empty())
    mControls.pop_back();
}

// ---- Parameter binding -----------------------------------------------------------------

void IGraphics::ApplyEditorValue(int paramIdx, double normalized)
{
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx)
      control->SetValueFromUser(normalized);
}

void IGraphics::SetControlValue(int controlIdx, double normalized)
{
  if (IControl* control = ControlAt(controlIdx))
    control->ValueFromPlugin(normalized);
}

void IGraphics::HideParamControls(int paramIdx, bool hide)
{
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx)
      control->SetHidden(hide);
}

void IGraphics::ClampParamControls(int paramIdx, bool normalized, double low, double high)
{
  if (!normalized)
  {
    const IPlugParam* param = mPlug ? mPlug->ParamAt(paramIdx) : nullptr;
    if (!param)
      return;
    low = param->ToNormalized(low);
    high = param->ToNormalized(high);
  }
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx)
      control->SetClamp(low, high);
}

void IGraphics::UseParamNamesAsTooltips()
{
  for (auto& control : mControls)
    if (const IPlugParam* param = control->Param())
      control->SetTooltip(param->Name());
}
