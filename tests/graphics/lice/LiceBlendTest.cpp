#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {
LICE_pixel Grey(int v, int a)
{
  return LICE_RGBA(v, v, v, a);
}

LICE_pixel BlendOne(LICE_pixel src, LICE_pixel dst, float opacity, int mode)
{
  LICE_MemBitmap s(1, 1), d(1, 1);
  *s.Bits() = src;
  *d.Bits() = dst;
  BlitBitmap(&d, &s, 0, 0, 0, 0, 1, 1, opacity, mode);
  return *d.Bits();
}

// A bitmap whose pixel (x, y) holds a value that names its position.
void Number(LICE_MemBitmap& bitmap)
{
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      bitmap.Bits()[y * bitmap.RowSpan() + x] = LICE_RGBA(x, y, 7, 255);
}

LICE_pixel At(LICE_IBitmap& bitmap, int x, int y)
{
  return bitmap.Bits()[y * bitmap.RowSpan() + x];
}
}

TEST(LiceBlend, SourceAlphaAtFullOpacityMixesTowardsSourceAndSaturatesAlpha)
{
  const LICE_pixel out = BlendOne(Grey(100, 128), Grey(200, 255), 1.0f, LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(LICE_GETR(out), 149);
  EXPECT_EQ(LICE_GETG(out), 149);
  EXPECT_EQ(LICE_GETB(out), 149);
  EXPECT_EQ(LICE_GETA(out), 255);
  EXPECT_EQ(LICE_GETA(BlendOne(Grey(100, 128), Grey(200, 100), 1.0f, LICE_BLIT_USE_ALPHA)), 228);
  // An opaque source replaces the colour and makes the destination opaque.
  EXPECT_EQ(BlendOne(LICE_RGBA(1, 2, 3, 255), Grey(200, 0), 1.0f, LICE_BLIT_USE_ALPHA), LICE_RGBA(1, 2, 3, 255));
}

TEST(LiceBlend, SourceAlphaAtQuarterOpacityUsesScaledWeight)
{
  const LICE_pixel out = BlendOne(Grey(100, 128), Grey(200, 255), 0.25f, LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(LICE_GETR(out), 187);
  EXPECT_EQ(LICE_GETA(out), 255);
  // g = 64 * 129 / 256 = 32 becomes the alpha over a transparent destination.
  EXPECT_EQ(LICE_GETA(BlendOne(Grey(100, 128), Grey(200, 0), 0.25f, LICE_BLIT_USE_ALPHA)), 32);
}

TEST(LiceBlend, TransparentSourceNeverChangesTheDestination)
{
  const LICE_pixel dst = LICE_RGBA(12, 34, 56, 78);
  for (int mode :
       {int{LICE_BLIT_USE_ALPHA}, LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA, LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA})
    for (float opacity : {1.0f, 0.75f, 0.5f, 0.25f, 0.01f})
      EXPECT_EQ(BlendOne(LICE_RGBA(255, 255, 255, 0), dst, opacity, mode), dst)
        << "mode " << mode << " opacity " << opacity;
}

TEST(LiceBlend, PlainCopyRulesIncludeAlpha)
{
  const LICE_pixel s = LICE_RGBA(200, 11, 255, 10);
  const LICE_pixel d = LICE_RGBA(101, 250, 0, 255);
  EXPECT_EQ(BlendOne(s, d, 1.0f, LICE_BLIT_MODE_COPY), s);
  EXPECT_EQ(BlendOne(s, d, 0.5f, LICE_BLIT_MODE_COPY), LICE_RGBA(100 + 50, 5 + 125, 127, 5 + 127));
  // J = 192: s + (d - s) * 64 / 256 with truncation toward zero, so 200 + (-24) = 176.
  EXPECT_EQ(BlendOne(s, d, 0.75f, LICE_BLIT_MODE_COPY), LICE_RGBA(176, 70, 192, 71));
  EXPECT_EQ(BlendOne(s, d, 0.0f, LICE_BLIT_MODE_COPY), d);
  EXPECT_EQ(BlendOne(s, d, 3.0f, LICE_BLIT_MODE_COPY), s);
}

TEST(LiceBlend, AddAndDodgeSaturate)
{
  EXPECT_EQ(LICE_GETR(BlendOne(Grey(100, 255), Grey(200, 255), 1.0f, LICE_BLIT_MODE_ADD)), 255);
  EXPECT_EQ(LICE_GETR(BlendOne(Grey(255, 255), Grey(90, 255), 1.0f, LICE_BLIT_MODE_DODGE)), 255);
}

TEST(LiceBlit, ClipsAtEveryEdgeKeepingSourceAndDestinationAligned)
{
  LICE_MemBitmap src(4, 4);
  Number(src);
  LICE_MemBitmap dst(5, 3);  // row span 8: the padding must stay untouched
  std::fill(dst.Bits(), dst.Bits() + dst.RowSpan() * dst.Height(), 0u);
  BlitBitmap(&dst, &src, -2, -1, 0, 0, 4, 4, 1.0f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(2, 1, 7, 255));
  EXPECT_EQ(At(dst, 1, 2), LICE_RGBA(3, 3, 7, 255));
  EXPECT_EQ(At(dst, 2, 0), 0u);

  BlitBitmap(&dst, &src, 3, 1, -1, 2, 10, 10, 0.5f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(dst, 3, 1), 0u);  // source column -1 does not exist
  EXPECT_EQ(At(dst, 4, 1), (LICE_RGBA(0, 2, 7, 255) >> 1) & 0x7F7F7F7Fu);
  for (int y = 0; y < dst.Height(); ++y)
    for (int x = dst.Width(); x < dst.RowSpan(); ++x)
      EXPECT_EQ(At(dst, x, y), 0u) << "padding at " << x << "," << y;
}

TEST(LiceBlit, MissingOrEmptyBitmapsDrawNothing)
{
  LICE_MemBitmap src(2, 2), empty;
  Number(src);
  BlitBitmap(nullptr, &src, 0, 0, 0, 0, 2, 2, 1.0f, 0);
  BlitBitmap(&src, nullptr, 0, 0, 0, 0, 2, 2, 1.0f, 0);
  BlitBitmap(&empty, &src, 0, 0, 0, 0, 2, 2, 1.0f, 0);
  BlitBitmap(&src, &empty, 0, 0, 0, 0, 2, 2, 1.0f, 0);
  BlitBitmap(&src, &src, 1, 1, 0, 0, 2, 2, 1.0f, 0x7FFFFFFF);
  EXPECT_EQ(empty.Bits(), nullptr);
  EXPECT_EQ(At(src, 0, 0), LICE_RGBA(0, 0, 7, 255));
}

TEST(LiceBlit, OverlappingBlitWithinOneBitmapReadsTheOriginalPixels)
{
  const int shifts[][2] = {{1, 1}, {-1, -1}, {2, 0}, {-2, 0}, {0, 1}};
  for (float opacity : {1.0f, 0.75f})
    for (const auto& shift : shifts)
    {
      LICE_MemBitmap bitmap(6, 6), snapshot(6, 6), expected(6, 6);
      Number(bitmap);
      Number(snapshot);
      Number(expected);
      BlitBitmap(&expected, &snapshot, shift[0], shift[1], 0, 0, 6, 6, opacity, LICE_BLIT_MODE_COPY);
      BlitBitmap(&bitmap, &bitmap, shift[0], shift[1], 0, 0, 6, 6, opacity, LICE_BLIT_MODE_COPY);
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
          ASSERT_EQ(At(bitmap, x, y), At(expected, x, y))
            << x << "," << y << " shift " << shift[0] << "," << shift[1] << " opacity " << opacity;
    }
}

TEST(LiceFill, FillRectClipsAndHonoursColourAlpha)
{
  LICE_MemBitmap bitmap(4, 4);
  FillRect(&bitmap, -10, -10, 100, 100, Grey(200, 255), 1.0f, LICE_BLIT_MODE_COPY);
  FillRect(&bitmap, 2, 2, 5, 5, Grey(100, 128), 1.0f, LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(At(bitmap, 1, 1), Grey(200, 255));
  EXPECT_EQ(At(bitmap, 3, 3), Grey(149, 255));
  FillRect(&bitmap, 0, 0, -3, 4, Grey(0, 255), 1.0f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(bitmap, 0, 0), Grey(200, 255));
  // Far-left rectangles whose right edge lies below the int range draw nothing.
  for (int mode : {int{LICE_BLIT_MODE_COPY}, int{LICE_BLIT_USE_ALPHA}})
  {
    FillRect(&bitmap, INT_MIN, 0, -100, 4, Grey(0, 255), 0.5f, mode);
    FillRect(&bitmap, 0, INT_MIN + 5, 4, -100, Grey(0, 255), 0.5f, mode);
  }
  EXPECT_EQ(At(bitmap, 0, 0), Grey(200, 255));
}
