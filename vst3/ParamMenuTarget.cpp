#include "vst3/ParamMenuTarget.h"

#include "framework/ParamCaption.h"
#include "framework/ParamMenuItem.h"
#include "vst3/IPlugVST3.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
// Tags of our items are the ParamMenuItem values; the title and separator are never executed.
constexpr int32 kInertTag = 0;

IContextMenu::Item MenuItem(const char* utf8, int32 tag, int32 flags)
{
  IContextMenu::Item item{};
  WidenUtf8Text(utf8, item.name, static_cast<int>(sizeof(item.name) / sizeof(item.name[0])));
  item.tag = tag;
  item.flags = flags;
  return item;
}
}  // namespace

ParamMenuTarget::ParamMenuTarget(IPlugVST3& plug, int paramIdx) : mPlug(&plug), mParamIdx(paramIdx) {}

void ParamMenuTarget::AddItemsTo(IContextMenu& menu, const IPlugParam& param)
{
  if (menu.getItemCount() > 0)
    menu.addItem(MenuItem("", kInertTag, IContextMenu::Item::kIsSeparator), nullptr);
  menu.addItem(MenuItem(ParamCaption(param).c_str(), kInertTag, IContextMenu::Item::kIsDisabled), nullptr);
  for (ParamMenuItem item : kParamMenuItems)
    menu.addItem(MenuItem(ParamMenuItemText(item), static_cast<int32>(item), 0), this);
}

tresult PLUGIN_API ParamMenuTarget::executeMenuItem(int32 tag)
{
  ParamMenuItem item = ParamMenuItem::SetToDefault;
  if (!ParamMenuItemForTag(tag, item))
    return kInvalidArgument;
  if (IEditor* editor = mPlug->Editor())
    editor->RunParamMenuItem(mParamIdx, item);
  return kResultTrue;
}
