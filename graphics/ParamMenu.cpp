#include "graphics/ParamMenu.h"

#include "framework/IPlugBase.h"
#include "framework/IPlugParam.h"
#include "framework/ParamCaption.h"
#include "graphics/IGraphics.h"
#include "graphics/IPopupMenu.h"
#include "graphics/controls/IControl.h"

#include <iterator>

ParamMenu::ParamMenu(IGraphics& graphics, IControl& control) : mGraphics(graphics), mControl(control) {}

void ParamMenu::Popup(int x, int y)
{
  const IPlugParam* param = mControl.Param();
  if (param == nullptr)
    return;
  IPopupMenu menu;
  menu.AddItem(ParamCaption(*param).c_str(), IPopupMenu::kDisabled | IPopupMenu::kTitle);
  menu.AddItem("", IPopupMenu::kSeparator);
  const int firstItem = menu.ItemCount();
  for (ParamMenuItem item : kParamMenuItems)
    menu.AddItem(ParamMenuItemText(item));
  const IPopupMenu* chosen = mGraphics.RunPopupMenu(&menu, IRECT(x, y, x, y));
  const int position = chosen == &menu ? menu.ChosenItemIndex() - firstItem : -1;
  if (position >= 0 && position < static_cast<int>(std::size(kParamMenuItems)))
    Run(kParamMenuItems[position]);
}

void ParamMenu::Run(ParamMenuItem item)
{
  if (mControl.Param() == nullptr)
    return;
  switch (item)
  {
    case ParamMenuItem::SetToDefault:
      SetToDefault();
      break;
    case ParamMenuItem::TypeValue:
      TypeValue();
      break;
  }
}

void ParamMenu::SetToDefault()
{
  const IPlugParam& param = *mControl.Param();
  const double normalized = param.ToNormalized(param.Default());
  IPlugBase* plug = mControl.Plug();
  if (plug)
    plug->BeginInformHostOfParamChange(mControl.ParamIdx());
  if (mControl.Value() == normalized)
    mControl.MarkDirty(true);
  else
    mControl.SetValueFromUser(normalized);
  if (plug)
    plug->EndInformHostOfParamChange(mControl.ParamIdx());
}

void ParamMenu::TypeValue()
{
  const IRECT rect = mControl.ValueEntryRect();
  mGraphics.PromptForParamInput(&mControl, mControl.Param(), &rect);
}
