#include "graphics/linux/X11EditorWindow.h"

#include "framework/EditorScale.h"
#include "graphics/linux/EditorTooltip.h"
#include "graphics/linux/IGraphicsLinux.h"
#include "graphics/linux/X11Display.h"
#include "graphics/linux/X11ErrorTrap.h"
#include "graphics/linux/X11Image.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace {
// XEmbed protocol: version 0, and the flag by which an embedder maps or unmaps the client.
constexpr long kXembedVersion = 0;
constexpr long kXembedMapped = 1;
constexpr long kXembedEmbeddedNotify = 0;
constexpr long kXembedRequestFocus = 3;

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            LeaveWindowMask | StructureNotifyMask;

int TimerIntervalMs(int fps)
{
  constexpr int kMillisecondsPerSecond = 1000;
  return std::max(1, kMillisecondsPerSecond / std::max(1, fps));
}

}  // namespace

std::unique_ptr<X11EditorWindow> X11EditorWindow::Open(IGraphicsLinux& graphics, Window parent, IEditorRunLoop& runLoop)
{
  Display* display = OpenX11Display();
  if (display == nullptr)
  {
    return nullptr;
  }
  std::unique_ptr<X11EditorWindow> window(new X11EditorWindow(graphics, display));
  if (!window->Create(parent) || !runLoop.Register(*window, ConnectionNumber(display), TimerIntervalMs(graphics.Fps())))
  {
    return nullptr;
  }
  window->mRunLoop = &runLoop;
  return window;
}

X11EditorWindow::X11EditorWindow(IGraphicsLinux& graphics, _XDisplay* display) : mGraphics(graphics), mDisplay(display)
{
  mTooltip = std::make_unique<EditorTooltip>(graphics, *this);
}

X11EditorWindow::~X11EditorWindow()
{
  LeaveRunLoop();
  {
    X11ErrorTrap trap(mDisplay);
    mTooltip.reset();
    mImage.reset();
    if (mGc != nullptr)
    {
      XFreeGC(mDisplay, mGc);
    }
    if (mWindow != 0 && !mWindowGone)
    {
      XDestroyWindow(mDisplay, mWindow);
    }
  }
  XCloseDisplay(mDisplay);
}

bool X11EditorWindow::Create(Window parent)
{
  X11ErrorTrap trap(mDisplay);
  XWindowAttributes parentAttributes{};
  if (XGetWindowAttributes(mDisplay, parent, &parentAttributes) == 0 || trap.Failed())
  {
    return false;
  }
  // The window shares the parent's visual, so the image must be made for that visual.
  mVisual = parentAttributes.visual;
  mDepth = parentAttributes.depth;
  if (!MakeImage())
  {
    return false;
  }
  const int width = mImage->Width();
  const int height = mImage->Height();
  XSetWindowAttributes attributes{};
  attributes.event_mask = kEventMask;
  attributes.background_pixmap = None;
  mParent = parent;
  mWindow = XCreateWindow(mDisplay, parent, 0, 0, width, height, 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWEventMask | CWBackPixmap, &attributes);
  mGc = XCreateGC(mDisplay, mWindow, 0, nullptr);
  MarkEmbeddable();
  XMapWindow(mDisplay, mWindow);
  return !trap.Failed();
}

// An image of the window's size at the editor's current scale.
bool X11EditorWindow::MakeImage()
{
  constexpr bool kShareWithServer = true;
  const IRECT size = mGraphics.LayoutToWindow(IRECT(0, 0, mGraphics.Width(), mGraphics.Height()));
  mImage =
    std::make_unique<X11Image>(mDisplay, static_cast<Visual*>(mVisual), mDepth, size.W(), size.H(), kShareWithServer);
  return mImage->Valid();
}

bool X11EditorWindow::FollowScale()
{
  const IRECT size = mGraphics.LayoutToWindow(IRECT(0, 0, mGraphics.Width(), mGraphics.Height()));
  if (mWindowGone || (size.W() == mImage->Width() && size.H() == mImage->Height()))
  {
    return true;
  }
  X11ErrorTrap trap(mDisplay);
  if (!MakeImage())
  {
    return false;
  }
  XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(size.W()), static_cast<unsigned>(size.H()));
  return !trap.Failed();
}

