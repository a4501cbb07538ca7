// The editor services of IPlugVST3. The editor view itself is not built yet: createView
// answers no view, so the view list stays empty and these services find nothing to talk to.

#include "vst3/IPlugVST3.h"

#include <algorithm>

using namespace Steinberg;

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString /*name*/)
{
  return nullptr;
}

void IPlugVST3::ViewDestroyed(IPlugVST3View* view)
{
  const auto found = std::find(mViews.begin(), mViews.end(), view);
  if (found != mViews.end())
    mViews.erase(found);
}

void IPlugVST3::RequestEditorSize(int /*width*/, int /*height*/) {}

void IPlugVST3::ShowHostParamMenu(int /*paramIdx*/, int /*x*/, int /*y*/) {}
