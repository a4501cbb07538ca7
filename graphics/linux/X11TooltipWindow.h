#pragma once

#include "graphics/IRECT.h"

#include <X11/Xlib.h>

#include <string>

// A small window on the root that shows one line of text near a place on the screen. It
// never takes the focus or the pointer: override-redirect (no window manager places or
// focuses it), marked as a tooltip that accepts no input, and with an empty input shape,
// so pointer events go to whatever lies below. The text is also its window name, as
// assistive tools read it. The window is made on the first Show and destroyed with the
// object; its picture is its background, so the server repaints it without our help.
// User-interface thread, on the connection of the editor window it belongs to.
class X11TooltipWindow
{
public:
  explicit X11TooltipWindow(Display* display) : mDisplay(display) {}
  ~X11TooltipWindow();
  X11TooltipWindow(const X11TooltipWindow&) = delete;
  X11TooltipWindow& operator=(const X11TooltipWindow&) = delete;

  // Shows text below the root rectangle `near` (above it where the screen ends), centred on
  // it and kept on the screen. Text, padding and gap grow with scale, the editor's window
  // pixels per layout pixel, so the tooltip matches the editor it belongs to.
  void Show(const std::string& text, const IRECT& near, double scale);
  void Hide();
  bool Visible() const { return mVisible; }

private:
  bool Create();
  void Destroy();
  bool Draw(const std::string& text, double scale);
  void Place(const IRECT& near);

  Display* mDisplay;
  Window mWindow = 0;
  Colormap mColormap = 0;
  GC mGc = nullptr;
  Visual* mVisual = nullptr;
  int mDepth = 0;
  int mWidth = 0;
  int mHeight = 0;
  bool mVisible = false;
  std::string mText;
  double mScale = 1.0;
};
