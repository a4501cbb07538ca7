#include "graphics/linux/X11Image.h"

#include "graphics/lice/LICE_IBitmap.h"
#include "graphics/linux/X11ErrorTrap.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>

namespace {
struct Channel
{
  int shift = 0;
  int bits = 0;

  explicit Channel(unsigned long mask)
  {
    for (; mask && !(mask & 1); mask >>= 1)
    {
      ++shift;
    }
    for (; mask & 1; mask >>= 1)
    {
      ++bits;
    }
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

// The layout of nearly every 24-bit TrueColor server: 32-bit pixels 0x00RRGGBB in this
// machine's byte order, written directly.
bool IsDirect8888(const XImage& image)
{
  return image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 && image.green_mask == 0xFF00 &&
         image.blue_mask == 0xFF && image.byte_order == NativeByteOrder();
}

uint32_t Direct8888(LICE_pixel pixel)
{
  return static_cast<uint32_t>(LICE_GETR(pixel) << 16 | LICE_GETG(pixel) << 8 | LICE_GETB(pixel));
}
}  // namespace

X11Image::X11Image(Display* display, Visual* visual, int depth, int width, int height, bool share) : mDisplay(display)
{
  if (!display || !visual || width <= 0 || height <= 0)
  {
    return;
  }
  if (share && XShmQueryExtension(display) && CreateShared(visual, depth, width, height))
  {
    return;
  }
  CreatePlain(visual, depth, width, height);
}

// The image keeps a pointer to the segment record, which therefore lives in this object. A
// remote server cannot reach our memory and refuses the attach.
bool X11Image::CreateShared(Visual* visual, int depth, int width, int height)
{
  mImage = XShmCreateImage(mDisplay, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &mSegment,
                           static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (!mImage)
  {
    return false;
  }
  mSegment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(mImage->bytes_per_line) * height, IPC_CREAT | 0600);
  void* address = mSegment.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(mSegment.shmid, nullptr, 0);
  if (mSegment.shmid >= 0)
  {
    // Gone with its last attachment, even if the host process dies.
    shmctl(mSegment.shmid, IPC_RMID, nullptr);
  }
  if (address != reinterpret_cast<void*>(-1))
  {
    mSegment.shmaddr = mImage->data = static_cast<char*>(address);
    mSegment.readOnly = False;
    X11ErrorTrap trap(mDisplay);
    XShmAttach(mDisplay, &mSegment);
    mShared = !trap.Failed();
  }
  if (!mShared)
  {
    ReleaseShared();
  }
  return mShared;
}

void X11Image::CreatePlain(Visual* visual, int depth, int width, int height)
{
  mImage = XCreateImage(mDisplay, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!mImage)
  {
    return;
  }
  mImage->byte_order = NativeByteOrder();
  mPixels.assign(static_cast<size_t>(mImage->bytes_per_line) * static_cast<size_t>(height), 0);
  mImage->data = mPixels.data();
}

void X11Image::ReleaseShared()
{
  if (mShared)
  {
    X11ErrorTrap trap(mDisplay);
    XShmDetach(mDisplay, &mSegment);
    mShared = false;
  }
  if (mSegment.shmaddr)
  {
    shmdt(mSegment.shmaddr);
  }
  mSegment = XShmSegmentInfo{};
  if (mImage)
  {
    mImage->data = nullptr;
    XDestroyImage(mImage);
    mImage = nullptr;
  }
}

X11Image::~X11Image()
{
  if (mShared)
  {
    ReleaseShared();
    return;
  }
  if (!mImage)
  {
    return;
  }
  mImage->data = nullptr;  // the vector owns the pixels
  XDestroyImage(mImage);
}

void X11Image::CopyFrom(LICE_IBitmap& bitmap, const IRECT& region)
{
  if (!mImage)
  {
    return;
  }
  const IRECT r = region.Intersection(
    IRECT(0, 0, std::min(bitmap.Width(), mImage->width), std::min(bitmap.Height(), mImage->height)));
  if (r.W() <= 0 || r.H() <= 0)
  {
    return;
  }
  const LICE_pixel* bits = bitmap.Bits();
  const size_t span = static_cast<size_t>(bitmap.RowSpan());
  if (IsDirect8888(*mImage))
  {
    for (int y = r.T; y < r.B; ++y)
    {
      const LICE_pixel* in = bits + y * span;
      auto* out = reinterpret_cast<uint32_t*>(mImage->data + static_cast<size_t>(y) * mImage->bytes_per_line);
      std::transform(in + r.L, in + r.R, out + r.L, Direct8888);
    }
    return;
  }
  const Channel red(mImage->red_mask), green(mImage->green_mask), blue(mImage->blue_mask);
  for (int y = r.T; y < r.B; ++y)
  {
    const LICE_pixel* in = bits + y * span;
    for (int x = r.L; x < r.R; ++x)
    {
      const LICE_pixel pixel = in[x];
      XPutPixel(mImage, x, y,
                red.Place(LICE_GETR(pixel)) | green.Place(LICE_GETG(pixel)) | blue.Place(LICE_GETB(pixel)));
    }
  }
}

void X11Image::Put(Drawable drawable, GC gc, const IRECT& region)
{
  if (!mImage)
  {
    return;
  }
  const IRECT r = region.Intersection(IRECT(0, 0, mImage->width, mImage->height));
  if (r.W() <= 0 || r.H() <= 0)
  {
    return;
  }
  if (!mShared)
  {
    XPutImage(mDisplay, drawable, gc, mImage, r.L, r.T, r.L, r.T, static_cast<unsigned>(r.W()),
              static_cast<unsigned>(r.H()));
    return;
  }
  XShmPutImage(mDisplay, drawable, gc, mImage, r.L, r.T, r.L, r.T, static_cast<unsigned>(r.W()),
               static_cast<unsigned>(r.H()), False);
  XSync(mDisplay, False);
}
