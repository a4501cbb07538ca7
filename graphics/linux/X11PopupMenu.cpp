#include "graphics/linux/X11PopupMenu.h"

#include "framework/EditorScale.h"
#include "graphics/linux/X11MenuWindow.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// Another client (a host) may hold a grab for a moment; the menu waits this long for it.
constexpr int kGrabAttempts = 50;
constexpr std::chrono::milliseconds kGrabRetryDelay(10);
// A submenu overlaps its parent by this many pixels at scale 1.
constexpr int kSubmenuOverlap = 2;

constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

bool IsMenuButton(unsigned button)
{
  return button >= Button1 && button <= Button3;  // wheel buttons neither choose nor dismiss
}
}  // namespace

IPopupMenu* X11PopupMenu::Run(Display* display, int rootX, int rootY, IPopupMenu& menu, double scale)
{
  if (!display || menu.ItemCount() == 0)
    return nullptr;
  X11PopupMenu session(display, scale);
  if (!session.OpenLevel(menu, rootX, rootY, rootX, -1) || !session.Grab())
    return nullptr;
  return session.Loop();
}

X11PopupMenu::X11PopupMenu(Display* display, double scale) : mDisplay(display), mScale(scale) {}

X11PopupMenu::~X11PopupMenu()
{
  mLevels.clear();
  if (mPointerGrabbed)
    XUngrabPointer(mDisplay, CurrentTime);
  if (mKeyboardGrabbed)
    XUngrabKeyboard(mDisplay, CurrentTime);
  XSync(mDisplay, False);
  // Events still queued for the destroyed windows would only puzzle the caller's handler.
  XEvent event;
  while (XCheckIfEvent(mDisplay, &event, IsSessionEvent, reinterpret_cast<XPointer>(this)))
  {
  }
}

bool X11PopupMenu::OpenLevel(IPopupMenu& menu, int x, int y, int flipRight, int openedFrom)
{
  auto level = std::make_unique<X11MenuWindow>(mDisplay, menu, x, y, flipRight, openedFrom, mScale);
  if (level->Handle())
    mWindowsEverOpened.push_back(level->Handle());
  if (!level->IsOpen())
    return false;
  mLevels.push_back(std::move(level));
  return true;
}

bool X11PopupMenu::OpenSubmenu(int item)
{
  const X11MenuWindow& parent = Deepest();
  IPopupMenu* submenu = parent.View().Menu().ItemAt(item)->Submenu();
  const IRECT row = parent.ItemRect(item);
  const int right = parent.X() + parent.View().Width();
  // The submenu's first row lines up with the item that opens it.
  const int top = row.T - (parent.View().ItemRect(0).T);
  const int overlap = EditorScale::LayoutToWindow(kSubmenuOverlap, mScale);
  return OpenLevel(*submenu, right - overlap, top, parent.X() + overlap, item);
}

void X11PopupMenu::CloseLevelsAbove(size_t level)
{
  while (mLevels.size() > level + 1)
    mLevels.pop_back();
}

