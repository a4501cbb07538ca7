#include "graphics/linux/PopupMenuView.h"

#include <gtest/gtest.h>

namespace {
TEST(PopupMenuViewTest, LabelsCarryTheMenusNumberingPrefix)
{
  struct Case
  {
    int prefix;
    int index;
    const char* expected;
  };
  const Case cases[] = {
    {IPopupMenu::kPrefixNone, 0, "Item"},
    {IPopupMenu::kPrefixOneDigit, 0, "1: Item"},
    {IPopupMenu::kPrefixOneDigit, 11, "12: Item"},
    {IPopupMenu::kPrefixTwoDigits, 0, "01: Item"},
    {IPopupMenu::kPrefixTwoDigits, 11, "12: Item"},
    {IPopupMenu::kPrefixThreeDigits, 6, "007: Item"},
    {99, 0, "Item"},  // an unknown prefix kind shows no number
  };
  for (const Case& c : cases)
  {
    IPopupMenu menu(c.prefix);
    for (int i = 0; i <= c.index; ++i)
      menu.AddItem("Item");
    EXPECT_EQ(PopupMenuView::Label(menu, c.index), c.expected) << c.prefix << " " << c.index;
  }
}

TEST(PopupMenuViewTest, OnlyEnabledItemsCanBeReachedAndOnlyLeavesChosen)
{
  IPopupMenu menu;
  menu.AddItem("Alpha");
  menu.AddItem("", IPopupMenu::kSeparator);
  menu.AddItem("Off", IPopupMenu::kDisabled);
  menu.AddItem(new IPopupMenu::Item("More", 0, new IPopupMenu()));
  menu.AddItem("Title", IPopupMenu::kTitle);
  const PopupMenuView view(menu, 1.0);

  const std::pair<int, int> steps[] = {{-1, 0}, {0, 3}, {3, 4}, {4, 0}};
  for (const auto& [from, next] : steps)
    EXPECT_EQ(view.NextSelectable(from, +1), next) << from;
  EXPECT_EQ(view.NextSelectable(-1, -1), 4);
  EXPECT_EQ(view.NextSelectable(3, -1), 0);

  const bool choosable[] = {true, false, false, false, true};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(view.IsChoosable(i), choosable[i]) << i;
  EXPECT_TRUE(view.OpensSubmenu(3));

  // A point on the separator's row hits nothing; rows follow each other without gaps.
  const IRECT separator = view.ItemRect(1);
  EXPECT_EQ(view.ItemAt(separator.L + 5, separator.T + 1), -1);
  EXPECT_EQ(view.ItemAt(5, view.ItemRect(4).B - 1), 4);
  EXPECT_EQ(view.ItemRect(0).B, separator.T);
  EXPECT_EQ(view.ItemAt(5, view.Height() + 3), -1);

  IPopupMenu disabledOnly;
  disabledOnly.AddItem("Off", IPopupMenu::kDisabled);
  EXPECT_EQ(PopupMenuView(disabledOnly, 1.0).NextSelectable(-1, +1), -1);
}
}  // namespace
