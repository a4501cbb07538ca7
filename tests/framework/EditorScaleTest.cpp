#include "framework/EditorScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int kLayoutWidth = 1024;

// Every window pixel belongs to exactly one layout pixel and maps back to it, at scales
// whose products round both ways; a layout pixel that a downscale squeezes out covers none.
TEST(EditorScaleTest, LayoutAndWindowPixelsMapOntoEachOtherAtEveryScale)
{
  for (double scale : {0.75, 0.8, 1.0, 1.25, 1.3, 1.5, 1.75, 2.0, 2.5, 2.7, 3.0})
  {
    SCOPED_TRACE(scale);
    EXPECT_EQ(EditorScale::LayoutToWindow(0, scale), 0);
    EXPECT_EQ(EditorScale::LayoutToWindow(kLayoutWidth, scale), std::lround(kLayoutWidth * scale));
    int mismatches = 0;
    for (int x = 0; x < kLayoutWidth; ++x)
    {
      const int first = EditorScale::LayoutToWindow(x, scale);
      const int end = EditorScale::LayoutToWindow(x + 1, scale);
      mismatches += end < first;
      for (int w = first; w < end; ++w)
        mismatches += EditorScale::WindowToLayout(w, scale) != x;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(EditorScaleTest, ScalesOutsideTheRangeAreLimitedToIt)
{
  const struct
  {
    double given, kept;
  } cases[] = {{0.5, 0.75}, {0.75, 0.75}, {1.5, 1.5},
               {3.0, 3.0},  {8.0, 3.0},   {std::numeric_limits<double>::quiet_NaN(), 1.0}};
  for (const auto& c : cases)
    EXPECT_EQ(EditorScale::Clamp(c.given), c.kept) << c.given;
}

}  // namespace
