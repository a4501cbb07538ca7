#include "vst3/IPlugVST3View.h"

#include <cstring>

#include "vst3/IPlugVST3.h"

using namespace Steinberg;

IPlugVST3View::IPlugVST3View(IPlugVST3& plug) : mPlug(plug)
{
  mPlug.addRef();
}

// Leaves the plug-in's list of views first: releasing the plug-in may destroy it.
IPlugVST3View::~IPlugVST3View()
{
  mPlug.ViewDestroyed(this);
  mPlug.release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type)
{
  if (mPlug.Editor() == nullptr || type == nullptr)
    return kResultFalse;
  return std::strcmp(type, kPlatformType) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
  if (parent == nullptr || isPlatformTypeSupported(type) != kResultTrue)
    return kResultFalse;
  mPlug.Editor()->AttachToParentView(parent);
  mPlug.EditorOpened();
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::removed()
{
  if (IEditor* editor = mPlug.Editor())
  {
    mPlug.EditorClosed();
    editor->DetachView();
  }
  return CPluginView::removed();
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
  size->right = static_cast<int32>(editor->Width() * editor->DisplayScale());
  size->bottom = static_cast<int32>(editor->Height() * editor->DisplayScale());
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
