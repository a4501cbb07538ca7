#include "EditorFixture.h"

#include "graphics/controls/IBitmapOverlayControl.h"
#include "graphics/controls/IBitmapTextControl.h"
#include "graphics/controls/ICaptionControl.h"
#include "graphics/controls/IFileSelectorControl.h"
#include "graphics/controls/IKnobLineControl.h"
#include "graphics/controls/IKnobRotaterControl.h"
#include "graphics/controls/IRadioButtonsControl.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"

namespace {
class ControlPaintTest : public EditorFixture
{
protected:
  void SetUp() override { graphics->AttachPanel(ColourBlack); }

  void Render()
  {
    if (!attached)
      Attach();
    graphics->RenderAll();
  }

  int InkedPixels(const IRECT& r)
  {
    int inked = 0;
    for (int y = r.T; y < r.B; ++y)
      for (int x = r.L; x < r.R; ++x)
        inked += PixelAt(*graphics, x, y) != ColourBlack.ToPixel();
    return inked;
  }
};

TEST_F(ControlPaintTest, LineKnobPointsUpAtMidValue)
{
  auto* knob = new IKnobLineControl(&plug, IRECT(0, 0, 41, 41), RecordingPlug::kGain, ColourWhite, 5.0, 18.0);
  graphics->AddControl(knob);
  Render();  // Gain 50 % -> angle 0
  EXPECT_NE(PixelAt(*graphics, 20, 8), ColourBlack.ToPixel());
  EXPECT_EQ(PixelAt(*graphics, 20, 32), ColourBlack.ToPixel());
  EXPECT_EQ(PixelAt(*graphics, 8, 20), ColourBlack.ToPixel());
}

TEST_F(ControlPaintTest, RotaterDrawsItsImageAboutTheCentre)
{
  auto* knob = new IKnobRotaterControl(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 20, 20, 1));
  graphics->AddControl(knob);
  Render();
  EXPECT_EQ(PixelAt(*graphics, 20, 20), FrameColour(1));
  EXPECT_EQ(InkedPixels(IRECT(40, 0, kWidth, kHeight)), 0);
}

TEST_F(ControlPaintTest, RadioButtonsShowTheSecondFrameOnTheSelectedButton)
{
  auto* radio =
    new IRadioButtonsControl(&plug, IRECT(0, 0, 10, 50), RecordingPlug::kMode, 3, MakeStrip(*graphics, 10, 10, 2));
  graphics->AddControl(radio);
  Render();  // Mode 1 of 0..2 -> the middle button
  EXPECT_EQ(PixelAt(*graphics, 5, 5), FrameColour(1));
  EXPECT_EQ(PixelAt(*graphics, 5, 25), FrameColour(2));
  EXPECT_EQ(PixelAt(*graphics, 5, 45), FrameColour(1));
}

TEST_F(ControlPaintTest, CaptionShowsTheParameterAndPromptsWhenPressed)
{
  auto* caption = new ICaptionControl(&plug, IRECT(0, 0, 80, 20), RecordingPlug::kLevel, IText(12, ColourWhite));
  graphics->AddControl(caption);
  Render();
  EXPECT_EQ(caption->Caption(), "0.0 dB");
  EXPECT_GT(InkedPixels(caption->Rect()), 10);
  graphics->PointerDown(10, 10, left);
  ASSERT_TRUE(graphics->TextEntryOpen());
  EXPECT_EQ(graphics->TextEntry().initial, "0.0");
}

TEST_F(ControlPaintTest, OverlayShowsAndIsHitOnlyWhileOn)
{
  auto* overlay = new IBitmapOverlayControl(&plug, 50, 50, -1, MakeStrip(*graphics, 20, 20, 1), IRECT(0, 0, 10, 10));
  graphics->AddControl(overlay);
  Render();
  EXPECT_EQ(InkedPixels(overlay->Rect()), 0);
  EXPECT_EQ(graphics->ControlIndexAt(55, 55), 0);
  graphics->PointerDown(5, 5, left);  // the trigger area switches it on
  graphics->PointerUp(5, 5, left);
  graphics->TimerTick();
  EXPECT_EQ(PixelAt(*graphics, 55, 55), FrameColour(1));
  EXPECT_EQ(graphics->ControlIndexAt(55, 55), 1);
  EXPECT_EQ(graphics->ControlIndexAt(5, 5), 0);
}

TEST_F(ControlPaintTest, BitmapTextDrawsOneGridCellPerCharacter)
{
  // A 16 x 6 grid of 4 x 4 cells; every cell is filled with its own colour.
  auto* font = new LICE_MemBitmap(64, 24);
  for (int cell = 0; cell < 95; ++cell)
    FillRect(font, (cell % 16) * 4, (cell / 16) * 4, 4, 4, FrameColour(cell + 1), 1.0f, LICE_BLIT_MODE_COPY);
  IFrameStrip strip;
  strip.bitmap = font;
  strip.width = 64;
  strip.height = 24;
  graphics->RetainBitmap(strip);
  auto* text = new IBitmapTextControl(&plug, IRECT(0, 0, 40, 4), strip, 4, 4, "A!");
  graphics->AddControl(text);
  Render();
  EXPECT_EQ(PixelAt(*graphics, 1, 1), FrameColour('A' - ' ' + 1));
  EXPECT_EQ(PixelAt(*graphics, 5, 1), FrameColour('!' - ' ' + 1));
  EXPECT_EQ(PixelAt(*graphics, 9, 1), ColourBlack.ToPixel());
}

TEST_F(ControlPaintTest, FileSelectorKeepsTheChosenFileAndFolder)
{
  auto* selector = new IFileSelectorControl(&plug, IRECT(0, 0, 10, 10), -1, MakeStrip(*graphics, 10, 10, 1),
                                            IFileSelectorControl::kOpen, "", "wav aif");
  graphics->AddControl(selector);
  Attach();
  graphics->PointerDown(5, 5, left);  // no view open: no panel, the file is emptied
  EXPECT_EQ(selector->File(), "");
  EXPECT_EQ(selector->Value(), 1.0);

  graphics->AttachToParentView(nullptr);
  graphics->SetFileAnswer("/music/take.wav");
  graphics->PointerDown(5, 5, left);
  EXPECT_EQ(selector->File(), "/music/take.wav");
  EXPECT_EQ(selector->Folder(), "/music/");
  EXPECT_EQ(selector->Value(), 0.0);  // 2 wraps to 0
}
}  // namespace
