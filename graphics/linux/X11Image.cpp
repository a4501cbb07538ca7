#include "graphics/linux/X11Image.h"

#include "graphics/lice/LICE_IBitmap.h"
#include "graphics/linux/X11ErrorTrap.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace
{
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;

bool IsTrueColour32(const Visual* visual, int depth)
{
  return (depth == 24 || depth == 32) && visual->red_mask == kRedMask && visual->green_mask == kGreenMask &&
         visual->blue_mask == kBlueMask;
}

// Editor pixels hold the bytes alpha, red, green, blue; the server wants blue, green, red
// and an opaque top byte in a little-endian word.
uint32_t ServerPixel(uint32_t editorPixel)
{
  return __builtin_bswap32(editorPixel) | 0xFF000000u;
}

bool LittleEndianHost()
{
  const uint16_t probe = 1;
  return *reinterpret_cast<const uint8_t*>(&probe) == 1;
}

XImage* CreatePlainImage(Display* display, Visual* visual, int depth, int width, int height)
{
  auto* pixels = static_cast<char*>(std::calloc(static_cast<size_t>(width) * height, 4));
  if (pixels == nullptr)
  {
    return nullptr;
  }
  XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, pixels, width, height, 32, 0);
  if (image == nullptr)
  {
    std::free(pixels);
  }
  return image;
}
} // namespace

std::unique_ptr<X11Image> X11Image::Create(Display* display, Visual* visual, int depth, int width, int height)
{
  if (!IsTrueColour32(visual, depth) || width <= 0 || height <= 0)
  {
    return nullptr;
  }
  if (XShmQueryExtension(display))
  {
    // The image keeps a pointer to its segment record, which therefore lives in the object.
    std::unique_ptr<X11Image> shared(new X11Image(display));
    shared->mImage = XShmCreateImage(display, visual, depth, ZPixmap, nullptr, &shared->mSegment, width, height);
    if (shared->mImage != nullptr && shared->ShareWithServer())
    {
      return shared;
    }
  }
  std::unique_ptr<X11Image> plain(new X11Image(display));
  plain->mImage = CreatePlainImage(display, visual, depth, width, height);
  return plain->mImage != nullptr ? std::move(plain) : nullptr;
}

X11Image::X11Image(Display* display) : mDisplay(display) {}

// A remote server cannot reach our memory and refuses the attach; the caller then falls
// back to a plain image.
bool X11Image::ShareWithServer()
{
  const size_t bytes = static_cast<size_t>(mImage->bytes_per_line) * mImage->height;
  mSegment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (mSegment.shmid < 0)
  {
    return false;
  }
  void* address = shmat(mSegment.shmid, nullptr, 0);
  // Marked for removal at once: the segment disappears with its last attachment, even if
  // the host process dies.
  shmctl(mSegment.shmid, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1))
  {
    return false;
  }
  mSegment.shmaddr = mImage->data = static_cast<char*>(address);
  mSegment.readOnly = False;
  X11ErrorTrap trap(mDisplay);
  XShmAttach(mDisplay, &mSegment);
  mShared = !trap.Failed();
  return mShared;
}

X11Image::~X11Image()
{
  if (mShared)
  {
    X11ErrorTrap trap(mDisplay);
    XShmDetach(mDisplay, &mSegment);
  }
  if (mSegment.shmaddr != nullptr)
  {
    shmdt(mSegment.shmaddr);
    mImage->data = nullptr;
  }
  if (mImage != nullptr)
  {
    XDestroyImage(mImage);
  }
}

void X11Image::CopyFrom(LICE_IBitmap& surface, const IRECT& rect, int scale)
{
  const int left = std::max(rect.L, 0);
  const int top = std::max(rect.T, 0);
  const int right = std::min({rect.R, surface.Width(), mImage->width / scale});
  const int bottom = std::min({rect.B, surface.Height(), mImage->height / scale});
  const bool swapWords = (mImage->byte_order == LSBFirst) != LittleEndianHost();
  const LICE_pixel* source = surface.Bits();
  for (int y = top; y < bottom; ++y)
  {
    const LICE_pixel* row = source + static_cast<size_t>(y) * surface.RowSpan();
    for (int dy = 0; dy < scale; ++dy)
    {
      auto* out = reinterpret_cast<uint32_t*>(mImage->data + static_cast<size_t>(y * scale + dy) * mImage->bytes_per_line);
      for (int x = left; x < right; ++x)
      {
        const uint32_t pixel = ServerPixel(row[x]);
        std::fill_n(out + x * scale, scale, swapWords ? __builtin_bswap32(pixel) : pixel);
      }
    }
  }
}

void X11Image::Put(Drawable drawable, GC gc, const IRECT& rect)
{
  const int left = std::max(rect.L, 0);
  const int top = std::max(rect.T, 0);
  const int width = std::min(rect.R, mImage->width) - left;
  const int height = std::min(rect.B, mImage->height) - top;
  if (width <= 0 || height <= 0)
  {
    return;
  }
  if (mShared)
  {
    XShmPutImage(mDisplay, drawable, gc, mImage, left, top, left, top, width, height, False);
  }
  else
  {
    XPutImage(mDisplay, drawable, gc, mImage, left, top, left, top, width, height);
  }
}
