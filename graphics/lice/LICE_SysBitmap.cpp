#include "graphics/lice/LICE_SysBitmap.h"

#include <cstring>

namespace {
constexpr int kMaxWidth = 0x7FFFFFFC;
}

LICE_SysBitmap::LICE_SysBitmap(int w, int h)
{
  Resize(w, h);
}

bool LICE_SysBitmap::Resize(int w, int h)
{
  if (w == width_ && h == height_)
    return false;
  const bool fits = w > 0 && h > 0 && w <= allocSpan_ && h <= allocHeight_;
  if (!fits && !Reallocate(w, h))
  {
    width_ = height_ = 0;
    return true;
  }
  width_ = w;
  height_ = h;
  return true;
}

void* LICE_SysBitmap::PlatformContext()
{
  return buffer_.Pixels() ? this : nullptr;
}

bool LICE_SysBitmap::Reallocate(int w, int h)
{
  allocSpan_ = allocHeight_ = 0;
  buffer_.Free();
  if (w <= 0 || h <= 0 || w > kMaxWidth)
    return false;
  const int span = (w + 3) & ~3;
  const size_t bytes = static_cast<size_t>(span) * static_cast<size_t>(h) * sizeof(LICE_pixel);
  if (!buffer_.Allocate(bytes))
    return false;
  // A fresh surface starts transparent black rather than with stale heap contents.
  std::memset(buffer_.Pixels(), 0, bytes);
  allocSpan_ = span;
  allocHeight_ = h;
  return true;
}
