#pragma once

#include "framework/IEditorRunLoop.h"
#include "graphics/IRECT.h"
#include "graphics/linux/X11Input.h"

#include <memory>

class EditorTooltip;
class IGraphicsLinux;
class X11Image;
// Xlib's types, declared here so that its macros (KeyPress, None...) stay out of the
// editor's headers.
struct _XDisplay;
struct _XGC;
union _XEvent;

// One view of the editor: an X11 child window of the host's window, on a display connection
// of its own, served by the host's run loop. It is as large as the editor's surface at the
// editor's scale, presents it pixel for pixel and passes the input it receives to the
// editor in layout pixels. Everything
// runs on the host's user-interface thread, the only thread that touches the connection.
class X11EditorWindow : public IEditorRunLoopClient
{
public:
  using Window = unsigned long;

  // Null when no display can be opened, the parent is no usable window or the run loop
  // refuses the timer or the watch; nothing is left open then.
  static std::unique_ptr<X11EditorWindow> Open(IGraphicsLinux& graphics, Window parent, IEditorRunLoop& runLoop);
  // Leaves the run loop and frees the window, the image and the connection.
  ~X11EditorWindow() override;
  X11EditorWindow(const X11EditorWindow&) = delete;
  X11EditorWindow& operator=(const X11EditorWindow&) = delete;

  // Shows the window pixels of a layout rectangle of the editor's surface.
  void Present(const IRECT& rect);
  // Takes the size of the editor at its current scale; false when the new image cannot be
  // made.
  bool FollowScale();
  // Repaints at once what the server has reported uncovered so far: a window of ours that
  // closes just before a modal menu takes the connection must leave no trace behind it.
  void PresentPendingExposures();
  // The root-window position of a layout pixel.
  bool RootPosition(int x, int y, int& rootX, int& rootY) const;
  // The keyboard focus, taken while a text field is open and then given back.
  void TakeFocus();
  void ReturnFocus();
  // Leaves the run loop now; the window itself goes when the event it is handling is done.
  void LeaveRunLoop();
  bool Dispatching() const { return mDispatchDepth > 0; }
  _XDisplay* XDisplay() const { return mDisplay; }
  Window XWindow() const { return mWindow; }

  void OnTimer() override;
  void OnReadable() override;

private:
  X11EditorWindow(IGraphicsLinux& graphics, _XDisplay* display);
  bool Create(Window parent);
  bool MakeImage();
  int ToLayout(int windowPixel);
  void MarkEmbeddable();
  void HandlePendingEvents();
  void Dispatch(_XEvent& event);
  void OnButtonPress(_XEvent& event);
  void OnButtonRelease(_XEvent& event);
  void OnMotion(_XEvent& event);
  void OnKey(_XEvent& event);
  void OnClientMessage(_XEvent& event);
  void OnExpose(_XEvent& event);
  void PresentExposed();
  void Finish();

  IGraphicsLinux& mGraphics;
  _XDisplay* mDisplay;
  IEditorRunLoop* mRunLoop = nullptr;
  // The parent's Xlib Visual, which the window and its images share.
  void* mVisual = nullptr;
  int mDepth = 0;
  Window mParent = 0;
  Window mWindow = 0;
  Window mEmbedder = 0;
  Window mSavedFocus = 0;
  int mSavedRevert = 0;
  _XGC* mGc = nullptr;
  std::unique_ptr<X11Image> mImage;
  std::unique_ptr<EditorTooltip> mTooltip;
  unsigned long mXembed = 0;
  X11Input::DoubleClickDetector mDoubleClick;
  IRECT mExposed;
  int mPointerX = 0;
  int mPointerY = 0;
  int mDispatchDepth = 0;
  bool mWindowGone = false;
};
