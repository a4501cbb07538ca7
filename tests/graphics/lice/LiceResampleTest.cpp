#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_Resample.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void Fill(LICE_MemBitmap& bitmap, int x, int y, int w, int h, LICE_pixel colour)
{
  for (int row = y; row < y + h; ++row)
    for (int column = x; column < x + w; ++column)
      bitmap.Bits()[row * bitmap.RowSpan() + column] = colour;
}

// The largest channel difference between a pixel and a colour, over a rectangle.
int LargestDeviation(LICE_MemBitmap& bitmap, int x, int y, int w, int h, LICE_pixel colour)
{
  int worst = 0;
  for (int row = y; row < y + h; ++row)
    for (int column = x; column < x + w; ++column)
    {
      const LICE_pixel p = bitmap.Bits()[row * bitmap.RowSpan() + column];
      for (int shift : {0, 8, 16, 24})
        worst =
          std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((colour >> shift) & 0xFF)));
    }
  return worst;
}

// Shrinking and enlarging: flat areas stay flat, an edge against transparency keeps its
// colour (no dark fringe from the transparent pixels' colour), and two frames resampled one
// after the other do not bleed into each other.
TEST(LiceResample, KeepsColoursFlatEdgesCleanAndFramesApart)
{
  const LICE_pixel blue = LICE_RGBA(20, 40, 230, 255);
  const LICE_pixel orange = LICE_RGBA(232, 154, 44, 160);
  for (int size : {7, 12, 21, 30, 45})
  {
    SCOPED_TRACE(size);
    // Two stacked 16 x 16 frames: blue, and orange on its left half beside fully transparent
    // black on the right.
    LICE_MemBitmap strip(16, 32);
    Fill(strip, 0, 0, 16, 16, blue);
    Fill(strip, 0, 16, 8, 16, orange);
    Fill(strip, 8, 16, 8, 16, LICE_RGBA(0, 0, 0, 0));
    LICE_MemBitmap out(size, 2 * size);
    Fill(out, 0, 0, size, 2 * size, LICE_RGBA(255, 255, 255, 255));
    ResampleBitmap(&out, 0, 0, size, size, &strip, 0, 0, 16, 16);
    ResampleBitmap(&out, 0, size, size, size, &strip, 0, 16, 16, 16);

    EXPECT_LE(LargestDeviation(out, 0, 0, size, size, blue), 1);
    // Where any orange shows, its colour is orange's: only the alpha falls off at the edge.
    for (int x = 0; x < size; ++x)
    {
      const LICE_pixel p = out.Bits()[(size + size / 2) * out.RowSpan() + x];
      if (LICE_GETA(p) > 8)
      {
        EXPECT_LE(LargestDeviation(out, x, size + size / 2, 1, 1, (orange & ~0xFFu) | (p & 0xFFu)), 2) << x;
      }
    }
    EXPECT_LE(LICE_GETA(out.Bits()[(2 * size - 1) * out.RowSpan() + size - 1]), 1);
  }
}

}  // namespace
