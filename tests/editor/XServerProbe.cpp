#include "tests/editor/XServerProbe.h"

#include "graphics/linux/X11Display.h"

namespace EditorTest {

TestParentWindow::TestParentWindow(int width, int height) : mDisplay(OpenX11Display())
{
  if (!mDisplay)
    return;
  mWindow = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, width, height, 0, 0, 0);
  XMapWindow(mDisplay, mWindow);
  XSync(mDisplay, False);
}

TestParentWindow::~TestParentWindow()
{
  if (!mDisplay)
    return;
  XDestroyWindow(mDisplay, mWindow);
  XCloseDisplay(mDisplay);
}

unsigned long NextRequestNumber(_XDisplay* display)
{
  return XNextRequest(display);
}

}  // namespace EditorTest
