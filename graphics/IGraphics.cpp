#include "graphics/IGraphics.h"

#include "framework/IPlugBase.h"
#include "framework/IPlugParam.h"
#include "graphics/controls/IControl.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_SysBitmap.h"

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int fps)
  : mPlug(plug), mWidth(width), mHeight(height), mFps(fps > 0 ? fps : kDefaultFps)
{
}

IGraphics::~IGraphics()
{
  mKeyCatcher.reset();
  DeleteControls();
}

// ---- Platform operations with a base behaviour ------------------------------------------

void IGraphics::ResizeEditor(int width, int height)
{
  mWidth = width;
  mHeight = height;
  ReleaseCapture();
  DeleteControls();
  mDrawSurface.reset();
  mScratchSurface.reset();
  PrepareDrawSurfaces();
  if (mPlug) mPlug->RequestEditorSize(width, height);
}

void* IGraphics::AttachToParentControl(void*, void*)
{
  return nullptr;
}

void IGraphics::AttachToHostWindow(void*) {}

void IGraphics::DetachFromHostWindow() {}

void IGraphics::IdleTick()
{
  if (mPlug) mPlug->EditorIdle();
  for (auto& control : mControls) control->IdleTick();
}

// ---- Editor interface ------------------------------------------------------------------

void IGraphics::PushParamValue(int paramIdx, double value, bool normalized)
{
  if (!normalized)
  {
    const IPlugParam* param = mPlug ? mPlug->ParamAt(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  for (auto& control : mControls)
  {
    if (control->ParamIdx() == paramIdx) control->ValueFromPlugin(value);
    const int aux = control->AuxPositionOf(paramIdx);
    if (aux >= 0) control->AuxValueFromPlugin(aux, value);
  }
}

void IGraphics::PrepareDrawSurfaces()
{
  const double scale = DisplayScale();
  mDrawSurface = std::make_unique<LICE_SysBitmap>(static_cast<int>(scale * mWidth), static_cast<int>(scale * mHeight));
  mScratchSurface = std::make_unique<LICE_MemBitmap>(0, 0, 4);
}

void IGraphics::GreyParamControls(int paramIdx, bool grey)
{
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx) control->SetGreyed(grey);
}

void IGraphics::MarkAllDirty()
{
  for (auto& control : mControls) control->MarkDirty(false);
}

LICE_IBitmap* IGraphics::DrawSurface() const
{
  return mDrawSurface.get();
}
