#include "vst3/IPlugVST3View.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "vst3/HostRunLoop.h"
#include "vst3/IPlugVST3.h"

using namespace Steinberg;

IPlugVST3View::IPlugVST3View(IPlugVST3& plug) : mPlug(plug)
{
  mPlug.addRef();
}

// Leaves the plug-in's list of views first: releasing the plug-in may destroy it.
IPlugVST3View::~IPlugVST3View()
{
  CloseEditor();
  mPlug.ViewDestroyed(this);
  mPlug.release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type)
{
  if (mPlug.Editor() == nullptr || type == nullptr)
    return kResultFalse;
  return std::strcmp(type, kPlatformType) == 0 ? kResultTrue : kResultFalse;
}

// A host without a run loop, or a window the editor cannot be placed in, leaves nothing open.
tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
  if (parent == nullptr || mEditorView != nullptr || isPlatformTypeSupported(type) != kResultTrue)
    return kResultFalse;
  systemWindow = parent;
  if (!OpenEditor())
  {
    systemWindow = nullptr;
    return kResultFalse;
  }
  mPlug.EditorOpened();
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::removed()
{
  if (mEditorView != nullptr)
  {
    mPlug.EditorClosed();
    CloseEditor();
  }
  return CPluginView::removed();
}

bool IPlugVST3View::OpenEditor()
{
  FUnknownPtr<Linux::IRunLoop> loop(plugFrame);
  if (!loop)
    return false;
  mRunLoop = std::make_unique<HostRunLoop>(loop);
  mEditorView = mPlug.Editor()->OpenHostView(systemWindow, *mRunLoop, mPixelScale);
  if (mEditorView == nullptr)
    mRunLoop.reset();
  return mEditorView != nullptr;
}

void IPlugVST3View::CloseEditor()
{
  if (IEditor* editor = mPlug.Editor(); editor != nullptr && mEditorView != nullptr)
    editor->CloseHostView(mEditorView);
  mEditorView = nullptr;
  mRunLoop.reset();
}

tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size)
{
  IEditor* editor = mPlug.Editor();
  if (editor == nullptr)
    return kResultFalse;
  if (size == nullptr)
    return kInvalidArgument;
  size->left = 0;
  size->top = 0;
  size->right = static_cast<int32>(editor->Width() * editor->DisplayScale()) * mPixelScale;
  size->bottom = static_cast<int32>(editor->Height() * editor->DisplayScale()) * mPixelScale;
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize)
{
  if (newSize == nullptr)
    return kResultOk;
  setRect(*newSize);
  if (mExpectingResize)
  {
    mPlug.EditorResized();
    mExpectingResize = false;
  }
  return kResultOk;
}

bool IPlugVST3View::RequestResize(int width, int height)
{
  if (plugFrame == nullptr)
    return false;
  mExpectingResize = true;
  ViewRect rect(0, 0, width, height);
  plugFrame->resizeView(this, &rect);
  return true;
}

// Fractions below 2 keep the editor at its own size: pixel-doubling is the only scaling that
// keeps the artwork sharp. An open editor is reopened at the new scale and the host asked
// for the new size.
tresult PLUGIN_API IPlugVST3View::setContentScaleFactor(ScaleFactor factor)
{
  constexpr int kLargestScale = 8;
  const int scale = factor >= 2.0f ? std::min(static_cast<int>(std::floor(factor)), kLargestScale) : 1;
  if (scale == mPixelScale)
    return kResultOk;
  mPixelScale = scale;
  if (mEditorView == nullptr)
    return kResultOk;
  CloseEditor();
  if (!OpenEditor())
    return kResultFalse;
  ViewRect size;
  getSize(&size);
  if (plugFrame != nullptr)
    plugFrame->resizeView(this, &size);
  return kResultOk;
}
