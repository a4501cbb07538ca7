#include "graphics/IGraphics.h"

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
  const double scale = DisplayScale();
  mDrawSurface = std::make_unique<LICE_SysBitmap>(static_cast<int>(scale * mWidth), static_cast<int>(scale * mHeight));
  mScratchSurface = std::make_unique<LICE_MemBitmap>(0, 0, 4);
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
