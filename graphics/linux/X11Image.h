#pragma once

#include "graphics/IRECT.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <vector>

class LICE_IBitmap;

// Pixels in the format of a TrueColor visual, filled from LICE bitmaps and sent to a window
// with Put. A shared image lives in memory the server reads directly (MIT-SHM, offered by
// a local server); otherwise, or when sharing is refused, the pixels are sent with
// XPutImage. User-interface thread only.
class X11Image
{
public:
  X11Image(Display* display, Visual* visual, int depth, int width, int height, bool share = false);
  ~X11Image();
  X11Image(const X11Image&) = delete;
  X11Image& operator=(const X11Image&) = delete;

  // False when Xlib could not describe an image of that size and visual.
  bool Valid() const { return mImage != nullptr; }
  bool Shared() const { return mShared; }
  int Width() const { return mImage ? mImage->width : 0; }
  int Height() const { return mImage ? mImage->height : 0; }
  // Copies a region of the bitmap into the same place of the image, each channel where the
  // visual's masks place it; alpha is dropped. The region is clipped to both.
  void CopyFrom(LICE_IBitmap& bitmap, const IRECT& region);
  // Sends a region of the image to the same place in the drawable. A shared image has been
  // read by the server when this returns, so it may be written again.
  void Put(Drawable drawable, GC gc, const IRECT& region);

private:
  bool CreateShared(Visual* visual, int depth, int width, int height);
  void CreatePlain(Visual* visual, int depth, int width, int height);
  void ReleaseShared();

  Display* mDisplay;
  XImage* mImage = nullptr;
  std::vector<char> mPixels;
  XShmSegmentInfo mSegment{};
  bool mShared = false;
};
