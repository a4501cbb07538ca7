#include "tools/vulcrax-preview/PreviewWindow.h"

#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/linux/X11Display.h"
#include "tools/snapshot/SurfacePng.h"

#include <X11/Xutil.h>

PreviewWindow::PreviewWindow(int width, int height, const char* title, int minWidth, int minHeight, int maxWidth,
                             int maxHeight)
  : mDisplay(OpenX11Display()), mWidth(width), mHeight(height)
{
  if (mDisplay == nullptr)
  {
    return;
  }
  const int screen = DefaultScreen(mDisplay);
  mWindow = XCreateSimpleWindow(mDisplay, RootWindow(mDisplay, screen), 0, 0, width, height, 0,
                                BlackPixel(mDisplay, screen), BlackPixel(mDisplay, screen));
  XStoreName(mDisplay, mWindow, title);
  XSizeHints hints{};
  hints.flags = PMinSize | PMaxSize | PAspect;
  hints.min_width = minWidth;
  hints.min_height = minHeight;
  hints.max_width = maxWidth;
  hints.max_height = maxHeight;
  hints.min_aspect.x = hints.max_aspect.x = width;
  hints.min_aspect.y = hints.max_aspect.y = height;
  XSetWMNormalHints(mDisplay, mWindow, &hints);
  mDeleteWindow = XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(mDisplay, mWindow, &mDeleteWindow, 1);
  XSelectInput(mDisplay, mWindow, StructureNotifyMask);
  XMapWindow(mDisplay, mWindow);
  XSync(mDisplay, False);
}

PreviewWindow::~PreviewWindow()
{
  if (mDisplay == nullptr)
  {
    return;
  }
  XDestroyWindow(mDisplay, mWindow);
  XCloseDisplay(mDisplay);
}

bool PreviewWindow::HandleEvents()
{
  bool open = true;
  while (XPending(mDisplay) > 0)
  {
    XEvent event;
    XNextEvent(mDisplay, &event);
    if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == mDeleteWindow)
    {
      open = false;
    }
    if (event.type == ConfigureNotify && event.xconfigure.window == mWindow &&
        (event.xconfigure.width != mWidth || event.xconfigure.height != mHeight))
    {
      mWidth = event.xconfigure.width;
      mHeight = event.xconfigure.height;
      mResized = true;
    }
  }
  return open;
}

bool PreviewWindow::TakeResize(int& width, int& height)
{
  const bool resized = mResized;
  mResized = false;
  width = mWidth;
  height = mHeight;
  return resized;
}

void PreviewWindow::Resize(int width, int height)
{
  if (width == mWidth && height == mHeight)
  {
    return;
  }
  XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(mDisplay, False);
}

bool PreviewWindow::Screenshot(const std::string& path) const
{
  XImage* image = XGetImage(mDisplay, mWindow, 0, 0, mWidth, mHeight, AllPlanes, ZPixmap);
  if (image == nullptr)
  {
    return false;
  }
  LICE_MemBitmap bitmap(mWidth, mHeight);
  for (int y = 0; y < mHeight; ++y)
  {
    for (int x = 0; x < mWidth; ++x)
    {
      const unsigned long pixel = XGetPixel(image, x, y);
      const int red = static_cast<int>((pixel & image->red_mask) * 255 / image->red_mask);
      const int green = static_cast<int>((pixel & image->green_mask) * 255 / image->green_mask);
      const int blue = static_cast<int>((pixel & image->blue_mask) * 255 / image->blue_mask);
      bitmap.Bits()[y * bitmap.RowSpan() + x] = LICE_RGBA(red, green, blue, 255);
    }
  }
  XDestroyImage(image);
  return WriteSurfacePng(&bitmap, path.c_str());
}