// Hosts that embed through XEmbed map or unmap the client by the flag in _XEMBED_INFO.
void X11EditorWindow::MarkEmbeddable()
{
  mXembed = XInternAtom(mDisplay, "_XEMBED", False);
  const Atom info = XInternAtom(mDisplay, "_XEMBED_INFO", False);
  const long data[2] = {kXembedVersion, kXembedMapped};
  XChangeProperty(mDisplay, mWindow, info, info, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(data), 2);
}

void X11EditorWindow::LeaveRunLoop()
{
  if (mRunLoop != nullptr)
  {
    mRunLoop->Unregister(*this);
    mRunLoop = nullptr;
  }
}

// Some hosts never call the descriptor's handler, so the timer reads the events too.
void X11EditorWindow::OnTimer()
{
  HandlePendingEvents();
  if (mRunLoop != nullptr)
  {
    mGraphics.TimerTick();
    mTooltip->Tick();
  }
  Finish();
}

void X11EditorWindow::OnReadable()
{
  HandlePendingEvents();
  Finish();
}

// A window closed while one of its events was being handled goes now that the handling is
// over. Nothing of this object may be touched afterwards.
void X11EditorWindow::Finish()
{
  if (mRunLoop == nullptr && mDispatchDepth == 0)
  {
    mGraphics.DestroyWindow(this);
  }
}

void X11EditorWindow::HandlePendingEvents()
{
  ++mDispatchDepth;
  while (mRunLoop != nullptr && XPending(mDisplay) > 0)
  {
    XEvent event;
    XNextEvent(mDisplay, &event);
    Dispatch(event);
  }
  --mDispatchDepth;
  PresentExposed();
}

void X11EditorWindow::PresentExposed()
{
  if (!mExposed.Empty())
  {
    Present(mExposed);
    mExposed = IRECT();
  }
}

void X11EditorWindow::PresentPendingExposures()
{
  XSync(mDisplay, False);
  XEvent event;
  while (XCheckTypedWindowEvent(mDisplay, mWindow, Expose, &event))
  {
    OnExpose(event);
  }
  PresentExposed();
}

void X11EditorWindow::Dispatch(XEvent& event)
{
  switch (event.type)
  {
    case Expose:
      OnExpose(event);
      break;
    case ButtonPress:
      OnButtonPress(event);
      break;
    case ButtonRelease:
      OnButtonRelease(event);
      break;
    case MotionNotify:
      // Only the latest position matters.
      while (XCheckTypedWindowEvent(mDisplay, mWindow, MotionNotify, &event))
      {
      }
      OnMotion(event);
      break;
    case KeyPress:
      OnKey(event);
      break;
    case LeaveNotify:
      mGraphics.PointerLeave();
      mTooltip->Left();
      break;
    case ClientMessage:
      OnClientMessage(event);
      break;
    case DestroyNotify:
      mWindowGone = mWindowGone || event.xdestroywindow.window == mWindow;
      break;
    default:
      break;
  }
}

void X11EditorWindow::OnButtonPress(XEvent& xevent)
{
  const XButtonEvent& event = xevent.xbutton;
  mPointerX = ToLayout(event.x);
  mPointerY = ToLayout(event.y);
  const int steps = X11Input::WheelSteps(event.button);
  if (steps != 0)
  {
    mGraphics.WindowWheel(mPointerX, mPointerY, X11Input::PointerMods(event.state, 0), steps);
    mTooltip->Wheeled(mPointerX, mPointerY);
    return;
  }
  if (event.button != Button1 && event.button != Button3)
  {
    return;
  }
  const bool doubleClick = event.button == Button1 && mDoubleClick.Press(event.time, event.x, event.y);
  mTooltip->BeforePress(event.button == Button3);
  mGraphics.WindowPress(*this, mPointerX, mPointerY, X11Input::PointerMods(event.state, event.button), doubleClick);
  mTooltip->Pressed(mPointerX, mPointerY);
}

void X11EditorWindow::OnButtonRelease(XEvent& xevent)
{
  const XButtonEvent& event = xevent.xbutton;
  if (event.button != Button1 && event.button != Button3)
  {
    return;
  }
  mGraphics.PointerUp(ToLayout(event.x), ToLayout(event.y), X11Input::PointerMods(event.state, event.button));
}

void X11EditorWindow::OnMotion(XEvent& xevent)
{
  const XMotionEvent& event = xevent.xmotion;
  mPointerX = ToLayout(event.x);
  mPointerY = ToLayout(event.y);
  const bool buttonHeld = (event.state & (Button1Mask | Button3Mask)) != 0;
  mGraphics.WindowMotion(mPointerX, mPointerY, X11Input::PointerMods(event.state, 0), buttonHeld);
  mTooltip->PointerMoved(mPointerX, mPointerY, buttonHeld);
}

