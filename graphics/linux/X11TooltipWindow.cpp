#include "graphics/linux/X11TooltipWindow.h"

#include "framework/EditorScale.h"
#include "graphics/FontCache.h"
#include "graphics/IText.h"
#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/linux/X11ErrorTrap.h"
#include "graphics/linux/X11Image.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>

namespace {
constexpr int kDepth = 24;
constexpr int kFontSize = 13;
constexpr int kPaddingX = 6;
constexpr int kPaddingY = 3;
// Distance between the tooltip and what it describes.
constexpr int kGap = 6;

constexpr IColor kBackground(255, 255, 255, 225);
constexpr IColor kFrame(255, 118, 118, 118);
constexpr IColor kText = ColourBlack;

void SetAtomProperty(Display* display, Window window, const char* property, const char* value)
{
  const Atom name = XInternAtom(display, property, False);
  const Atom atom = XInternAtom(display, value, False);
  XChangeProperty(display, window, name, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&atom),
                  1);
}

// Window managers that look at it anyway learn that the window takes no keyboard input.
void RefuseInputFocus(Display* display, Window window)
{
  XWMHints hints{};
  hints.flags = InputHint;
  hints.input = False;
  XSetWMHints(display, window, &hints);
}

// Pointer events pass through a window whose input shape is empty.
void LetPointerThrough(Display* display, Window window)
{
  int eventBase = 0;
  int errorBase = 0;
  if (XShapeQueryExtension(display, &eventBase, &errorBase))
    XShapeCombineRectangles(display, window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
}

void SetName(Display* display, Window window, const std::string& text)
{
  const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, name, utf8, 8, PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
}

int Scaled(int pixels, double scale)
{
  return EditorScale::LayoutToWindow(pixels, scale);
}

LICE_IFont* TooltipFont(double scale)
{
  return FontCache::Instance().FontFor(IText(Scaled(kFontSize, scale), kText));
}

void Fill(LICE_IBitmap& bitmap, const IRECT& r, const IColor& colour)
{
  FillRect(&bitmap, r.L, r.T, r.W(), r.H(), colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
}
}  // namespace

X11TooltipWindow::~X11TooltipWindow()
{
  Destroy();
}

void X11TooltipWindow::Destroy()
{
  X11ErrorTrap trap(mDisplay);
  if (mGc != nullptr)
    XFreeGC(mDisplay, mGc);
  if (mWindow != 0)
    XDestroyWindow(mDisplay, mWindow);
  if (mColormap != 0)
    XFreeColormap(mDisplay, mColormap);
  trap.Failed();
  mGc = nullptr;
  mWindow = 0;
  mColormap = 0;
  mVisible = false;
}

void X11TooltipWindow::Show(const std::string& text, const IRECT& near, double scale)
{
  if ((mWindow == 0 && !Create()) || ((text != mText || scale != mScale) && !Draw(text, scale)))
    return;
  Place(near);
  if (!mVisible)
    XMapRaised(mDisplay, mWindow);
  mVisible = true;
  XFlush(mDisplay);
}

void X11TooltipWindow::Hide()
{
  if (!mVisible)
    return;
  XUnmapWindow(mDisplay, mWindow);
  XFlush(mDisplay);
  mVisible = false;
}

bool X11TooltipWindow::Create()
{
  const int screen = DefaultScreen(mDisplay);
  XVisualInfo visual;
  if (!XMatchVisualInfo(mDisplay, screen, kDepth, TrueColor, &visual))
    return false;
  X11ErrorTrap trap(mDisplay);
  const Window root = RootWindow(mDisplay, screen);
  mVisual = visual.visual;
  mDepth = visual.depth;
  mColormap = XCreateColormap(mDisplay, root, mVisual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.colormap = mColormap;
  attributes.border_pixel = 0;
  attributes.background_pixel = 0;
  mWindow = XCreateWindow(mDisplay, root, 0, 0, 1, 1, 0, mDepth, InputOutput, mVisual,
                          CWOverrideRedirect | CWColormap | CWBorderPixel | CWBackPixel, &attributes);
  mGc = XCreateGC(mDisplay, mWindow, 0, nullptr);
  SetAtomProperty(mDisplay, mWindow, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_TOOLTIP");
  RefuseInputFocus(mDisplay, mWindow);
  LetPointerThrough(mDisplay, mWindow);
  if (trap.Failed())
  {
    Destroy();
    return false;
  }
  return true;
}

// The picture becomes the window's background; the server keeps it after the pixmap is freed.
bool X11TooltipWindow::Draw(const std::string& text, double scale)
{
  LICE_IFont* font = TooltipFont(scale);
  if (font == nullptr)
    return false;
  LICE_RECT box{0, 0, 0, 0};
  const int textHeight = font->RenderText(nullptr, text.c_str(), -1, &box, LICE_DT_CALCRECT);
  const int paddingX = Scaled(kPaddingX, scale);
  const int paddingY = Scaled(kPaddingY, scale);
  const int frame = Scaled(1, scale);
  const int width = box.right - box.left + 2 * paddingX;
  const int height = textHeight + 2 * paddingY;

  LICE_MemBitmap bitmap(width, height);
  Fill(bitmap, IRECT(0, 0, width, height), kFrame);
  Fill(bitmap, IRECT(frame, frame, width - frame, height - frame), kBackground);
  font->SetTextColour(kText.ToPixel());
  LICE_RECT place{paddingX, paddingY, width - paddingX, height - paddingY};
  font->RenderText(&bitmap, text.c_str(), -1, &place, LICE_DT_LEFT);

  X11Image image(mDisplay, mVisual, mDepth, width, height);
  if (!image.Valid())
    return false;
  const IRECT all(0, 0, width, height);
  image.CopyFrom(bitmap, all);
  X11ErrorTrap trap(mDisplay);
  const Pixmap picture = XCreatePixmap(mDisplay, mWindow, width, height, mDepth);
  image.Put(picture, mGc, all);
  XSetWindowBackgroundPixmap(mDisplay, mWindow, picture);
  XFreePixmap(mDisplay, picture);
  XResizeWindow(mDisplay, mWindow, width, height);
  XClearWindow(mDisplay, mWindow);
  SetName(mDisplay, mWindow, text);
  if (trap.Failed())
    return false;
  mWidth = width;
  mHeight = height;
  mText = text;
  mScale = scale;
  return true;
}

void X11TooltipWindow::Place(const IRECT& near)
{
  const int screen = DefaultScreen(mDisplay);
  const int screenWidth = DisplayWidth(mDisplay, screen);
  const int screenHeight = DisplayHeight(mDisplay, screen);
  const int x = std::clamp((near.L + near.R) / 2 - mWidth / 2, 0, std::max(0, screenWidth - mWidth));
  const int gap = Scaled(kGap, mScale);
  const int below = near.B + gap;
  const int y = below + mHeight <= screenHeight ? below : std::max(0, near.T - gap - mHeight);
  XMoveWindow(mDisplay, mWindow, x, y);
}
