// The editor services of IPlugVST3: views for the host, resize requests and the host's
// context menu for a parameter with the editor's items in it.

#include "vst3/IPlugVST3.h"

#include <algorithm>
#include <cstring>

#include "framework/EditorScale.h"
#include "vst3/IPlugVST3View.h"
#include "vst3/ParamMenuTarget.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString name)
{
  if (name == nullptr || std::strcmp(name, ViewType::kEditor) != 0)
    return nullptr;
  auto* view = new IPlugVST3View(*this);
  mViews.push_back(view);
  return view;
}

void IPlugVST3::ViewDestroyed(IPlugVST3View* view)
{
  const auto found = std::find(mViews.begin(), mViews.end(), view);
  if (found != mViews.end())
    mViews.erase(found);
}

void IPlugVST3::EditorScaleChangedBy(const IPlugVST3View* changed)
{
  for (IPlugVST3View* view : mViews)
    if (view != changed)
      view->FollowEditorSize();
}

// Resize requests always go to the first view, in window pixels at the editor's scale.
void IPlugVST3::RequestEditorSize(int width, int height)
{
  IEditor* editor = Editor();
  if (editor == nullptr || mViews.empty())
    return;
  const double scale = editor->DisplayScale();
  mViews.front()->RequestResize(EditorScale::LayoutToWindow(width, scale), EditorScale::LayoutToWindow(height, scale));
}

// The host's menu for the parameter gets the editor's items; its coordinates are the view's,
// in host pixels. Once the host has given a menu it counts as shown, whatever popup answers:
// a host that reports a dismissed menu as a failure must not see a second one of ours.
bool IPlugVST3::ShowHostParamMenu(int paramIdx, int x, int y)
{
  const IPlugParam* param = ParamAt(paramIdx);
  if (componentHandler == nullptr || mViews.empty() || param == nullptr)
    return false;
  FUnknownPtr<IComponentHandler3> handler(componentHandler);
  if (!handler)
    return false;
  const ParamID id = static_cast<ParamID>(paramIdx);
  IPlugVST3View* view = mViews.front();
  IPtr<IContextMenu> menu(handler->createContextMenu(view, &id), false);
  if (!menu)
    return false;
  const auto target = owned(new ParamMenuTarget(*this, paramIdx));
  target->AddItemsTo(*menu, *param);
  const double scale = Editor() ? Editor()->DisplayScale() : 1.0;
  menu->popup(EditorScale::LayoutToWindow(x, scale), EditorScale::LayoutToWindow(y, scale));
  return true;
}
