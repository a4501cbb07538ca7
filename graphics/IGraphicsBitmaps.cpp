// Loading, caching and deriving images, and drawing them onto the editor surface.
#include "graphics/IGraphics.h"

#include "graphics/BitmapCache.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <algorithm>
#include <string>

namespace {
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
// Detailed images are cached under their resource id plus this, apart from every 1x image.
constexpr int kDetailedIdOffset = 0x100000;
constexpr char kDetailedSuffix[] = "@2x";

// "resources/img/knob.png" -> "resources/img/knob@2x.png".
std::string DetailedName(const std::string& name)
{
  const size_t dot = name.rfind('.');
  const size_t slash = name.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return name + kDetailedSuffix;
  return name.substr(0, dot) + kDetailedSuffix + name.substr(dot);
}

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
  if (bitmap && name)
    mResources.push_back(Resource{bitmap, id, name});
  return StripFor(bitmap, frames, horizontal);
}

LICE_IBitmap* IGraphics::DetailedBitmap(const IFrameStrip& strip)
{
  const auto resource = std::find_if(mResources.begin(), mResources.end(),
                                     [&strip](const Resource& r) { return r.bitmap == strip.bitmap; });
  if (!strip.bitmap || resource == mResources.end())
    return nullptr;
  BitmapCache& cache = BitmapCache::Instance();
  const int id = resource->id + kDetailedIdOffset;
  LICE_IBitmap* detailed = cache.Find(id);
  if (!detailed)
    detailed =
      cache.Adopt(id, std::unique_ptr<LICE_IBitmap>(LoadPlatformBitmap(id, DetailedName(resource->name).c_str())));
  const bool fits = detailed && detailed->Width() == ScaledImages::kDetailFactor * strip.width &&
                    detailed->Height() == ScaledImages::kDetailFactor * strip.height;
  return fits ? detailed : nullptr;
}

const ScaledImages::Image& IGraphics::ScaledStrip(const IFrameStrip& strip)
{
  if (const ScaledImages::Image* made = mScaledImages.Find(strip.bitmap))
    return *made;
  return mScaledImages.Make(strip, DetailedBitmap(strip));
}

void IGraphics::RetainBitmap(IFrameStrip& strip)
{
  strip.bitmap = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::unique_ptr<LICE_IBitmap>(strip.bitmap));
}

void IGraphics::ReleaseBitmap(IFrameStrip& strip)
{
  // A later bitmap may be made at the same address: nothing may remember this one.
  mResources.erase(std::remove_if(mResources.begin(), mResources.end(),
                                  [&strip](const Resource& r) { return r.bitmap == strip.bitmap; }),
                   mResources.end());
  mScaledImages.Clear();
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
  if (mScale != 1.0)
  {
    DrawScaledBitmapPart(strip, dest, srcX, srcY, blend);
    return;
  }
  const IRECT r = dest.Intersection(mDrawRect);
  if (r.W() <= 0 || r.H() <= 0)
    return;
  ::BlitBitmap(mDrawSurface.get(), strip.bitmap, r.L, r.T, srcX + r.L - dest.L, srcY + r.T - dest.T, r.W(), r.H(),
               BlendWeight(blend), BlendMode(blend));
}

// The source offset is kept within the frame it starts in: a window rectangle a pixel larger
// than the scaled frame must not show a row of the next one.
void IGraphics::DrawScaledBitmapPart(const IFrameStrip& strip, const IRECT& dest, int srcX, int srcY,
                                     const IBlend* blend)
{
  const ScaledImages::Image& image = ScaledStrip(strip);
  if (!image.bitmap)
    return;
  const int frameWidth = strip.FrameWidth();
  const int frameHeight = strip.FrameHeight();
  const int frameX = strip.horizontal && frameWidth > 0 ? srcX / frameWidth : 0;
  const int frameY = !strip.horizontal && frameHeight > 0 ? srcY / frameHeight : 0;
  const int x = frameX * image.frameWidth + ToWindow(srcX - frameX * frameWidth);
  const int y = frameY * image.frameHeight + ToWindow(srcY - frameY * frameHeight);
  const IRECT to = LayoutToWindow(dest);
  const IRECT frameEnd(to.L, to.T, to.L + (frameX + 1) * image.frameWidth - x,
                       to.T + (frameY + 1) * image.frameHeight - y);
  const IRECT r = to.Intersection(LayoutToWindow(mDrawRect)).Intersection(frameEnd);
  if (r.W() <= 0 || r.H() <= 0)
    return;
  ::BlitBitmap(mDrawSurface.get(), image.bitmap, r.L, r.T, x + r.L - to.L, y + r.T - to.T, r.W(), r.H(),
               BlendWeight(blend), BlendMode(blend));
}

void IGraphics::DrawTransientBitmap(LICE_IBitmap* bitmap, const IRECT& dest, const IBlend* blend)
{
  const IRECT to = LayoutToWindow(dest);
  ::ScaledBlit(mDrawSurface.get(), bitmap, to.L, to.T, to.W(), to.H(), 0.0f, 0.0f, static_cast<float>(bitmap->Width()),
               static_cast<float>(bitmap->Height()), BlendWeight(blend), BlendMode(blend) | LICE_BLIT_FILTER_BILINEAR);
}

void IGraphics::DrawRotated(const IFrameStrip& strip, int centreX, int centreY, double degrees, const IBlend* blend)
{
  if (!strip.bitmap || !mDrawSurface)
    return;
  const IRECT to =
    LayoutToWindow(IRECT(centreX - strip.width / 2, centreY - strip.height / 2, centreX - strip.width / 2 + strip.width,
                         centreY - strip.height / 2 + strip.height));
  const int w = to.W();
  const int h = to.H();
  ::RotatedBlit(mDrawSurface.get(), strip.bitmap, to.L, to.T, w, h, 0.0f, 0.0f, static_cast<float>(strip.width),
                static_cast<float>(strip.height), static_cast<float>(degrees * kRadiansPerDegree), BlendWeight(blend),
                BlendMode(blend) | LICE_BLIT_FILTER_BILINEAR);
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
  if (mScale != 1.0)
    DrawTransientBitmap(mScratchSurface.get(), IRECT(x, y, x + w, y + h), blend);
  else
    DrawBitmapPart(composed, IRECT(x, y, x + w, y + h), 0, 0, blend);
  if (top.bitmap)
    DrawBitmapPart(top, IRECT(x, y, x + top.width, y + top.height), 0, 0, blend);
}
