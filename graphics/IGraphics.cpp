#include "graphics/IGraphics.h"

#include "framework/EditorScale.h"
#include "framework/IPlugBase.h"
#include "framework/IPlugParam.h"
#include "graphics/controls/IControl.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <mutex>

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int fps)
  : mPlug(plug), mWidth(width), mHeight(height), mFps(fps > 0 ? fps : kDefaultFps),
    mPending(plug ? plug->NParams() : 0), mTaken(plug ? plug->NParams() : 0)
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
  if (mPlug)
    mPlug->RequestEditorSize(width, height);
}

void* IGraphics::AttachToParentControl(void*, void*)
{
  return nullptr;
}

void IGraphics::AttachToHostWindow(void*) {}

void IGraphics::DetachFromHostWindow() {}

void IGraphics::IdleTick()
{
  if (mPlug)
    mPlug->EditorIdle();
  for (auto& control : mControls)
    control->IdleTick();
}

// ---- Editor interface ------------------------------------------------------------------

void IGraphics::PushParamValue(int paramIdx, double value, bool normalized)
{
  if (!normalized)
  {
    const IPlugParam* param = mPlug ? mPlug->ParamAt(paramIdx) : nullptr;
    if (!param)
    {
      return;
    }
    value = param->ToNormalized(value);
  }
  mPending.StoreValue(paramIdx, value);
}

void IGraphics::PrepareDrawSurfaces()
{
  mDrawSurface = std::make_unique<LICE_SysBitmap>(ToWindow(mWidth), ToWindow(mHeight));
  mScratchSurface = std::make_unique<LICE_MemBitmap>(0, 0, 4);
}

// ---- Scale -------------------------------------------------------------------------------

void IGraphics::SetDisplayScale(double scale)
{
  scale = EditorScale::Clamp(scale);
  if (scale == mScale)
    return;
  mScale = scale;
  mScaledImages.SetScale(scale);
  if (mDrawSurface)
    PrepareDrawSurfaces();
  for (auto& control : mControls)
    control->MarkDirty(false);
}

int IGraphics::ToWindow(int v) const
{
  return EditorScale::LayoutToWindow(v, mScale);
}

// A coordinate naming a pixel centre: layout pixel centre v + 0.5 lies at (v + 0.5) x scale.
float IGraphics::ToWindow(float v) const
{
  return static_cast<float>((v + 0.5) * mScale - 0.5);
}

IRECT IGraphics::LayoutToWindow(const IRECT& rect) const
{
  return IRECT(ToWindow(rect.L), ToWindow(rect.T), ToWindow(rect.R), ToWindow(rect.B));
}

IRECT IGraphics::WindowToLayout(const IRECT& rect) const
{
  if (rect.W() <= 0 || rect.H() <= 0)
    return IRECT();
  return IRECT(EditorScale::WindowToLayout(rect.L, mScale), EditorScale::WindowToLayout(rect.T, mScale),
               EditorScale::WindowToLayout(rect.R - 1, mScale) + 1,
               EditorScale::WindowToLayout(rect.B - 1, mScale) + 1);
}

void IGraphics::GreyParamControls(int paramIdx, bool grey)
{
  mPending.StoreGrey(paramIdx, grey);
}

void IGraphics::MarkAllDirty()
{
  mPending.StoreAllDirty();
}

void IGraphics::ApplyPendingChanges()
{
  TakePendingChanges();
  for (int i = 0; i < mTaken.ParamCount(); ++i)
  {
    DeliverParamChange(i, mTaken.ChangeAt(i));
  }
  if (mTaken.AllDirty())
  {
    for (auto& control : mControls)
    {
      control->MarkDirty(false);
    }
  }
}

// The one critical section of the UI thread's side: a copy, no control touched.
void IGraphics::TakePendingChanges()
{
  std::unique_lock<std::recursive_mutex> lock;
  if (mPlug)
  {
    lock = std::unique_lock<std::recursive_mutex>(mPlug->Mutex());
  }
  mPending.TakeInto(mTaken);
}

void IGraphics::DeliverParamChange(int paramIdx, const PendingEditorChanges::ParamChange& change)
{
  if (change.hasFirstValue)
  {
    DeliverParamValue(paramIdx, change.firstValue);
  }
  if (change.hasValue)
  {
    DeliverParamValue(paramIdx, change.value);
  }
  if (change.hasGrey)
  {
    DeliverParamGrey(paramIdx, change.grey);
  }
}

void IGraphics::DeliverParamValue(int paramIdx, double normalized)
{
  for (auto& control : mControls)
  {
    if (control->ParamIdx() == paramIdx)
    {
      control->ValueFromPlugin(normalized);
    }
    const int aux = control->AuxPositionOf(paramIdx);
    if (aux >= 0)
    {
      control->AuxValueFromPlugin(aux, normalized);
    }
  }
}

void IGraphics::DeliverParamGrey(int paramIdx, bool grey)
{
  for (auto& control : mControls)
  {
    if (control->ParamIdx() == paramIdx)
    {
      control->SetGreyed(grey);
    }
  }
}

LICE_IBitmap* IGraphics::DrawSurface() const
{
  return mDrawSurface.get();
}
