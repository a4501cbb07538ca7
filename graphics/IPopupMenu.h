#pragma once

#include <memory>
#include <string>
#include <vector>

// A menu handed to the platform layer. It owns its items; an item may own a submenu.
class IPopupMenu
{
public:
  enum Prefix : int
  {
    kPrefixNone = 0,
    kPrefixOneDigit = 1,
    kPrefixTwoDigits = 2,
    kPrefixThreeDigits = 3
  };
  enum ItemFlags : int
  {
    kDisabled = 1,
    kTitle = 2,
    kChecked = 4,
    kSeparator = 8
  };

  class Item
  {
  public:
    explicit Item(const char* text, int flags = 0, IPopupMenu* submenu = nullptr);

    const std::string& Text() const { return mText; }
    int Flags() const { return mFlags; }
    IPopupMenu* Submenu() const { return mSubmenu.get(); }
    bool Checked() const { return (mFlags & kChecked) != 0; }
    void SetChecked(bool checked);

  private:
    std::string mText;
    int mFlags;
    std::unique_ptr<IPopupMenu> mSubmenu;
  };

  explicit IPopupMenu(int prefix = kPrefixNone) : mPrefix(prefix) {}

  // Both take ownership of the item; the position is clamped to 0..count.
  Item* AddItem(Item* item);
  Item* AddItem(Item* item, int position);
  Item* AddItem(const char* text, int flags = 0) { return AddItem(new Item(text, flags)); }

  int ItemCount() const { return static_cast<int>(mItems.size()); }
  Item* ItemAt(int position) const;
  // The item's text, or an empty string outside the list.
  const char* ItemText(int position) const;
  void SetItemChecked(int position, bool checked);

  int Prefix() const { return mPrefix; }
  int ChosenItemIndex() const { return mChosenItemIndex; }
  void SetChosenItemIndex(int index) { mChosenItemIndex = index; }

private:
  int mPrefix;
  int mChosenItemIndex = -1;
  std::vector<std::unique_ptr<Item>> mItems;
};
