// Loading, caching and deriving images, and drawing them onto the editor surface.
#include "graphics/IGraphics.h"

#include "graphics/BitmapCache.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_SysBitmap.h"

namespace {
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

IFrameStrip StripFor(LICE_IBitmap* bitmap, int frames, bool horizontal)
{
  IFrameStrip strip;
  strip.frames = frames < 1 ? 1 : frames;
  strip.horizontal = horizontal;
  if (bitmap)
  {
    strip.bitmap = bitmap;
    strip.width = bitmap->Width();
    strip.height = bitmap->Height();
  }
  return strip;
}

// Memory bitmaps start uncleared; derived images start transparent so that whatever the
// source does not cover shows nothing rather than stale memory.
std::unique_ptr<LICE_MemBitmap> TransparentBitmap(int width, int height)
{
  auto bitmap = std::make_unique<LICE_MemBitmap>(width, height, 4);
  ::FillRect(bitmap.get(), 0, 0, width, height, ColourTransparent.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
  return bitmap;
}
}  // namespace

// ---- Bitmaps ---------------------------------------------------------------------------

IFrameStrip IGraphics::LoadStripBitmap(int id, const char* name, int frames, bool horizontal)
{
  BitmapCache& cache = BitmapCache::Instance();
  LICE_IBitmap* bitmap = cache.Find(id);
  if (!bitmap)
    bitmap = cache.Adopt(id, std::unique_ptr<LICE_IBitmap>(LoadPlatformBitmap(id, name)));
  return StripFor(bitmap, frames, horizontal);
}

void IGraphics::RetainBitmap(IFrameStrip& strip)
{
  strip.bitmap = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::unique_ptr<LICE_IBitmap>(strip.bitmap));
}

void IGraphics::ReleaseBitmap(IFrameStrip& strip)
{
  BitmapCache::Instance().Remove(strip.bitmap);
  strip = StripFor(nullptr, strip.frames, strip.horizontal);
}

IFrameStrip IGraphics::ScaleBitmap(const IFrameStrip& strip, int width, int height)
{
  if (!strip.bitmap)
    return StripFor(nullptr, strip.frames, false);
  auto scaled = TransparentBitmap(width, height);
  ::ScaledBlit(scaled.get(), strip.bitmap, 0, 0, width, height, 0.0f, 0.0f, static_cast<float>(strip.width),
               static_cast<float>(strip.height), 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  LICE_IBitmap* cached = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::move(scaled));
  return StripFor(cached, strip.frames, false);
}

IFrameStrip IGraphics::CropBitmap(const IFrameStrip& strip, const IRECT& rect)
{
  if (!strip.bitmap)
    return StripFor(nullptr, strip.frames, strip.horizontal);
  auto cropped = TransparentBitmap(rect.W(), rect.H());
  ::BlitBitmap(cropped.get(), strip.bitmap, 0, 0, rect.L, rect.T, rect.W(), rect.H(), 1.0f, LICE_BLIT_MODE_COPY);
  LICE_IBitmap* cached = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::move(cropped));
  return StripFor(cached, strip.frames, strip.horizontal);
}

// ---- Drawing bitmaps -------------------------------------------------------------------

void IGraphics::DrawStripFrame(const IFrameStrip& strip, const IRECT& dest, int frame, const IBlend* blend)
{
  int srcX = 0;
  int srcY = 0;
  if (frame >= 2 && strip.frames >= 2)
  {
    if (strip.horizontal)
      srcX = static_cast<int>(static_cast<double>(frame - 1) * strip.width / strip.frames + 0.5);
    else
      srcY = static_cast<int>(static_cast<double>(frame - 1) * strip.height / strip.frames + 0.5);
  }
  DrawBitmapPart(strip, dest, srcX, srcY, blend);
}

void IGraphics::DrawBitmapPart(const IFrameStrip& strip, const IRECT& dest, int srcX, int srcY, const IBlend* blend)
{
  if (!strip.bitmap || !mDrawSurface)
    return;
  if (dest.Empty() || mDrawRect.Empty() || !dest.Intersects(mDrawRect))
    return;
  const IRECT r = dest.Intersection(mDrawRect);
  if (r.W() <= 0 || r.H() <= 0)
    return;
  ::BlitBitmap(mDrawSurface.get(), strip.bitmap, r.L, r.T, srcX + r.L - dest.L, srcY + r.T - dest.T, r.W(), r.H(),
               BlendWeight(blend), BlendMode(blend));
}

void IGraphics::DrawRotated(const IFrameStrip& strip, int centreX, int centreY, double degrees, const IBlend* blend)
{
  if (!strip.bitmap || !mDrawSurface)
    return;
  const int w = strip.width;
  const int h = strip.height;
  ::RotatedBlit(mDrawSurface.get(), strip.bitmap, centreX - w / 2, centreY - h / 2, w, h, 0.0f, 0.0f,
                static_cast<float>(w), static_cast<float>(h), static_cast<float>(degrees * kRadiansPerDegree),
                BlendWeight(blend), BlendMode(blend) | LICE_BLIT_FILTER_BILINEAR);
}

void IGraphics::DrawRotatedMask(const IFrameStrip& base, const IFrameStrip& mask, const IFrameStrip& top, int x, int y,
                                double degrees, const IBlend* blend)
{
  if (!base.bitmap || !mDrawSurface)
    return;
  const int w = base.width;
  const int h = base.height;
  const float angle = static_cast<float>(degrees * kRadiansPerDegree);
  mScratchSurface->Resize(w, h);
  ::FillRect(mScratchSurface.get(), 0, 0, w, h, ColourTransparent.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
  ::RotatedBlit(mScratchSurface.get(), base.bitmap, 0, 0, w, h, 0.0f, 0.0f, static_cast<float>(w),
                static_cast<float>(h), angle, 1.0f,
                LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR);
  if (mask.bitmap)
    ::RotatedBlit(mScratchSurface.get(), mask.bitmap, 0, 0, w, h, 0.0f, 0.0f, static_cast<float>(mask.width),
                  static_cast<float>(mask.height), angle, 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  IFrameStrip composed = StripFor(mScratchSurface.get(), 1, false);
  DrawBitmapPart(composed, IRECT(x, y, x + w, y + h), 0, 0, blend);
  if (top.bitmap)
    DrawBitmapPart(top, IRECT(x, y, x + top.width, y + top.height), 0, 0, blend);
}
