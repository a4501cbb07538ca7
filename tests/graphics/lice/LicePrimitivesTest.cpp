#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const LICE_pixel kInk = LICE_RGBA(255, 255, 255, 255);

class LicePrimitives : public ::testing::Test
{
protected:
  void SetUp() override { Clear(); }
  void Clear() { FillRect(&bitmap_, 0, 0, 32, 32, 0, 1.0f, LICE_BLIT_MODE_COPY); }
  LICE_pixel At(int x, int y) { return bitmap_.Bits()[y * bitmap_.RowSpan() + x]; }
  int Count()
  {
    int n = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        n += At(x, y) != 0;
    return n;
  }

  LICE_MemBitmap bitmap_{32, 32};
};
}

TEST_F(LicePrimitives, LinesCoverTheirEndpointsAndStopAtTheBorder)
{
  DrawLine(&bitmap_, 3, 5, 9, 5, kInk, 1.0f, 0, false);
  EXPECT_EQ(Count(), 7);
  EXPECT_EQ(At(3, 5), kInk);
  EXPECT_EQ(At(9, 5), kInk);
  Clear();
  DrawLine(&bitmap_, 4, 2, 4, 2, kInk, 1.0f, 0, false);
  EXPECT_EQ(Count(), 1);
  Clear();
  // Far-away endpoints: only the visible part is walked.
  DrawLine(&bitmap_, -1e9f, 10, 1e9f, 10, kInk, 1.0f, 0, true);
  EXPECT_EQ(Count(), 32);
  Clear();
  DrawLine(&bitmap_, 0, 0, NAN, 4, kInk, 1.0f, 0, false);
  EXPECT_EQ(Count(), 0);
}

TEST_F(LicePrimitives, AntialiasedLineSharesCoverageBetweenRows)
{
  DrawLine(&bitmap_, 2, 6.5f, 20, 6.5f, kInk, 1.0f, 0, true);
  EXPECT_EQ(At(10, 6), At(10, 7));
  EXPECT_NEAR(LICE_GETR(At(10, 6)), 128, 2);
  EXPECT_EQ(At(10, 5), 0u);
}

TEST_F(LicePrimitives, CirclesAndArcsStayOnTheirShape)
{
  FillCircle(&bitmap_, 16, 16, 5, kInk, 1.0f, 0, false);
  EXPECT_EQ(At(16, 16), kInk);
  EXPECT_EQ(At(21, 16), kInk);
  EXPECT_EQ(At(22, 16), 0u);
  EXPECT_EQ(At(20, 20), 0u);  // distance 5.66
  EXPECT_EQ(At(11, 16), At(21, 16));
  Clear();
  DrawCircle(&bitmap_, 16, 16, 8, kInk, 1.0f, 0, true);
  EXPECT_EQ(At(16, 16), 0u);
  EXPECT_EQ(At(24, 16), kInk);
  EXPECT_EQ(At(16, 8), kInk);
  Clear();
  // 0 is up, angles grow clockwise: this arc is the right half.
  DrawArc(&bitmap_, 16, 16, 8, 0.0f, 3.14159265f, kInk, 1.0f, 0, false);
  EXPECT_EQ(At(24, 16), kInk);
  EXPECT_EQ(At(8, 16), 0u);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(At(x, y), 0u) << x << "," << y;
}

TEST_F(LicePrimitives, RoundRectanglesCoverTheirPixelsAndCutTheirCorners)
{
  FillRoundRect(&bitmap_, 2, 3, 10, 6, 0, kInk, 1.0f, 0, true);
  EXPECT_EQ(Count(), 60);
  EXPECT_EQ(At(2, 3), kInk);
  EXPECT_EQ(At(11, 8), kInk);
  Clear();
  FillRoundRect(&bitmap_, 2, 3, 10, 10, 4, kInk, 1.0f, 0, false);
  EXPECT_EQ(At(2, 3), 0u);
  EXPECT_EQ(At(7, 3), kInk);
  EXPECT_EQ(At(6, 8), kInk);
  Clear();
  DrawRoundRect(&bitmap_, 2, 3, 10, 6, 0, kInk, 1.0f, 0, false);
  EXPECT_EQ(Count(), 2 * 10 + 2 * 4);
  EXPECT_EQ(At(6, 5), 0u);
}

