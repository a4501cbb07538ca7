// The editor services of IPlugVST3: views for the host, resize requests and the host's
// context menu for a parameter.

#include "vst3/IPlugVST3.h"

#include <algorithm>
#include <cstring>

#include "vst3/IPlugVST3View.h"

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

// Resize requests always go to the first view.
void IPlugVST3::RequestEditorSize(int width, int height)
{
  if (Editor() == nullptr || mViews.empty())
    return;
  mViews.front()->RequestResize(width, height);
}

void IPlugVST3::ShowHostParamMenu(int paramIdx, int x, int y)
{
  if (componentHandler == nullptr || mViews.empty())
    return;
  FUnknownPtr<IComponentHandler3> handler(componentHandler);
  if (!handler)
    return;
  const ParamID id = static_cast<ParamID>(paramIdx);
  if (IContextMenu* menu = handler->createContextMenu(mViews.front(), &id))
  {
    menu->popup(x, y);
    menu->release();
  }
}
