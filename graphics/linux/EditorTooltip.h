#pragma once

#include "graphics/TooltipTracker.h"

#include <memory>
#include <string>

class IGraphicsLinux;
class X11EditorWindow;
class X11TooltipWindow;

// The tooltip of one editor window: the full name and value of the parameter under the
// pointer ("Mid Sat. Gain: 12.3 dB"), or an unbound control's own tooltip text, shown below
// the control after the pointer has rested on it for kDelayMs, at once while a control is
// dragged or wheeled, and updated on every tick while it shows. The window reports its
// input here in editor pixels after the editor has handled it; the tooltip is placed
// through the window's mapping from editor pixels to the screen. Only an editor with
// tooltips enabled shows any. User-interface thread.
class EditorTooltip
{
public:
  static constexpr int kDelayMs = 600;

  EditorTooltip(IGraphicsLinux& graphics, X11EditorWindow& window);
  ~EditorTooltip();
  EditorTooltip(const EditorTooltip&) = delete;
  EditorTooltip& operator=(const EditorTooltip&) = delete;

  void PointerMoved(int x, int y, bool buttonHeld);
  // Before a press is handled: a right press opens a menu, which the tooltip must not cover.
  void BeforePress(bool right);
  void Pressed(int x, int y);
  void Wheeled(int x, int y);
  void Left();
  // One redraw-timer tick.
  void Tick();

private:
  // The control under the pointer when it has something to show, -1 otherwise.
  int TooltipControlAt(int x, int y) const;
  std::string TextFor(int index) const;
  // Shows, moves or hides the window as the tracker says.
  void Update();

  IGraphicsLinux& mGraphics;
  X11EditorWindow& mWindow;
  TooltipTracker mTracker;
  // Kept behind a pointer: Xlib's macros (KeyPress...) must not reach the editor's headers.
  std::unique_ptr<X11TooltipWindow> mTooltip;
  int mShownIndex = -1;
  std::string mShownText;
  double mShownScale = 1.0;
};
