#include "graphics/ScaledImages.h"

#include "framework/EditorScale.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_Resample.h"

#include <algorithm>

namespace {
// A frame's size on the window: never less than a pixel.
int ScaledLength(int length, double scale)
{
  return std::max(1, EditorScale::LayoutToWindow(length, scale));
}
}  // namespace

struct ScaledImages::Entry
{
  const LICE_IBitmap* source;
  std::unique_ptr<LICE_MemBitmap> made;
  Image image;
};

ScaledImages::ScaledImages() = default;
ScaledImages::~ScaledImages() = default;

void ScaledImages::SetScale(double scale)
{
  if (scale == mScale)
    return;
  mScale = scale;
  Clear();
}

void ScaledImages::Clear()
{
  mEntries.clear();
}

const ScaledImages::Image* ScaledImages::Find(const LICE_IBitmap* source) const
{
  for (const auto& entry : mEntries)
    if (entry->source == source)
      return &entry->image;
  return nullptr;
}

// Above 1 the detailed drawing is the source: shrinking it keeps the detail that enlarging
// the 1x pixels could not invent. Each frame is resampled on its own, so that frames never
// blend into their neighbours.
const ScaledImages::Image& ScaledImages::Make(const IFrameStrip& strip, LICE_IBitmap* detailed)
{
  auto entry = std::make_unique<Entry>();
  entry->source = strip.bitmap;
  const int frames = std::max(1, strip.frames);
  const int frameWidth = strip.FrameWidth();
  const int frameHeight = strip.FrameHeight();
  const bool useDetail = detailed != nullptr && mScale > 1.0;
  LICE_IBitmap* from = useDetail ? detailed : strip.bitmap;
  const int fromWidth = useDetail ? kDetailFactor * frameWidth : frameWidth;
  const int fromHeight = useDetail ? kDetailFactor * frameHeight : frameHeight;
  Image& image = entry->image;
  image.frameWidth = ScaledLength(frameWidth, mScale);
  image.frameHeight = ScaledLength(frameHeight, mScale);
  if (image.frameWidth == fromWidth && image.frameHeight == fromHeight)
  {
    image.bitmap = from;
  }
  else if (from != nullptr && frameWidth > 0 && frameHeight > 0)
  {
    const int across = strip.horizontal ? frames : 1;
    const int down = strip.horizontal ? 1 : frames;
    entry->made = std::make_unique<LICE_MemBitmap>(image.frameWidth * across, image.frameHeight * down, 4);
    for (int i = 0; i < frames; ++i)
    {
      const int column = strip.horizontal ? i : 0;
      const int row = strip.horizontal ? 0 : i;
      ResampleBitmap(entry->made.get(), column * image.frameWidth, row * image.frameHeight, image.frameWidth,
                     image.frameHeight, from, column * fromWidth, row * fromHeight, fromWidth, fromHeight);
    }
    image.bitmap = entry->made.get();
  }
  mEntries.push_back(std::move(entry));
  return mEntries.back()->image;
}
