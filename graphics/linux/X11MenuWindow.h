#pragma once

#include "graphics/linux/PopupMenuView.h"
#include "graphics/linux/X11Image.h"
#include "graphics/lice/LICE_MemBitmap.h"

#include <X11/Xlib.h>

#include <memory>

// One level of an open popup menu: an override-redirect window on the root window that
// shows a PopupMenuView and its highlighted item. The window is mapped by the constructor
// and destroyed with the object. Positions are root-window pixels.
class X11MenuWindow
{
public:
  // Placed with its top-left corner at (x, y); where it would leave the screen on the right
  // it ends at flipRight instead, and it is moved up to stay above the bottom edge.
  // openedFrom is the item of the parent level that opened it (-1 for the first level).
  // scale sizes the menu as PopupMenuView does.
  X11MenuWindow(Display* display, IPopupMenu& menu, int x, int y, int flipRight, int openedFrom, double scale);
  ~X11MenuWindow();
  X11MenuWindow(const X11MenuWindow&) = delete;
  X11MenuWindow& operator=(const X11MenuWindow&) = delete;

  // False when the screen offers no TrueColor visual or the window could not be made.
  bool IsOpen() const { return mOpen; }
  Window Handle() const { return mWindow; }
  const PopupMenuView& View() const { return mView; }
  int OpenedFrom() const { return mOpenedFrom; }
  int X() const { return mX; }
  int Y() const { return mY; }
  bool Contains(int rootX, int rootY) const;
  // The item under a root position, -1 for none.
  int ItemAt(int rootX, int rootY) const;
  // An item's row in root coordinates.
  IRECT ItemRect(int index) const;

  int Highlighted() const { return mHighlighted; }
  // Highlights a selectable item (anything else clears the highlight) and shows it.
  void SetHighlighted(int index);
  // Draws the menu into the window again (after an Expose).
  void Present();

private:
  bool MakeWindow(int x, int y, int flipRight);
  void WaitUntilMapped();

  Display* mDisplay;
  PopupMenuView mView;
  int mOpenedFrom;
  int mX = 0;
  int mY = 0;
  int mHighlighted = -1;
  bool mOpen = false;
  Window mWindow = 0;
  Colormap mColormap = 0;
  GC mGc = nullptr;
  LICE_MemBitmap mBitmap;
  std::unique_ptr<X11Image> mImage;
};
