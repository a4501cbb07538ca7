#include "graphics/linux/X11Image.h"

#include "graphics/lice/LICE_IBitmap.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>

namespace
{
struct Channel
{
  int shift = 0;
  int bits = 0;

  explicit Channel(unsigned long mask)
  {
    for (; mask && !(mask & 1); mask >>= 1) ++shift;
    for (; mask & 1; mask >>= 1) ++bits;
  }

  unsigned long Place(int value) const
  {
    const unsigned long top = (1ul << bits) - 1;
    return ((static_cast<unsigned long>(value) * top + 127) / 255) << shift;
  }
};

int NativeByteOrder()
{
  const uint16_t probe = 1;
  return *reinterpret_cast<const uint8_t*>(&probe) == 1 ? LSBFirst : MSBFirst;
}

// The layout of nearly every 24-bit TrueColor server: 32-bit pixels 0x00RRGGBB.
bool IsDirect8888(const XImage& image)
{
  return image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 && image.green_mask == 0xFF00 &&
         image.blue_mask == 0xFF;
}
} // namespace

X11Image::X11Image(Display* display, Visual* visual, int depth, int width, int height) : mDisplay(display)
{
  if (!display || !visual || width <= 0 || height <= 0) return;
  mImage = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!mImage) return;
  mImage->byte_order = NativeByteOrder();
  mPixels.assign(static_cast<size_t>(mImage->bytes_per_line) * static_cast<size_t>(height), 0);
  mImage->data = mPixels.data();
}

X11Image::~X11Image()
{
  if (!mImage) return;
  mImage->data = nullptr;  // the vector owns the pixels
  XDestroyImage(mImage);
}

void X11Image::CopyFrom(LICE_IBitmap& bitmap, const IRECT& region)
{
  if (!mImage) return;
  const IRECT r = region.Intersection(
    IRECT(0, 0, std::min(bitmap.Width(), mImage->width), std::min(bitmap.Height(), mImage->height)));
  if (r.W() <= 0 || r.H() <= 0) return;
  const LICE_pixel* bits = bitmap.Bits();
  const size_t span = static_cast<size_t>(bitmap.RowSpan());
  if (IsDirect8888(*mImage))
  {
    for (int y = r.T; y < r.B; ++y)
    {
      const LICE_pixel* in = bits + y * span;
      auto* out = reinterpret_cast<uint32_t*>(mImage->data + static_cast<size_t>(y) * mImage->bytes_per_line);
      for (int x = r.L; x < r.R; ++x)
        out[x] = static_cast<uint32_t>(LICE_GETR(in[x]) << 16 | LICE_GETG(in[x]) << 8 | LICE_GETB(in[x]));
    }
    return;
  }
  const Channel red(mImage->red_mask), green(mImage->green_mask), blue(mImage->blue_mask);
  for (int y = r.T; y < r.B; ++y)
  {
    const LICE_pixel* in = bits + y * span;
    for (int x = r.L; x < r.R; ++x)
      XPutPixel(mImage, x, y, red.Place(LICE_GETR(in[x])) | green.Place(LICE_GETG(in[x])) | blue.Place(LICE_GETB(in[x])));
  }
}

void X11Image::Put(Drawable drawable, GC gc, const IRECT& region)
{
  if (!mImage) return;
  const IRECT r = region.Intersection(IRECT(0, 0, mImage->width, mImage->height));
  if (r.W() <= 0 || r.H() <= 0) return;
  XPutImage(mDisplay, drawable, gc, mImage, r.L, r.T, r.L, r.T, static_cast<unsigned>(r.W()),
            static_cast<unsigned>(r.H()));
}