TEST_F(LicePrimitives, PolygonsFillInsideAndOnTheOutline)
{
  const int xs[4] = {4, 10, 10, 4};
  const int ys[4] = {4, 4, 8, 8};
  FillConvexPolygon(&bitmap_, xs, ys, 4, kInk, 1.0f, 0);
  EXPECT_EQ(Count(), 7 * 5);
  Clear();
  FillTriangle(&bitmap_, 0, 0, 8, 0, 0, 8, kInk, 1.0f, 0);
  EXPECT_EQ(At(0, 0), kInk);
  EXPECT_EQ(At(8, 0), kInk);
  EXPECT_EQ(At(0, 8), kInk);
  EXPECT_EQ(At(5, 5), 0u);
  EXPECT_EQ(Count(), 9 * 10 / 2);
  Clear();
  const int far[3] = {-100000, 100000, 0};
  const int down[3] = {-100000, -100000, 100000};
  FillConvexPolygon(&bitmap_, far, down, 3, kInk, 1.0f, 0);
  EXPECT_EQ(Count(), 32 * 32);
}

TEST_F(LicePrimitives, ScaledBlitRepeatsPixelsAndKeepsFramesApart)
{
  LICE_MemBitmap strip(2, 4);  // two stacked 2 x 2 frames, red then blue
  FillRect(&strip, 0, 0, 2, 2, LICE_RGBA(255, 0, 0, 255), 1.0f, 0);
  FillRect(&strip, 0, 2, 2, 2, LICE_RGBA(0, 0, 255, 255), 1.0f, 0);
  strip.Bits()[2 * strip.RowSpan() + 1] = LICE_RGBA(0, 255, 0, 255);
  ScaledBlit(&bitmap_, &strip, 0, 0, 4, 4, 0, 2, 2, 2, 1.0f, 0);
  EXPECT_EQ(At(0, 0), LICE_RGBA(0, 0, 255, 255));
  EXPECT_EQ(At(2, 0), LICE_RGBA(0, 255, 0, 255));
  EXPECT_EQ(At(3, 1), LICE_RGBA(0, 255, 0, 255));
  EXPECT_EQ(At(4, 0), 0u);
  Clear();
  ScaledBlit(&bitmap_, &strip, 0, 0, 16, 16, 0, 2, 2, 2, 1.0f, LICE_BLIT_FILTER_BILINEAR);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(LICE_GETR(At(x, y)), 0) << "red from the neighbouring frame at " << x << "," << y;
}

TEST_F(LicePrimitives, RotatedBlitTurnsClockwise)
{
  LICE_MemBitmap image(4, 4);
  FillRect(&image, 0, 0, 4, 4, LICE_RGBA(0, 0, 255, 255), 1.0f, 0);
  FillRect(&image, 0, 0, 2, 2, LICE_RGBA(255, 0, 0, 255), 1.0f, 0);  // top-left quarter
  RotatedBlit(&bitmap_, &image, 10, 10, 4, 4, 0, 0, 4, 4, 0.0f, 1.0f, 0);
  EXPECT_EQ(At(10, 10), LICE_RGBA(255, 0, 0, 255));
  EXPECT_EQ(At(13, 13), LICE_RGBA(0, 0, 255, 255));
  Clear();
  RotatedBlit(&bitmap_, &image, 10, 10, 4, 4, 0, 0, 4, 4, 3.14159265f / 2, 1.0f, 0);
  EXPECT_EQ(At(13, 10), LICE_RGBA(255, 0, 0, 255));  // now the top-right quarter
  EXPECT_EQ(At(10, 10), LICE_RGBA(0, 0, 255, 255));
  EXPECT_EQ(Count(), 16);
}
