#include "vst3/IPlugVST3View.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/EditorScale.h"
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
  mPlug.Editor()->SetDisplayScale(ShownScale());
  mEditorView = mPlug.Editor()->OpenHostView(systemWindow, *mRunLoop);
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

// The state keeps the size the user chose as a factor on the host's content scale, so that
// a project moved to a screen of another density opens the editor at the same physical size.
double IPlugVST3View::ShownScale() const
{
  const double chosen = mPlug.EditorScaleInState();
  return EditorScale::Clamp(mContentScale * (chosen > 0.0 ? chosen : 1.0));
}

ViewRect IPlugVST3View::SizeAt(double scale) const
{
  IEditor* editor = mPlug.Editor();
  if (editor == nullptr)
    return ViewRect();
  return ViewRect(0, 0, EditorScale::LayoutToWindow(editor->Width(), scale),
                  EditorScale::LayoutToWindow(editor->Height(), scale));
}

double IPlugVST3View::ScaleForSize(const ViewRect& size) const
{
  IEditor* editor = mPlug.Editor();
  const ViewRect current = SizeAt(ShownScale());
  if (editor == nullptr || current.getWidth() <= 0 || current.getHeight() <= 0)
    return ShownScale();
  const double widthChange = std::abs(size.getWidth() - current.getWidth()) / static_cast<double>(current.getWidth());
  const double heightChange =
    std::abs(size.getHeight() - current.getHeight()) / static_cast<double>(current.getHeight());
  const double scale = widthChange >= heightChange ? size.getWidth() / static_cast<double>(editor->Width())
                                                   : size.getHeight() / static_cast<double>(editor->Height());
  return EditorScale::Clamp(scale);
}

void IPlugVST3View::ApplyScale()
{
  IEditor* editor = mPlug.Editor();
  if (editor == nullptr || mEditorView == nullptr)
    return;
  const double before = editor->DisplayScale();
  editor->SetDisplayScale(ShownScale());
  if (editor->DisplayScale() != before)
    mPlug.EditorScaleChangedBy(this);
}

void IPlugVST3View::FollowEditorSize()
{
  if (IEditor* editor = mPlug.Editor(); editor != nullptr && mEditorView != nullptr)
  {
    const ViewRect size = SizeAt(editor->DisplayScale());
    RequestResize(size.getWidth(), size.getHeight());
  }
}

tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size)
{
  if (mPlug.Editor() == nullptr)
    return kResultFalse;
  if (size == nullptr)
    return kInvalidArgument;
  *size = SizeAt(ShownScale());
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::checkSizeConstraint(ViewRect* rect)
{
  if (mPlug.Editor() == nullptr)
    return kResultFalse;
  if (rect == nullptr)
    return kInvalidArgument;
  const ViewRect size = SizeAt(ScaleForSize(*rect));
  rect->right = rect->left + size.getWidth();
  rect->bottom = rect->top + size.getHeight();
  return kResultTrue;
}

// Any other size from the host becomes the largest scale whose editor fits into it; sizes
// that checkSizeConstraint gave out are met exactly. The editor is repainted at once.
tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize)
{
  if (newSize == nullptr)
    return kResultOk;
  setRect(*newSize);
  // The host's answer to the editor's own request keeps the scale.
  if (mExpectingResize)
  {
    mPlug.EditorResized();
    mExpectingResize = false;
    return kResultOk;
  }
  IEditor* editor = mPlug.Editor();
  if (editor == nullptr || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
    return kResultOk;
  double fitting = 0.0;
  for (double scale : {newSize->getWidth() / static_cast<double>(editor->Width()),
                       newSize->getHeight() / static_cast<double>(editor->Height())})
  {
    const ViewRect size = SizeAt(scale);
    if (size.getWidth() <= newSize->getWidth() && size.getHeight() <= newSize->getHeight())
      fitting = std::max(fitting, scale);
  }
  const double scale = EditorScale::Clamp(fitting > 0.0 ? fitting : ScaleForSize(*newSize));
  const ViewRect shown = SizeAt(ShownScale());
  const ViewRect wanted = SizeAt(scale);
  if (wanted.getWidth() == shown.getWidth() && wanted.getHeight() == shown.getHeight())
    return kResultOk;
  mPlug.SetEditorScaleInState(scale / mContentScale);
  ApplyScale();
  return kResultOk;
}

bool IPlugVST3View::RequestResize(int width, int height)
{
  if (plugFrame == nullptr)
    return false;
  mExpectingResize = true;
  ViewRect rect(0, 0, width, height);
  // A host that refuses sends no answer: the next onSize is the user's.
  if (plugFrame->resizeView(this, &rect) != kResultTrue)
    mExpectingResize = false;
  return true;
}

// The host's content scale multiplies the size the user chose. An open editor is repainted
// at the new scale and the host asked for the new size.
tresult PLUGIN_API IPlugVST3View::setContentScaleFactor(ScaleFactor factor)
{
  if (!(factor > 0.0f) || !std::isfinite(factor))
    return kInvalidArgument;
  if (factor == mContentScale)
    return kResultOk;
  mContentScale = factor;
  if (mEditorView == nullptr)
    return kResultOk;
  ApplyScale();
  ViewRect size = SizeAt(ShownScale());
  if (plugFrame != nullptr)
    plugFrame->resizeView(this, &size);
  return kResultOk;
}
