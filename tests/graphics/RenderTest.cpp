#include "EditorFixture.h"

#include "graphics/controls/IKnobMultiControl.h"
#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/lice/LICE_Png.h"
#include "tools/snapshot/SurfacePng.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {
// A source-alpha pixel over an opaque one at full weight, channel by channel.
LICE_pixel OverOpaque(LICE_pixel s, LICE_pixel d)
{
  const int sa = LICE_GETA(s);
  auto channel = [sa](int sc, int dc) { return sc + (dc - sc) * (255 - sa) / 256; };
  return LICE_RGBA(channel(LICE_GETR(s), LICE_GETR(d)), channel(LICE_GETG(s), LICE_GETG(d)),
                   channel(LICE_GETB(s), LICE_GETB(d)), 255);
}

// The same at weight 0.25 (J = 64).
LICE_pixel OverOpaqueGreyed(LICE_pixel s, LICE_pixel d)
{
  const int g = 64 * (LICE_GETA(s) + 1) / 256;
  auto channel = [g](int sc, int dc) { return sc + (dc - sc) * (256 - g) / 256; };
  return LICE_RGBA(channel(LICE_GETR(s), LICE_GETR(d)), channel(LICE_GETG(s), LICE_GETG(d)),
                   channel(LICE_GETB(s), LICE_GETB(d)), 255);
}

class RenderTest : public EditorFixture
{
protected:
  // Grey panel; a switch at (10, 10) on Bypass; two half-transparent 3-frame knobs at
  // (50, 10) on Gain and (80, 10) on Level, the second greyed.
  void SetUp() override
  {
    graphics->AttachPanel(ColourGray);
    sw = new ISwitchControl(&plug, 10, 10, RecordingPlug::kBypass, MakeStrip(*graphics, 20, 10, 2));
    graphics->AddControl(sw);
    const IFrameStrip knobStrip = MakeStrip(*graphics, 10, 10, 3, 128);
    knob = new IKnobMultiControl(&plug, 50, 10, RecordingPlug::kGain, knobStrip);
    greyed = new IKnobMultiControl(&plug, 80, 10, RecordingPlug::kLevel, knobStrip);
    graphics->AddControl(knob);
    graphics->AddControl(greyed);
    Attach();
    graphics->GreyParamControls(RecordingPlug::kLevel, true);
    graphics->RenderAll();
  }

  const LICE_pixel gray = ColourGray.ToPixel();
  ISwitchControl* sw = nullptr;
  IKnobMultiControl* knob = nullptr;
  IKnobMultiControl* greyed = nullptr;
};

TEST_F(RenderTest, ControlsComposeOverTheBackground)
{
  EXPECT_EQ(PixelAt(*graphics, 5, 5), gray);
  EXPECT_EQ(PixelAt(*graphics, 10, 10), FrameColour(1));
  EXPECT_EQ(PixelAt(*graphics, 29, 19), FrameColour(1));
  EXPECT_EQ(PixelAt(*graphics, 30, 19), gray);
  EXPECT_EQ(PixelAt(*graphics, 55, 15), OverOpaque(FrameColour(2, 128), gray));  // Gain 0.5 -> frame 2
  EXPECT_EQ(PixelAt(*graphics, 85, 15), OverOpaqueGreyed(FrameColour(2, 128), gray));
  EXPECT_EQ(graphics->BlitCount(), 1);
  EXPECT_EQ(graphics->LastBlitRect(), IRECT(0, 0, kWidth, kHeight));
}

