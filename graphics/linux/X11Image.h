#pragma once

#include "graphics/IRECT.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

class LICE_IBitmap;

// The pixels one editor window shows, in the server's 32-bit true-colour format, sized to
// the window. Shared with the server through MIT-SHM when it offers that to this connection
// (a local server), otherwise sent with XPutImage. User-interface thread only.
class X11Image
{
public:
  // Null when the visual is not 32-bit true colour or no memory is left.
  static std::unique_ptr<X11Image> Create(Display* display, Visual* visual, int depth, int width, int height);
  ~X11Image();
  X11Image(const X11Image&) = delete;
  X11Image& operator=(const X11Image&) = delete;

  // Copies rect of the editor surface in, each editor pixel as a scale x scale block.
  void CopyFrom(LICE_IBitmap& surface, const IRECT& rect, int scale);
  // Sends the window pixels of rect to the drawable. The caller waits for the server (XSync)
  // before the pixels are written again.
  void Put(Drawable drawable, GC gc, const IRECT& rect);
  bool Shared() const { return mShared; }

private:
  explicit X11Image(Display* display);
  bool ShareWithServer();

  Display* mDisplay;
  XImage* mImage = nullptr;
  XShmSegmentInfo mSegment{};
  bool mShared = false;
};
