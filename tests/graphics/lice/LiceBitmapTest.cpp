#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
bool Aligned64(const void* p)
{
  return reinterpret_cast<uintptr_t>(p) % 64 == 0;
}
}

TEST(LiceMemBitmap, PixelsAreAlignedAndRowsPaddedToTheRowAlignment)
{
  for (int w : {1, 3, 4, 5, 61, 1024})
  {
    LICE_MemBitmap bitmap(w, 3);
    EXPECT_TRUE(Aligned64(bitmap.Bits())) << w;
    EXPECT_EQ(bitmap.RowSpan(), (w + 3) / 4 * 4) << w;
  }
  EXPECT_EQ(LICE_MemBitmap(5, 2, 1).RowSpan(), 5);
  EXPECT_EQ(LICE_MemBitmap(5, 2, 16).RowSpan(), 16);
  EXPECT_FALSE(LICE_MemBitmap(5, 2).IsFlipped());
  EXPECT_EQ(LICE_MemBitmap(5, 2).PlatformContext(), nullptr);
}

TEST(LiceMemBitmap, GrowsWithHeadroomAndNeverShrinks)
{
  LICE_MemBitmap bitmap(8, 8);
  EXPECT_EQ(bitmap.Capacity(), 8u * 8u * 4u);  // the first allocation is exact
  EXPECT_FALSE(bitmap.Resize(8, 8));
  EXPECT_TRUE(bitmap.Resize(16, 8));
  EXPECT_EQ(bitmap.Capacity(), 16u * 8u * 4u * 5u / 4u);
  LICE_pixel* const grown = bitmap.Bits();
  EXPECT_TRUE(bitmap.Resize(4, 4));
  EXPECT_EQ(bitmap.Bits(), grown);
  EXPECT_TRUE(bitmap.Resize(20, 8));  // 640 bytes fit in the 640-byte headroom
  EXPECT_EQ(bitmap.Bits(), grown);
  EXPECT_EQ(bitmap.Width(), 20);
  EXPECT_TRUE(Aligned64(bitmap.Bits()));
}

TEST(LiceMemBitmap, NonPositiveSizeLeavesNoPixels)
{
  LICE_MemBitmap bitmap(4, 4);
  EXPECT_TRUE(bitmap.Resize(0, 4));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_EQ(bitmap.Capacity(), 0u);
  LICE_MemBitmap other(2, 2);
  BlitBitmap(&bitmap, &other, 0, 0, 0, 0, 2, 2, 1.0f, 0);
  FillRect(&bitmap, 0, 0, 4, 4, 0, 1.0f, 0);
  EXPECT_TRUE(bitmap.Resize(-3, 7));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_TRUE(bitmap.Resize(3, 3));
  EXPECT_NE(bitmap.Bits(), nullptr);
}

TEST(LiceSysBitmap, KeepsItsAllocationWhenShrinkingAndStartsTransparent)
{
  LICE_SysBitmap bitmap(10, 6);
  EXPECT_EQ(bitmap.RowSpan(), 12);
  EXPECT_NE(bitmap.PlatformContext(), nullptr);
  for (int i = 0; i < bitmap.RowSpan() * bitmap.Height(); ++i)
    ASSERT_EQ(bitmap.Bits()[i], 0u);
  LICE_pixel* const bits = bitmap.Bits();
  EXPECT_TRUE(bitmap.Resize(5, 6));
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_EQ(bitmap.RowSpan(), 12);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_FALSE(bitmap.Resize(5, 6));
  EXPECT_TRUE(bitmap.Resize(13, 6));
  EXPECT_EQ(bitmap.RowSpan(), 16);
  EXPECT_TRUE(bitmap.Resize(0, 0));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.PlatformContext(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
}
