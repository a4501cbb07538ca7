#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_PlatformFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace {
const LICE_pixel kWhite = LICE_RGBA(255, 255, 255, 255);

// Columns and rows of a bitmap that differ from the white it started with.
struct Ink
{
  int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1, count = 0;
};

Ink FindInk(LICE_IBitmap& bitmap)
{
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Bits()[y * bitmap.RowSpan() + x] != kWhite)
      {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
        ++ink.count;
      }
  return ink;
}

class LiceFont : public ::testing::Test
{
protected:
  void SetUp() override
  {
    LICE_PlatformFont* platform = CreatePlatformFont(12, 0, 0, 400, false, 0, "Arial").release();
    if (!platform)
      GTEST_SKIP() << "no font face is installed";
    font_.AdoptPlatformFont(platform, LICE_FONT_FLAG_OWNS_PLATFORM_FONT | LICE_FONT_FLAG_FORCE_NATIVE);
    font_.SetTextColour(LICE_RGBA(255, 0, 0, 255));
    FillRect(&bitmap_, 0, 0, bitmap_.Width(), bitmap_.Height(), kWhite, 1.0f, LICE_BLIT_MODE_COPY);
  }

  LICE_RECT Measure(const char* text)
  {
    LICE_RECT rect{50, 60, 70, 80};
    font_.RenderText(&bitmap_, text, -1, &rect, LICE_DT_CALCRECT);
    return rect;
  }

  Ink Draw(const char* text, LICE_RECT rect, int flags)
  {
    FillRect(&bitmap_, 0, 0, bitmap_.Width(), bitmap_.Height(), kWhite, 1.0f, LICE_BLIT_MODE_COPY);
    font_.RenderText(&bitmap_, text, -1, &rect, flags);
    return FindInk(bitmap_);
  }

  LICE_CachedFont font_;
  LICE_MemBitmap bitmap_{200, 40};
};
}

TEST_F(LiceFont, MeasuringGivesAnExtentFromTheOriginAndDrawsNothing)
{
  const LICE_RECT one = Measure("1");
  const LICE_RECT more = Measure("100.0 dB");
  EXPECT_EQ(one.left, 0);
  EXPECT_EQ(one.top, 0);
  EXPECT_GT(one.right, 0);
  EXPECT_GT(more.right, one.right * 4);
  EXPECT_GE(more.bottom, 12);
  EXPECT_LE(more.bottom, 18);
  EXPECT_EQ(Measure("").right, 0);
  EXPECT_EQ(FindInk(bitmap_).count, 0);
}

TEST_F(LiceFont, DrawsInTheTextColourInsideTheRectangle)
{
  const Ink ink = Draw("Gain", {10, 5, 190, 35}, LICE_DT_LEFT);
  ASSERT_GT(ink.count, 10);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.left, 12);
  EXPECT_GE(ink.top, 5);
  EXPECT_LT(ink.bottom, 5 + Measure("Gain").bottom);
  int strongest = 255;
  for (int i = 0; i < bitmap_.RowSpan() * bitmap_.Height(); ++i)
  {
    const LICE_pixel p = bitmap_.Bits()[i];
    EXPECT_EQ(LICE_GETR(p), 255);  // red over white only ever lowers green and blue
    EXPECT_EQ(LICE_GETG(p), LICE_GETB(p));
    strongest = std::min(strongest, LICE_GETG(p));
  }
  EXPECT_LT(strongest, 32);  // stems are drawn at (nearly) full coverage
}

TEST_F(LiceFont, AlignsLeftCentreAndRight)
{
  const LICE_RECT rect{20, 5, 180, 35};
  const int width = Measure("Sat. Mix").right;
  const Ink left = Draw("Sat. Mix", rect, LICE_DT_LEFT);
  const Ink centre = Draw("Sat. Mix", rect, LICE_DT_CENTER);
  const Ink right = Draw("Sat. Mix", rect, LICE_DT_RIGHT);
  EXPECT_NEAR(left.left, 20, 2);
  EXPECT_NEAR(right.right, 180 - 1, 3);
  EXPECT_NEAR(centre.left, (20 + 180 - width) / 2, 2);
  EXPECT_NEAR((centre.left + centre.right + 1) / 2.0, 100.0, 2.0);
  EXPECT_EQ(centre.bottom, left.bottom);
}

TEST_F(LiceFont, ClipsToTheRectangleUnlessToldNotTo)
{
  const LICE_RECT narrow{10, 5, 20, 35};
  const Ink clipped = Draw("Oversample", narrow, LICE_DT_LEFT);
  EXPECT_LT(clipped.right, 20);
  const Ink free = Draw("Oversample", narrow, LICE_DT_LEFT | LICE_DT_NOCLIP);
  EXPECT_GT(free.right, 40);
  const Ink offEdge = Draw("Oversample", {-30, -6, 10, 10}, LICE_DT_NOCLIP);
  EXPECT_EQ(offEdge.left, 0);

  // Rectangles at the ends of the int range are far off the bitmap, not wrapped onto it.
  font_.SetBackMode(LICE_BACKMODE_OPAQUE);
  const int flags = LICE_DT_NOCLIP;
  EXPECT_EQ(Draw("Oversample", {INT_MIN, 5, INT_MIN + 10, 35}, flags | LICE_DT_CENTER).count, 0);
  EXPECT_EQ(Draw("Oversample", {INT_MIN, 5, INT_MIN + 10, 35}, flags | LICE_DT_RIGHT).count, 0);
  EXPECT_EQ(Draw("Oversample", {INT_MAX - 10, 5, INT_MAX, 35}, flags | LICE_DT_CENTER).count, 0);
  EXPECT_EQ(Draw("Oversample", {10, INT_MAX - 5, 190, INT_MAX}, flags).count, 0);
}

