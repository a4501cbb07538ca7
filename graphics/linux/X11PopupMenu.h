#pragma once

#include "graphics/IPopupMenu.h"

#include <X11/Xlib.h>

#include <memory>
#include <vector>

class X11MenuWindow;

// A modal popup menu in override-redirect windows, one per open level. While it runs it
// holds the pointer and keyboard grabs and reads only its own windows' events from the
// display, so the caller's other events stay queued for later.
//
// Items are chosen by a click (or by releasing a pressed button over them) or with
// Up/Down and Enter; a submenu opens when the pointer rests on its item or with Right or
// Enter, and Left closes it. Disabled items and separators cannot be chosen. Escape or a
// press outside every menu window dismisses the menu. Runs on the thread that uses the
// display connection (the editor's user-interface thread) and blocks it while open.
class X11PopupMenu
{
public:
  // Shows the menu at the root-window position (x, y), runs its own event loop on the
  // display until an item is chosen or the menu is dismissed (Escape, click outside).
  // Returns the menu or submenu whose chosen index was set, or null. Every window and grab
  // is gone when it returns. Every level is drawn at scale (see PopupMenuView).
  static IPopupMenu* Run(Display* display, int rootX, int rootY, IPopupMenu& menu, double scale);

  ~X11PopupMenu();
  X11PopupMenu(const X11PopupMenu&) = delete;
  X11PopupMenu& operator=(const X11PopupMenu&) = delete;

private:
  enum class State
  {
    Open,
    Chosen,
    Dismissed
  };

  X11PopupMenu(Display* display, double scale);

  bool OpenLevel(IPopupMenu& menu, int x, int y, int flipRight, int openedFrom);
  bool OpenSubmenu(int item);
  void CloseLevelsAbove(size_t level);
  bool Grab();
  IPopupMenu* Loop();
  bool OwnsWindow(Window window) const;
  // XIfEvent's predicate: events of any window this session has opened.
  static Bool IsSessionEvent(Display* display, XEvent* event, XPointer session);

  void Dispatch(XEvent& event);
  void PointerMoved(int rootX, int rootY);
  void ButtonPressed(int rootX, int rootY);
  void ButtonReleased(int rootX, int rootY);
  void KeyPressed(XKeyEvent& event);
  void Activate(int item);
  void Choose(const X11MenuWindow& level, int item);
  // The deepest level whose window holds the position, or -1.
  int LevelAt(int rootX, int rootY) const;
  X11MenuWindow& Deepest() const { return *mLevels.back(); }

  Display* mDisplay;
  double mScale;
  std::vector<std::unique_ptr<X11MenuWindow>> mLevels;
  std::vector<Window> mWindowsEverOpened;
  bool mPointerGrabbed = false;
  bool mKeyboardGrabbed = false;
  State mState = State::Open;
  // After a press outside, the menu stays grabbed until that button is released, so the
  // release does not reach whatever lies under the pointer.
  bool mDismissOnRelease = false;
  // Releases count only once the pointer has moved or been pressed inside the session: the
  // release of the press that opened the menu must not choose the item that appears under it.
  bool mPointerActive = false;
  IPopupMenu* mChosenMenu = nullptr;
  int mChosenIndex = -1;
};
