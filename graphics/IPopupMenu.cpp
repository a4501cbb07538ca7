#include "graphics/IPopupMenu.h"

#include <algorithm>

IPopupMenu::Item::Item(const char* text, int flags, IPopupMenu* submenu)
  : mText(text ? text : ""), mFlags(flags), mSubmenu(submenu)
{
}

void IPopupMenu::Item::SetChecked(bool checked)
{
  mFlags = checked ? (mFlags | kChecked) : (mFlags & ~kChecked);
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* item)
{
  return AddItem(item, ItemCount());
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* item, int position)
{
  const int at = std::clamp(position, 0, ItemCount());
  mItems.emplace(mItems.begin() + at, item);
  return item;
}

IPopupMenu::Item* IPopupMenu::ItemAt(int position) const
{
  if (position < 0 || position >= ItemCount())
    return nullptr;
  return mItems[position].get();
}

const char* IPopupMenu::ItemText(int position) const
{
  const Item* item = ItemAt(position);
  return item ? item->Text().c_str() : "";
}

void IPopupMenu::SetItemChecked(int position, bool checked)
{
  if (Item* item = ItemAt(position))
    item->SetChecked(checked);
}
