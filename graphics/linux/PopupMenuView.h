#pragma once

#include "graphics/IColor.h"
#include "graphics/IPopupMenu.h"
#include "graphics/IRECT.h"

#include <string>
#include <vector>

class LICE_IBitmap;
class LICE_IFont;

// The look and geometry of one level of a popup menu: a column of rows, one per item,
// with a gutter for check marks on the left and one for submenu arrows on the right.
// Coordinates are pixels of the menu's own window. At a scale (the editor's window pixels
// per layout pixel) every size and the text grow with it, so the menu matches the editor
// it opens from on a high-density screen.
class PopupMenuView
{
public:
  PopupMenuView(IPopupMenu& menu, double scale);

  IPopupMenu& Menu() const { return *mMenu; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int ItemCount() const { return mMenu->ItemCount(); }

  // The row of an item (empty outside the list).
  IRECT ItemRect(int index) const;
  // The item under a point, -1 for none; separators count as none.
  int ItemAt(int x, int y) const;
  // Items that can be highlighted: neither separators nor disabled.
  bool IsSelectable(int index) const;
  // A selectable item without submenu: choosing it ends the menu.
  bool IsChoosable(int index) const;
  // A selectable item with a submenu: choosing it opens the submenu.
  bool OpensSubmenu(int index) const;
  // The next selectable item after `from` in steps of +1 or -1, wrapping around; -1 when
  // no item is selectable. From -1 a step of +1 gives the first, -1 the last.
  int NextSelectable(int from, int step) const;

  // The item's text as shown, with the menu's numbering prefix ("1: ", "01: ", "001: ").
  static std::string Label(const IPopupMenu& menu, int index);

  void Draw(LICE_IBitmap& bitmap, int highlighted) const;

private:
  void DrawItem(LICE_IBitmap& bitmap, int index, bool highlighted) const;
  // A size in pixels at scale 1, at this menu's scale (EditorScale's mapping).
  int Px(int pixels) const;
  int TextIndent(const IPopupMenu::Item& item) const;
  int LabelWidth(const std::string& label) const;
  LICE_IFont* Font() const;
  void DrawCheckMark(LICE_IBitmap& bitmap, const IRECT& row, const IColor& colour) const;
  void DrawSubmenuArrow(LICE_IBitmap& bitmap, const IRECT& row, const IColor& colour) const;

  IPopupMenu* mMenu;
  double mScale;
  std::vector<IRECT> mRows;
  int mWidth = 0;
  int mHeight = 0;
};
