#include "graphics/linux/X11MenuWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace {
constexpr int kDepth = 24;

// Tells compositors and window managers that this is a popup menu (they may shade or
// animate it as such; override-redirect already keeps them from decorating it).
void MarkAsPopupMenu(Display* display, Window window)
{
  const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom popup = XInternAtom(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
  XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&popup),
                  1);
}

// The start of a span of `length` placed at `start` (or at `fallback` when it would pass
// `limit`), kept within 0 .. limit where it fits.
int PlaceSpan(int start, int fallback, int length, int limit)
{
  const int at = start + length > limit ? fallback : start;
  return std::clamp(at, 0, std::max(0, limit - length));
}
}  // namespace

X11MenuWindow::X11MenuWindow(Display* display, IPopupMenu& menu, int x, int y, int flipRight, int openedFrom,
                             double scale)
  : mDisplay(display), mView(menu, scale), mOpenedFrom(openedFrom), mBitmap(mView.Width(), mView.Height())
{
  if (!MakeWindow(x, y, flipRight))
    return;
  mView.Draw(mBitmap, mHighlighted);
  XMapRaised(mDisplay, mWindow);
  WaitUntilMapped();
  mOpen = true;
  Present();
}

X11MenuWindow::~X11MenuWindow()
{
  if (mGc)
    XFreeGC(mDisplay, mGc);
  if (mWindow)
    XDestroyWindow(mDisplay, mWindow);
  if (mColormap)
    XFreeColormap(mDisplay, mColormap);
}

bool X11MenuWindow::MakeWindow(int x, int y, int flipRight)
{
  const int screen = DefaultScreen(mDisplay);
  XVisualInfo visual;
  if (!XMatchVisualInfo(mDisplay, screen, kDepth, TrueColor, &visual))
    return false;
  const int width = mView.Width();
  const int height = mView.Height();
  mX = PlaceSpan(x, flipRight - width, width, DisplayWidth(mDisplay, screen));
  mY = PlaceSpan(y, y, height, DisplayHeight(mDisplay, screen));

  const Window root = RootWindow(mDisplay, screen);
  mColormap = XCreateColormap(mDisplay, root, visual.visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.save_under = True;
  attributes.colormap = mColormap;
  attributes.border_pixel = 0;
  attributes.background_pixel = 0;
  attributes.event_mask = ExposureMask | StructureNotifyMask;
  mWindow = XCreateWindow(mDisplay, root, mX, mY, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                          visual.depth, InputOutput, visual.visual,
                          CWOverrideRedirect | CWSaveUnder | CWColormap | CWBorderPixel | CWBackPixel | CWEventMask,
                          &attributes);
  if (!mWindow)
    return false;
  MarkAsPopupMenu(mDisplay, mWindow);
  mGc = XCreateGC(mDisplay, mWindow, 0, nullptr);
  mImage = std::make_unique<X11Image>(mDisplay, visual.visual, visual.depth, width, height);
  return mImage->Valid();
}

// Grabs need a viewable window, so the menu waits for the server to map it.
void X11MenuWindow::WaitUntilMapped()
{
  XEvent event;
  do
    XWindowEvent(mDisplay, mWindow, StructureNotifyMask, &event);
  while (event.type != MapNotify);
}

bool X11MenuWindow::Contains(int rootX, int rootY) const
{
  return IRECT(mX, mY, mX + mView.Width(), mY + mView.Height()).Contains(rootX, rootY);
}

int X11MenuWindow::ItemAt(int rootX, int rootY) const
{
  return Contains(rootX, rootY) ? mView.ItemAt(rootX - mX, rootY - mY) : -1;
}

IRECT X11MenuWindow::ItemRect(int index) const
{
  const IRECT r = mView.ItemRect(index);
  return r.Empty() ? r : IRECT(r.L + mX, r.T + mY, r.R + mX, r.B + mY);
}

void X11MenuWindow::SetHighlighted(int index)
{
  const int highlighted = mView.IsSelectable(index) ? index : -1;
  if (highlighted == mHighlighted)
    return;
  mHighlighted = highlighted;
  mView.Draw(mBitmap, mHighlighted);
  Present();
}

void X11MenuWindow::Present()
{
  if (!IsOpen())
    return;
  const IRECT all(0, 0, mView.Width(), mView.Height());
  mImage->CopyFrom(mBitmap, all);
  mImage->Put(mWindow, mGc, all);
  XFlush(mDisplay);
}
