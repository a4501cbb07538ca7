#pragma once

#include <X11/Xlib.h>

// Collects the X errors of the requests made on one connection while it lives. Xlib's
// default handler ends the process; inside a host a failed request of ours (a window the
// host destroyed first, a refused shared-memory segment) must fail quietly instead. The
// previous handler is restored on destruction. User-interface thread only.
class X11ErrorTrap
{
public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits until the server has handled every request so far; true when one of them failed.
  bool Failed();

private:
  static int Collect(Display* display, XErrorEvent* error);

  Display* mDisplay;
  XErrorHandler mPrevious;
  int mOuterErrors;
};
