#pragma once

#include "graphics/IRECT.h"

#include <X11/Xlib.h>

#include <vector>

class LICE_IBitmap;

// Client-side pixels in the format of a TrueColor visual, filled from LICE bitmaps and
// sent to a window with Put. The image uses this machine's byte order; Xlib converts for
// a server of the other order.
class X11Image
{
public:
  X11Image(Display* display, Visual* visual, int depth, int width, int height);
  ~X11Image();
  X11Image(const X11Image&) = delete;
  X11Image& operator=(const X11Image&) = delete;

  // False when Xlib could not describe an image of that size and visual.
  bool Valid() const { return mImage != nullptr; }
  // Copies a region of the bitmap into the same region of the image, each channel where
  // the visual's masks place it; alpha is dropped. The region is clipped to both.
  void CopyFrom(LICE_IBitmap& bitmap, const IRECT& region);
  // Sends a region of the image to the same place in the drawable.
  void Put(Drawable drawable, GC gc, const IRECT& region);

private:
  Display* mDisplay;
  XImage* mImage = nullptr;
  std::vector<char> mPixels;
};
