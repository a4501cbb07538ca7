#include "TestPngWriter.h"

#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_Png.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

namespace {
class LicePng : public ::testing::Test
{
protected:
  void TearDown() override { std::remove(path_.c_str()); }

  // Writes the image and decodes it into a new bitmap.
  std::unique_ptr<LICE_IBitmap> RoundTrip(const TestPngImage& image)
  {
    EXPECT_TRUE(WriteTestPng(path_, image));
    return std::unique_ptr<LICE_IBitmap>(LoadPngFile(path_.c_str()));
  }

  static LICE_pixel At(LICE_IBitmap& bitmap, int x, int y) { return bitmap.Bits()[y * bitmap.RowSpan() + x]; }

  const std::string path_ = TempPngPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TestPngImage Image(int w, int h, int colourType, int bitDepth, std::vector<uint8_t> rows)
{
  TestPngImage image;
  image.width = w;
  image.height = h;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.rows = std::move(rows);
  return image;
}
}

TEST_F(LicePng, RgbaPixelsLandAlphaFirstInMemory)
{
  auto bitmap = RoundTrip(Image(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {10, 20, 30, 40, 50, 60, 70, 255}));
  ASSERT_NE(bitmap, nullptr);
  const auto* bytes = reinterpret_cast<const uint8_t*>(bitmap->Bits());
  EXPECT_EQ(bytes[0], 40);
  EXPECT_EQ(bytes[1], 10);
  EXPECT_EQ(bytes[2], 20);
  EXPECT_EQ(bytes[3], 30);
  EXPECT_EQ(At(*bitmap, 1, 0), LICE_RGBA(50, 60, 70, 255));
}

TEST_F(LicePng, RgbWithoutAlphaIsOpaque)
{
  auto bitmap =
    RoundTrip(Image(3, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->RowSpan(), 4);
  EXPECT_EQ(At(*bitmap, 0, 0), LICE_RGBA(1, 2, 3, 255));
  EXPECT_EQ(At(*bitmap, 2, 1), LICE_RGBA(16, 17, 18, 255));
}

TEST_F(LicePng, PaletteWithTransparencyChunkGivesPerPixelAlpha)
{
  TestPngImage image = Image(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x1B});  // indices 0, 1, 2, 3
  image.paletteRgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
  image.paletteAlpha = {0, 128, 255};  // the fourth entry has no alpha: opaque
  auto bitmap = RoundTrip(image);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(At(*bitmap, 0, 0), LICE_RGBA(255, 0, 0, 0));
  EXPECT_EQ(At(*bitmap, 1, 0), LICE_RGBA(0, 255, 0, 128));
  EXPECT_EQ(At(*bitmap, 2, 0), LICE_RGBA(0, 0, 255, 255));
  EXPECT_EQ(At(*bitmap, 3, 0), LICE_RGBA(9, 9, 9, 255));
}

TEST_F(LicePng, GreyImagesBecomeRgb)
{
  auto oneBit = RoundTrip(Image(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0xA0}));  // 1, 0, 1
  ASSERT_NE(oneBit, nullptr);
  EXPECT_EQ(At(*oneBit, 0, 0), LICE_RGBA(255, 255, 255, 255));
  EXPECT_EQ(At(*oneBit, 1, 0), LICE_RGBA(0, 0, 0, 255));
  EXPECT_EQ(At(*oneBit, 2, 0), LICE_RGBA(255, 255, 255, 255));

  auto greyAlpha = RoundTrip(Image(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {77, 99}));
  ASSERT_NE(greyAlpha, nullptr);
  EXPECT_EQ(At(*greyAlpha, 0, 0), LICE_RGBA(77, 77, 77, 99));
}

TEST_F(LicePng, SixteenBitChannelsKeepTheirHighByte)
{
  auto rgba = RoundTrip(Image(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x12, 0xFF, 0x34, 0x00, 0x56, 0x80, 0x78, 0x01}));
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(At(*rgba, 0, 0), LICE_RGBA(0x12, 0x34, 0x56, 0x78));
  auto grey = RoundTrip(Image(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0xAB, 0xCD}));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(At(*grey, 0, 0), LICE_RGBA(0xAB, 0xAB, 0xAB, 255));
}