TEST_F(RenderTest, TimerRepaintsOnlyWhatChanged)
{
  EXPECT_FALSE(graphics->TimerTick());
  graphics->PointerDown(15, 15, left);  // switch on
  IRECT dirty;
  ASSERT_TRUE(graphics->NeedsRedraw(&dirty));
  EXPECT_EQ(dirty, sw->Rect());
  graphics->ForcePixel(ColourRed, 55, 15);
  graphics->ForcePixel(ColourRed, 31, 15);  // touching the switch's edge: its neighbour strip
  ASSERT_TRUE(graphics->TimerTick());
  EXPECT_EQ(PixelAt(*graphics, 15, 15), FrameColour(2));
  EXPECT_EQ(PixelAt(*graphics, 55, 15), ColourRed.ToPixel());  // outside the region: untouched
  EXPECT_EQ(PixelAt(*graphics, 31, 15), ColourRed.ToPixel());
  EXPECT_EQ(graphics->LastBlitRect(), sw->Rect());
  EXPECT_FALSE(graphics->TimerTick());
}

TEST_F(RenderTest, BitmapDrawsAreClippedToTheRegionBeingRepainted)
{
  graphics->ForcePixel(ColourRed, 15, 15);
  graphics->ForcePixel(ColourRed, 25, 15);
  graphics->Render(IRECT(10, 10, 20, 20));
  EXPECT_EQ(PixelAt(*graphics, 15, 15), FrameColour(1));
  EXPECT_EQ(PixelAt(*graphics, 25, 15), ColourRed.ToPixel());
}

TEST_F(RenderTest, HiddenControlsAreNotPaintedAndTheBackgroundShows)
{
  graphics->HideParamControls(RecordingPlug::kBypass, true);
  ASSERT_TRUE(graphics->TimerTick());
  EXPECT_EQ(PixelAt(*graphics, 15, 15), gray);
}

TEST_F(RenderTest, NonStrictRedrawRepaintsDirtyControlsWithTheirNeighbours)
{
  graphics->SetStrictRedraw(false);  // marks everything dirty
  ASSERT_TRUE(graphics->TimerTick());
  EXPECT_EQ(PixelAt(*graphics, 55, 15), OverOpaque(FrameColour(2, 128), gray));
  graphics->ForcePixel(ColourRed, 52, 12);
  graphics->PushParamValue(RecordingPlug::kGain, 1.0, true);
  ASSERT_TRUE(graphics->TimerTick());
  EXPECT_EQ(PixelAt(*graphics, 52, 12), OverOpaque(FrameColour(3, 128), gray));
}

TEST_F(RenderTest, MissingImageGivesAnEmptyStripThatDrawsNothing)
{
  const IFrameStrip missing = graphics->LoadStripBitmap(4242, "resources/img/missing.png", 2);
  EXPECT_EQ(missing.bitmap, nullptr);
  EXPECT_EQ(missing.width, 0);
  EXPECT_EQ(missing.height, 0);
  EXPECT_EQ(missing.frames, 2);

  auto* ghost = new ISwitchControl(&plug, 10, 10, RecordingPlug::kBypass, missing);
  EXPECT_TRUE(ghost->Rect().Empty() || ghost->Rect().W() == 0);
  graphics->AddControl(ghost);
  graphics->AttachBackdrop(4243, "resources/img/missing-too.png");
  graphics->RenderAll();
  EXPECT_EQ(PixelAt(*graphics, 15, 15), FrameColour(1));
  EXPECT_EQ(PixelAt(*graphics, 5, 5), gray);
  EXPECT_EQ(graphics->ControlAt(0)->Rect(), IRECT(0, 0, 0, 0));

  graphics->PointerDown(0, 0, left);  // neither empty control is hit
  EXPECT_TRUE(plug.calls.empty());
}

TEST_F(RenderTest, KnobReadOutIsDrawnBelowTheImageAndRepaintedWithIt)
{
  IText style(12, IColor(255, 0, 0, 0));
  auto* readOut =
    new IKnobMultiControlText(&plug, 120, 10, RecordingPlug::kLevel, MakeStrip(*graphics, 40, 40, 101), style);
  graphics->AddControl(readOut);
  readOut->ValueFromPlugin(0.5);
  graphics->RenderAll();
  EXPECT_EQ(readOut->ReadOut(), "0.0 dB");

  int inked = 0;
  const IRECT t = readOut->TextRect();
  for (int y = t.T; y < t.B; ++y)
    for (int x = t.L; x < t.R; ++x)
      inked += PixelAt(*graphics, x, y) != gray;
  EXPECT_GT(inked, 10);

  graphics->WheelTurn(130, 20, left, 1);
  IRECT dirty;
  ASSERT_TRUE(graphics->NeedsRedraw(&dirty));
  EXPECT_EQ(dirty.Union(t), dirty) << "the read-out must be part of the repainted region";
}

