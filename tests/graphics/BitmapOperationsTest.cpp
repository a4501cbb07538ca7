#include "EditorFixture.h"

#include "graphics/BitmapCache.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"

namespace {
using BitmapOperationsTest = EditorFixture;

LICE_pixel StripPixel(const IFrameStrip& strip, int x, int y)
{
  return strip.bitmap->Bits()[y * strip.bitmap->RowSpan() + x];
}

TEST_F(BitmapOperationsTest, CropCopiesTheRectangleIntoANewCachedBitmap)
{
  const IFrameStrip strip = MakeStrip(*graphics, 4, 3, 3);  // frames stacked at y 0, 3, 6
  const int cached = BitmapCache::Instance().Count();
  const IFrameStrip crop = graphics->CropBitmap(strip, IRECT(1, 2, 3, 7));
  ASSERT_NE(crop.bitmap, nullptr);
  EXPECT_NE(crop.bitmap, strip.bitmap);
  EXPECT_EQ(crop.width, 2);
  EXPECT_EQ(crop.height, 5);
  EXPECT_EQ(StripPixel(crop, 0, 0), FrameColour(1));
  EXPECT_EQ(StripPixel(crop, 1, 1), FrameColour(2));
  EXPECT_EQ(StripPixel(crop, 0, 4), FrameColour(3));
  EXPECT_EQ(BitmapCache::Instance().Count(), cached + 1);
}

// Leaves stale pixels in the heap block the next bitmap of that size is likely to be given.
void SoilHeapBlockFor(int w, int h)
{
  LICE_MemBitmap stale(w, h, 4);
  FillRect(&stale, 0, 0, w, h, LICE_RGBA(9, 9, 9, 255), 1.0f, LICE_BLIT_MODE_COPY);
}

TEST_F(BitmapOperationsTest, DerivedBitmapsAreTransparentWhereTheSourceHasNothing)
{
  const IFrameStrip strip = MakeStrip(*graphics, 4, 4, 1);
  SoilHeapBlockFor(6, 6);
  const IFrameStrip crop = graphics->CropBitmap(strip, IRECT(2, 2, 8, 8));
  ASSERT_NE(crop.bitmap, nullptr);
  EXPECT_EQ(StripPixel(crop, 1, 1), FrameColour(1));
  EXPECT_EQ(StripPixel(crop, 2, 1), 0u);
  EXPECT_EQ(StripPixel(crop, 5, 5), 0u);

  // An empty crop has no pixels to scale from.
  const IFrameStrip empty = graphics->CropBitmap(strip, IRECT(1, 1, 1, 1));
  SoilHeapBlockFor(6, 6);
  const IFrameStrip scaled = graphics->ScaleBitmap(empty, 6, 6);
  ASSERT_NE(scaled.bitmap, nullptr);
  EXPECT_EQ(StripPixel(scaled, 0, 0), 0u);
  EXPECT_EQ(StripPixel(scaled, 5, 5), 0u);
}

TEST_F(BitmapOperationsTest, ScaleKeepsTheFramesAndFillsTheNewSize)
{
  const IFrameStrip strip = MakeStrip(*graphics, 4, 4, 2);
  const IFrameStrip scaled = graphics->ScaleBitmap(strip, 8, 16);
  ASSERT_NE(scaled.bitmap, nullptr);
  EXPECT_EQ(scaled.width, 8);
  EXPECT_EQ(scaled.height, 16);
  EXPECT_EQ(scaled.frames, 2);
  EXPECT_EQ(StripPixel(scaled, 4, 2), FrameColour(1));
  EXPECT_EQ(StripPixel(scaled, 4, 13), FrameColour(2));
}

TEST_F(BitmapOperationsTest, ReleaseDeletesTheBitmapAndEmptiesTheStrip)
{
  IFrameStrip strip = MakeStrip(*graphics, 4, 4, 1);
  const int cached = BitmapCache::Instance().Count();
  graphics->ReleaseBitmap(strip);
  EXPECT_EQ(strip.bitmap, nullptr);
  EXPECT_EQ(strip.width, 0);
  EXPECT_EQ(BitmapCache::Instance().Count(), cached - 1);

  // Operations on the emptied strip draw and make nothing.
  EXPECT_EQ(graphics->ScaleBitmap(strip, 8, 8).bitmap, nullptr);
  EXPECT_EQ(graphics->CropBitmap(strip, IRECT(0, 0, 2, 2)).bitmap, nullptr);
  graphics->ReleaseBitmap(strip);
  EXPECT_EQ(BitmapCache::Instance().Count(), cached - 1);
}

TEST_F(BitmapOperationsTest, RetainingACachedBitmapAgainKeepsOneOwner)
{
  IFrameStrip strip = MakeStrip(*graphics, 4, 4, 1);  // already retained once
  LICE_IBitmap* const bitmap = strip.bitmap;
  const int cached = BitmapCache::Instance().Count();
  graphics->RetainBitmap(strip);
  EXPECT_EQ(strip.bitmap, bitmap);
  EXPECT_EQ(BitmapCache::Instance().Count(), cached);
  // One release frees it; a second entry would have deleted it twice at unload.
  graphics->ReleaseBitmap(strip);
  EXPECT_EQ(BitmapCache::Instance().Count(), cached - 1);
}
}  // namespace
