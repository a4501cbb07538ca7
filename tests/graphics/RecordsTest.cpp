#include "graphics/IGraphics.h"
#include "graphics/IPopupMenu.h"
#include "graphics/IRECT.h"

#include <gtest/gtest.h>

namespace {
TEST(IRectTest, ContainsExcludesTheRightAndBottomEdges)
{
  const IRECT r(10, 20, 30, 40);
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_TRUE(r.Contains(29, 39));
  EXPECT_FALSE(r.Contains(30, 39));
  EXPECT_FALSE(r.Contains(29, 40));
  EXPECT_FALSE(IRECT().Contains(0, 0));
}

TEST(IRectTest, IntersectionTestCountsTouchingEdgesOnTheLeftOperand)
{
  const IRECT r(10, 10, 20, 20);
  EXPECT_TRUE(r.Intersects(IRECT(20, 10, 30, 20)));  // r's right edge touches
  EXPECT_FALSE(IRECT(20, 10, 30, 20).Intersects(r));
  EXPECT_FALSE(r.Intersects(IRECT(21, 10, 30, 20)));
  EXPECT_FALSE(r.Intersects(IRECT()));
  EXPECT_FALSE(IRECT().Intersects(r));
}

TEST(IRectTest, UnionIgnoresEmptyRectangles)
{
  const IRECT r(10, 10, 20, 20);
  EXPECT_EQ(IRECT().Union(r), r);
  EXPECT_EQ(r.Union(IRECT()), r);
  EXPECT_EQ(r.Union(IRECT(0, 15, 12, 30)), IRECT(0, 10, 20, 30));
  EXPECT_EQ(r.Intersection(IRECT(15, 0, 40, 12)), IRECT(15, 10, 20, 12));
}

TEST(IPopupMenuTest, InsertionIsClampedAndLookupsOutsideAreSafe)
{
  IPopupMenu menu;
  menu.AddItem("b");
  menu.AddItem(new IPopupMenu::Item("a"), -5);
  menu.AddItem(new IPopupMenu::Item("c", IPopupMenu::kDisabled, new IPopupMenu()), 99);
  ASSERT_EQ(menu.ItemCount(), 3);
  EXPECT_STREQ(menu.ItemText(0), "a");
  EXPECT_STREQ(menu.ItemText(2), "c");
  EXPECT_STREQ(menu.ItemText(3), "");
  EXPECT_EQ(menu.ItemAt(-1), nullptr);
  EXPECT_NE(menu.ItemAt(2)->Submenu(), nullptr);

  menu.SetItemChecked(2, true);
  EXPECT_EQ(menu.ItemAt(2)->Flags(), IPopupMenu::kDisabled | IPopupMenu::kChecked);
  menu.SetItemChecked(2, false);
  EXPECT_EQ(menu.ItemAt(2)->Flags(), IPopupMenu::kDisabled);
  menu.SetItemChecked(7, true);
  EXPECT_EQ(menu.ChosenItemIndex(), -1);
}

TEST(TextPlacementTest, MeasuredBoxIsPlacedByAlignment)
{
  // Centred: L = trunc((10 + 20) / 2) - 5 / 2 = 13.
  EXPECT_EQ(IGraphics::PlaceTextBox(IRECT(10, 0, 20, 0), IText::kAlignCenter, 5, 9), IRECT(13, 0, 18, 9));
  EXPECT_EQ(IGraphics::PlaceTextBox(IRECT(10, 4, 20, 0), IText::kAlignNear, 5, 9), IRECT(10, 4, 15, 13));
  EXPECT_EQ(IGraphics::PlaceTextBox(IRECT(10, 4, 20, 0), IText::kAlignFar, 5, 9), IRECT(15, 4, 20, 13));
  EXPECT_EQ(IGraphics::PlaceTextBox(IRECT(-11, 0, 0, 0), IText::kAlignCenter, 4, 1), IRECT(-7, 0, -3, 1));
}
}  // namespace