// Keys the editor does not take go on to the host's window, as if the editor were not there.
void X11EditorWindow::OnKey(XEvent& xevent)
{
  XKeyEvent& event = xevent.xkey;
  char typed[32] = {};
  KeySym keysym = NoSymbol;
  XLookupString(&event, typed, sizeof(typed) - 1, &keysym, nullptr);
  if (mGraphics.WindowKey(*this, keysym, typed, mPointerX, mPointerY))
  {
    return;
  }
  X11ErrorTrap trap(mDisplay);
  event.window = mParent;
  XSendEvent(mDisplay, mParent, True, KeyPressMask, reinterpret_cast<XEvent*>(&event));
}

// The embedder's focus messages are accepted without taking the focus: the host keeps the
// keyboard unless a text field is open.
void X11EditorWindow::OnClientMessage(XEvent& xevent)
{
  const XClientMessageEvent& event = xevent.xclient;
  if (event.message_type == mXembed && event.data.l[1] == kXembedEmbeddedNotify)
  {
    mEmbedder = static_cast<Window>(event.data.l[3]);
  }
}

// A host may make the window larger than the editor: what lies beyond the editor is cleared
// rather than left showing whatever was on the screen there.
void X11EditorWindow::OnExpose(XEvent& xevent)
{
  const XExposeEvent& event = xevent.xexpose;
  const IRECT exposed(event.x, event.y, event.x + event.width, event.y + event.height);
  mExposed = mExposed.Union(mGraphics.WindowToLayout(exposed));
  const int width = mImage->Width();
  const int height = mImage->Height();
  XSetForeground(mDisplay, mGc, BlackPixel(mDisplay, DefaultScreen(mDisplay)));
  for (const IRECT& beyond : {exposed.Intersection(IRECT(width, exposed.T, exposed.R, exposed.B)),
                              exposed.Intersection(IRECT(exposed.L, height, std::min(exposed.R, width), exposed.B))})
  {
    if (beyond.W() > 0 && beyond.H() > 0)
    {
      XFillRectangle(mDisplay, mWindow, mGc, beyond.L, beyond.T, static_cast<unsigned>(beyond.W()),
                     static_cast<unsigned>(beyond.H()));
    }
  }
}

void X11EditorWindow::Present(const IRECT& rect)
{
  LICE_IBitmap* surface = mGraphics.DrawSurface();
  if (mWindowGone || surface == nullptr)
  {
    return;
  }
  const IRECT region = mGraphics.LayoutToWindow(rect);
  mImage->CopyFrom(*surface, region);
  X11ErrorTrap trap(mDisplay);
  mImage->Put(mWindow, mGc, region);
  mWindowGone = trap.Failed();
}

int X11EditorWindow::ToLayout(int windowPixel)
{
  return EditorScale::WindowToLayout(windowPixel, mGraphics.DisplayScale());
}

bool X11EditorWindow::RootPosition(int x, int y, int& rootX, int& rootY) const
{
  Window child = 0;
  X11ErrorTrap trap(mDisplay);
  const double scale = mGraphics.DisplayScale();
  return XTranslateCoordinates(mDisplay, mWindow, DefaultRootWindow(mDisplay), EditorScale::LayoutToWindow(x, scale),
                               EditorScale::LayoutToWindow(y, scale), &rootX, &rootY, &child) != 0 &&
         !trap.Failed();
}

void X11EditorWindow::TakeFocus()
{
  X11ErrorTrap trap(mDisplay);
  XGetInputFocus(mDisplay, &mSavedFocus, &mSavedRevert);
  XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
  if (mEmbedder != 0)
  {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = mEmbedder;
    request.xclient.message_type = mXembed;
    request.xclient.format = 32;
    request.xclient.data.l[0] = CurrentTime;
    request.xclient.data.l[1] = kXembedRequestFocus;
    XSendEvent(mDisplay, mEmbedder, False, NoEventMask, &request);
  }
}

// Only a focus we still hold is given back: if the user moved it meanwhile, it stays there.
void X11EditorWindow::ReturnFocus()
{
  X11ErrorTrap trap(mDisplay);
  Window current = 0;
  int revert = 0;
  XGetInputFocus(mDisplay, &current, &revert);
  if (current == mWindow)
  {
    XSetInputFocus(mDisplay, mSavedFocus, mSavedRevert, CurrentTime);
  }
}