TEST_F(RenderTest, TextIsMeasuredWithTheRealFontAndCentred)
{
  IText style(12, ColourBlack);
  IRECT narrow(100, 50, 110, 50);
  ASSERT_TRUE(graphics->DrawTextIn(style, "8888", narrow, true));
  EXPECT_GT(narrow.W(), 10);
  EXPECT_GT(narrow.H(), 5);
  EXPECT_EQ(narrow.L + narrow.W() / 2, 105);
  EXPECT_NE(style.cachedFont, nullptr);

  IRECT unchanged(1, 2, 3, 4);
  EXPECT_TRUE(graphics->DrawTextIn(style, "", unchanged, true));
  EXPECT_EQ(unchanged, IRECT(1, 2, 3, 4));
}

TEST_F(RenderTest, CaptionsDrawTheirTextAndSkipWhenEmpty)
{
  auto* caption = new ITextControl(&plug, IRECT(100, 60, 180, 80), IText(12, ColourBlack), "v1.2.0");
  graphics->AddControl(caption);
  graphics->RenderAll();
  int inked = 0;
  for (int y = 60; y < 80; ++y)
    for (int x = 100; x < 180; ++x)
      inked += PixelAt(*graphics, x, y) != gray;
  EXPECT_GT(inked, 10);

  caption->SetCaption("");
  ASSERT_TRUE(graphics->TimerTick());
  for (int y = 60; y < 80; ++y)
    for (int x = 100; x < 180; ++x)
      ASSERT_EQ(PixelAt(*graphics, x, y), gray);
}

TEST_F(RenderTest, SnapshotRoundTripsThroughAPngFile)
{
  const std::string path = ::testing::TempDir() + "editor-snapshot.png";
  ASSERT_TRUE(SnapshotEditor(*graphics, path.c_str()));
  std::unique_ptr<LICE_IBitmap> loaded(LoadPngFile(path.c_str()));
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->Width(), kWidth);
  ASSERT_EQ(loaded->Height(), kHeight);
  for (const auto& p : {std::pair<int, int>{5, 5}, {15, 15}, {55, 15}, {85, 15}})
    EXPECT_EQ(loaded->Bits()[p.second * loaded->RowSpan() + p.first], PixelAt(*graphics, p.first, p.second));
  EXPECT_FALSE(WriteSurfacePng(graphics->DrawSurface(), "/nonexistent/dir/x.png"));
}

TEST_F(RenderTest, ResourcesAreLoadedByFileNameAndSharedBetweenEditors)
{
  const std::string folder = ::testing::TempDir();
  ASSERT_TRUE(WriteSurfacePng(graphics->DrawSurface(), (folder + "/Shared.PNG").c_str()));
  ASSERT_TRUE(WriteSurfacePng(graphics->DrawSurface(), (folder + "/Shared.jpg").c_str()));

  RecordingPlug other;
  IGraphicsHeadless first(&other, 10, 10, 0, folder.c_str());
  IGraphicsHeadless second(&other, 10, 10, 0, folder.c_str());
  const IFrameStrip a = first.LoadStripBitmap(5150, "resources/img/Shared.PNG");
  const IFrameStrip b = second.LoadStripBitmap(5150, "Shared.PNG");
  ASSERT_NE(a.bitmap, nullptr);
  EXPECT_EQ(a.bitmap, b.bitmap);
  EXPECT_EQ(a.width, kWidth);
  EXPECT_EQ(a.height, kHeight);
  EXPECT_EQ(first.LoadStripBitmap(5151, "resources/img/Shared.jpg").bitmap, nullptr);
}
}  // namespace
