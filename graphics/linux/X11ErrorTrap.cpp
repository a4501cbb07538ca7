#include "graphics/linux/X11ErrorTrap.h"

namespace {
// The connection being trapped and its error count; traps may nest.
Display* gTrappedDisplay = nullptr;
int gErrors = 0;
}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : mDisplay(display), mOuterErrors(gErrors)
{
  // Errors of earlier requests belong to whoever made them.
  XSync(mDisplay, False);
  mPrevious = XSetErrorHandler(&X11ErrorTrap::Collect);
  gTrappedDisplay = mDisplay;
  gErrors = 0;
}

X11ErrorTrap::~X11ErrorTrap()
{
  XSync(mDisplay, False);
  XSetErrorHandler(mPrevious);
  gErrors = mOuterErrors;
  gTrappedDisplay = mPrevious == &X11ErrorTrap::Collect ? mDisplay : nullptr;
}

bool X11ErrorTrap::Failed()
{
  XSync(mDisplay, False);
  return gErrors > 0;
}

int X11ErrorTrap::Collect(Display* display, XErrorEvent*)
{
  if (display == gTrappedDisplay)
  {
    ++gErrors;
  }
  return 0;
}