TEST_F(LiceFont, OpaqueBackModeFillsTheTextExtentFirst)
{
  font_.SetBackMode(LICE_BACKMODE_OPAQUE);
  font_.SetBackColour(LICE_RGBA(0, 0, 255, 255));
  const LICE_RECT extent = Measure("Odd");
  const Ink ink = Draw("Odd", {30, 10, 190, 35}, LICE_DT_LEFT);
  EXPECT_EQ(ink.left, 30);
  EXPECT_EQ(ink.top, 10);
  EXPECT_EQ(ink.right, 30 + extent.right - 1);
  EXPECT_EQ(ink.bottom, 10 + extent.bottom - 1);
  EXPECT_EQ(bitmap_.Bits()[10 * bitmap_.RowSpan() + 30], LICE_RGBA(0, 0, 255, 255));
}

TEST_F(LiceFont, ColourAlphaCountsOnlyWhenAsked)
{
  font_.SetTextColour(LICE_RGBA(0, 0, 0, 64));
  Draw("Bits", {0, 0, 200, 40}, LICE_DT_LEFT);
  const LICE_pixel darkest = *std::min_element(bitmap_.Bits(), bitmap_.Bits() + 200 * 40,
                                               [](LICE_pixel a, LICE_pixel b) { return LICE_GETR(a) < LICE_GETR(b); });
  EXPECT_EQ(LICE_GETR(darkest), 0);
  Draw("Bits", {0, 0, 200, 40}, LICE_DT_LEFT | LICE_DT_USEFGALPHA);
  for (int i = 0; i < 200 * 40; ++i)
    ASSERT_GE(LICE_GETR(bitmap_.Bits()[i]), 255 * 3 / 4 - 2);
}

TEST_F(LiceFont, NonAntialiasedQualityDrawsOnlySolidPixels)
{
  font_.AdoptPlatformFont(CreatePlatformFont(12, 0, 0, 700, false, 3, "Arial").release(),
                          LICE_FONT_FLAG_OWNS_PLATFORM_FONT);
  ASSERT_GT(Draw("Level", {0, 0, 200, 40}, LICE_DT_LEFT).count, 10);
  for (int i = 0; i < 200 * 40; ++i)
  {
    const LICE_pixel p = bitmap_.Bits()[i];
    ASSERT_TRUE(p == kWhite || p == LICE_RGBA(255, 0, 0, 255)) << std::hex << p;
  }
}

TEST_F(LiceFont, BrokenUtf8AndControlCharactersAreHarmless)
{
  const char broken[] = {'A', '\xC3', '\n', '\xFF', '\xE2', '\x82', 'B', '\0'};
  EXPECT_GT(Measure(broken).right, Measure("AB").right);
  EXPECT_EQ(Measure("A\tB").right, Measure("AB").right);
  LICE_RECT rect{0, 0, 10, 10};
  EXPECT_EQ(font_.RenderText(&bitmap_, "AB", 1, &rect, LICE_DT_CALCRECT), rect.bottom);
  EXPECT_EQ(rect.right, Measure("A").right);
}

TEST(LiceFontOwnership, AdoptedFontsAreDestroyedOnlyWhenOwned)
{
  std::unique_ptr<LICE_PlatformFont> kept = CreatePlatformFont(11, 0, 0, 400, false, 0, "Arial");
  if (!kept)
    GTEST_SKIP() << "no font face is installed";
  {
    LICE_CachedFont font;
    LICE_RECT rect{0, 0, 0, 0};
    EXPECT_EQ(font.RenderText(nullptr, "x", -1, &rect, LICE_DT_CALCRECT), 0);
    font.AdoptPlatformFont(CreatePlatformFont(11, 0, 0, 400, false, 0, "Arial").release(),
                           LICE_FONT_FLAG_OWNS_PLATFORM_FONT);
    font.AdoptPlatformFont(CreatePlatformFont(14, 0, 0, 400, true, 0, "Arial").release(),
                           LICE_FONT_FLAG_OWNS_PLATFORM_FONT);  // the first one is freed here
    font.AdoptPlatformFont(kept.get(), 0);                      // the second one here
    EXPECT_EQ(font.PlatformFont(), kept.get());
  }
  EXPECT_GT(kept->LineHeight(), 0);  // still alive: the font never owned it
  EXPECT_EQ(kept->Glyph('a'), kept->Glyph('a'));
}