TEST_F(LicePng, InterlacedImagesDecodeEveryPass)
{
  std::vector<uint8_t> rows;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      rows.insert(rows.end(), {static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 20), 7});
  TestPngImage image = Image(9, 9, PNG_COLOR_TYPE_RGB, 8, rows);
  image.interlaced = true;
  auto bitmap = RoundTrip(image);
  ASSERT_NE(bitmap, nullptr);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(At(*bitmap, x, y), LICE_RGBA(x * 20, y * 20, 7, 255)) << x << "," << y;
}

TEST_F(LicePng, ReusedBitmapIsResizedAndReturned)
{
  ASSERT_TRUE(WriteTestPng(path_, Image(2, 2, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(12, 50))));
  LICE_SysBitmap reuse(7, 7);
  EXPECT_EQ(LoadPngFile(path_.c_str(), &reuse), &reuse);
  EXPECT_EQ(reuse.Width(), 2);
  EXPECT_EQ(reuse.Height(), 2);
  EXPECT_EQ(At(reuse, 1, 1), LICE_RGBA(50, 50, 50, 255));
}

TEST_F(LicePng, MissingBrokenOrTruncatedFilesGiveNull)
{
  EXPECT_EQ(LoadPngFile(nullptr), nullptr);
  EXPECT_EQ(LoadPngFile("/nonexistent/folder/image.png"), nullptr);

  std::ofstream(path_, std::ios::binary) << "not a picture at all";
  EXPECT_EQ(LoadPngFile(path_.c_str()), nullptr);

  // A valid file cut short inside its image data: libpng fails halfway through decoding.
  std::vector<uint8_t> rows(64 * 64 * 3);
  for (size_t i = 0; i < rows.size(); ++i)
    rows[i] = static_cast<uint8_t>(i * 7919 >> 3);
  ASSERT_TRUE(WriteTestPng(path_, Image(64, 64, PNG_COLOR_TYPE_RGB, 8, rows)));
  std::ifstream in(path_, std::ios::binary);
  std::vector<char> whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  for (size_t keep : {size_t{20}, size_t{40}, whole.size() / 2, whole.size() - 20})
  {
    std::ofstream(path_, std::ios::binary | std::ios::trunc).write(whole.data(), static_cast<std::streamsize>(keep));
    EXPECT_EQ(LoadPngFile(path_.c_str()), nullptr) << keep << " bytes";
    LICE_MemBitmap reuse(1, 1);
    EXPECT_EQ(LoadPngFile(path_.c_str(), &reuse), nullptr) << keep << " bytes";
  }
}

// Both sizes of the artwork: the 1x images and the 2x ones for high-density screens.
TEST(LiceEditorImages, DecodeWithTheFrameGeometryTheEditorExpects)
{
  const std::string dir = TV_IMAGE_DIR;
  for (const auto& [suffix, scale] : {std::pair<const char*, int>{"", 1}, {"@2x", 2}})
  {
    SCOPED_TRACE(scale);
    std::unique_ptr<LICE_IBitmap> background(LoadPngFile((dir + "/bkg" + suffix + ".png").c_str()));
    std::unique_ptr<LICE_IBitmap> toggle(LoadPngFile((dir + "/switch" + suffix + ".png").c_str()));
    std::unique_ptr<LICE_IBitmap> knob(LoadPngFile((dir + "/knob" + suffix + ".png").c_str()));
    ASSERT_TRUE(background && toggle && knob);
    EXPECT_EQ(background->Width(), 1024 * scale);
    EXPECT_EQ(background->Height(), 480 * scale);
    EXPECT_EQ(LICE_GETA(background->Bits()[0]), 255);
    EXPECT_EQ(toggle->Width(), 40 * scale);
    EXPECT_EQ(toggle->Height(), 2 * 24 * scale);
    const int side = 56 * scale;
    EXPECT_EQ(knob->Width(), side);
    EXPECT_EQ(knob->Height(), 101 * side);
    // Knob frames have transparent corners and an opaque body.
    for (int frame : {0, 50, 100})
    {
      const LICE_pixel* top = knob->Bits() + frame * side * knob->RowSpan();
      EXPECT_EQ(LICE_GETA(top[0]), 0) << frame;
      EXPECT_EQ(LICE_GETA(top[(side - 1) * knob->RowSpan() + side - 1]), 0) << frame;
      EXPECT_EQ(LICE_GETA(top[side / 2 * knob->RowSpan() + side / 2]), 255) << frame;
    }
  }
}
