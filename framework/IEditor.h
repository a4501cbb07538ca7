#pragma once

#include "framework/ParamMenuItem.h"

class IEditorRunLoop;

// The only door through which the plug-in side reaches its editor. The graphics core
// implements it; the plug-in base owns the one object it is given by AttachEditor and
// calls nothing else on it, so the framework never depends on the drawing code.
class IEditor
{
public:
  virtual ~IEditor() = default;

  // Called with the plug-in's mutex held, on the audio thread too (host automation, program
  // changes): it stores and flags only and allocates nothing; the UI thread reads what it
  // stored only under that mutex, and never holds the mutex through a whole repaint.
  // Every control bound to paramIdx takes the value when the UI thread next takes the stored
  // changes over; a plain (not normalised) value is first converted with the parameter's
  // ToNormalized.
  virtual void PushParamValue(int paramIdx, double value, bool normalized) = 0;
  // Host's UI thread, mutex held (from AttachEditor).
  virtual void PrepareDrawSurfaces() = 0;
  // Mutex held, on the audio thread too (from the effect's parameter changes): flags only.
  virtual void GreyParamControls(int paramIdx, bool grey) = 0;
  // Mutex held, on the audio thread too: flags only. Marks every control for repainting
  // without sending any value back to the plug-in.
  virtual void MarkAllDirty() = 0;

  // From here on: host's UI thread, mutex not held.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Window pixels per layout pixel (EditorScale).
  virtual double DisplayScale() = 0;
  // Shows the editor at another scale from now on, open views included.
  virtual void SetDisplayScale(double /*scale*/) {}

  // Carries out one of the editor's own items of a parameter's context menu, chosen in a
  // menu the host showed.
  virtual void RunParamMenuItem(int /*paramIdx*/, ParamMenuItem /*item*/) {}

  // Places the editor's native view into a host window and takes it out again.
  virtual void* AttachToParentView(void* parentView) = 0;
  virtual void* AttachToParentControl(void* window, void* control) = 0;
  virtual void DetachView() = 0;

  // Embedding served by the host's event loop (X11 hosts): the editor's window is placed
  // into parentWindow, drawn at the display scale and driven by runLoop. Several such
  // views may be open at once; each is closed by the handle it returned. Null when the
  // editor cannot embed this way, and then nothing is left open.
  virtual void* OpenHostView(void* /*parentWindow*/, IEditorRunLoop& /*runLoop*/) { return nullptr; }
  virtual void CloseHostView(void* /*view*/) {}
};