bool X11PopupMenu::Grab()
{
  const Window window = mLevels.front()->Handle();
  for (int attempt = 0; attempt < kGrabAttempts; ++attempt)
  {
    if (!mPointerGrabbed)
      mPointerGrabbed = XGrabPointer(mDisplay, window, False, kPointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                                     CurrentTime) == GrabSuccess;
    if (!mKeyboardGrabbed)
      mKeyboardGrabbed =
        XGrabKeyboard(mDisplay, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    if (mPointerGrabbed && mKeyboardGrabbed)
      return true;
    std::this_thread::sleep_for(kGrabRetryDelay);
  }
  return false;
}

IPopupMenu* X11PopupMenu::Loop()
{
  while (mState == State::Open)
  {
    XEvent event;
    XIfEvent(mDisplay, &event, IsSessionEvent, reinterpret_cast<XPointer>(this));
    Dispatch(event);
  }
  if (mState != State::Chosen)
    return nullptr;
  mChosenMenu->SetChosenItemIndex(mChosenIndex);
  return mChosenMenu;
}

bool X11PopupMenu::OwnsWindow(Window window) const
{
  return std::find(mWindowsEverOpened.begin(), mWindowsEverOpened.end(), window) != mWindowsEverOpened.end();
}

void X11PopupMenu::Dispatch(XEvent& event)
{
  switch (event.type)
  {
    case MotionNotify:
      PointerMoved(event.xmotion.x_root, event.xmotion.y_root);
      break;
    case ButtonPress:
      if (IsMenuButton(event.xbutton.button))
        ButtonPressed(event.xbutton.x_root, event.xbutton.y_root);
      break;
    case ButtonRelease:
      if (IsMenuButton(event.xbutton.button))
        ButtonReleased(event.xbutton.x_root, event.xbutton.y_root);
      break;
    case KeyPress:
      KeyPressed(event.xkey);
      break;
    case Expose:
      for (const auto& level : mLevels)
        if (level->Handle() == event.xexpose.window && event.xexpose.count == 0)
          level->Present();
      break;
    default:
      break;
  }
}

void X11PopupMenu::PointerMoved(int rootX, int rootY)
{
  mPointerActive = true;
  const int level = LevelAt(rootX, rootY);
  if (level < 0)
    return;
  X11MenuWindow& window = *mLevels[level];
  const int item = window.ItemAt(rootX, rootY);
  const size_t above = static_cast<size_t>(level) + 1;
  const bool itsSubmenuIsOpen = above < mLevels.size() && mLevels[above]->OpenedFrom() == item;
  if (!itsSubmenuIsOpen)
    CloseLevelsAbove(static_cast<size_t>(level));
  window.SetHighlighted(item);
  if (!itsSubmenuIsOpen && window.View().OpensSubmenu(item))
    OpenSubmenu(item);
}

void X11PopupMenu::ButtonPressed(int rootX, int rootY)
{
  if (LevelAt(rootX, rootY) < 0)
  {
    mDismissOnRelease = true;
    return;
  }
  PointerMoved(rootX, rootY);
}

void X11PopupMenu::ButtonReleased(int rootX, int rootY)
{
  if (mDismissOnRelease)
  {
    mState = State::Dismissed;
    return;
  }
  const int level = LevelAt(rootX, rootY);
  if (!mPointerActive || level < 0)
    return;
  const X11MenuWindow& window = *mLevels[level];
  const int item = window.ItemAt(rootX, rootY);
  if (window.View().IsChoosable(item))
    Choose(window, item);
}

void X11PopupMenu::KeyPressed(XKeyEvent& event)
{
  KeySym keysym = NoSymbol;
  char text[8];
  XLookupString(&event, text, sizeof(text), &keysym, nullptr);
  X11MenuWindow& deepest = Deepest();
  const int highlighted = deepest.Highlighted();
  switch (keysym)
  {
    case XK_Escape:
      mState = State::Dismissed;
      break;
    case XK_Up:
    case XK_KP_Up:
      deepest.SetHighlighted(deepest.View().NextSelectable(highlighted, -1));
      break;
    case XK_Down:
    case XK_KP_Down:
      deepest.SetHighlighted(deepest.View().NextSelectable(highlighted, +1));
      break;
    case XK_Right:
    case XK_KP_Right:
      if (deepest.View().OpensSubmenu(highlighted))
        Activate(highlighted);
      break;
    case XK_Left:
    case XK_KP_Left:
      if (mLevels.size() > 1)
        CloseLevelsAbove(mLevels.size() - 2);
      break;
    case XK_Return:
    case XK_KP_Enter:
    case XK_space:
      Activate(highlighted);
      break;
    default:
      break;
  }
}

void X11PopupMenu::Activate(int item)
{
  const X11MenuWindow& deepest = Deepest();
  if (deepest.View().IsChoosable(item))
    Choose(deepest, item);
  else if (deepest.View().OpensSubmenu(item) && OpenSubmenu(item))
    Deepest().SetHighlighted(Deepest().View().NextSelectable(-1, +1));
}

void X11PopupMenu::Choose(const X11MenuWindow& level, int item)
{
  mChosenMenu = &level.View().Menu();
  mChosenIndex = item;
  mState = State::Chosen;
}

int X11PopupMenu::LevelAt(int rootX, int rootY) const
{
  for (int level = static_cast<int>(mLevels.size()) - 1; level >= 0; --level)
    if (mLevels[level]->Contains(rootX, rootY))
      return level;
  return -1;
}

Bool X11PopupMenu::IsSessionEvent(Display*, XEvent* event, XPointer session)
{
  return reinterpret_cast<const X11PopupMenu*>(session)->OwnsWindow(event->xany.window) ? True : False;
}
