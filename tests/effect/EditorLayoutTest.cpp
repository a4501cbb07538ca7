// The effect's editor as its constructor builds it, without any window: control list and
// geometry, read-outs, caption, single-band greying and double-click defaults.

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "effect/ParamIndex.h"
#include "effect/TolvexVulcrax.h"
#include "framework/IPlugParam.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/controls/ITextControl.h"

namespace {
enum Kind
{
  Switch,
  Knob
};

struct Placement
{
  Kind kind;
  int x;
  int y;
  int param;
};

// Control 1 onwards, in the order the editor adds them.
const Placement kTable[] = {
  {Switch, 35, 42, 41},   {Switch, 35, 381, 42},  {Knob, 24, 129, 34},    {Knob, 24, 278, 33},    {Knob, 127, 53, 28},
  {Knob, 199, 53, 29},    {Knob, 272, 53, 22},    {Switch, 345, 65, 23},  {Knob, 422, 53, 32},    {Knob, 494, 53, 31},
  {Knob, 567, 53, 26},    {Switch, 644, 65, 27},  {Knob, 722, 53, 30},    {Knob, 795, 53, 24},    {Switch, 872, 65, 25},
  {Knob, 127, 203, 17},   {Knob, 199, 203, 18},   {Knob, 272, 203, 11},   {Switch, 345, 215, 12}, {Knob, 422, 203, 21},
  {Knob, 494, 203, 20},   {Knob, 567, 203, 15},   {Switch, 644, 215, 16}, {Knob, 722, 203, 19},   {Knob, 795, 203, 13},
  {Switch, 872, 215, 14}, {Knob, 127, 352, 6},    {Knob, 199, 352, 7},    {Knob, 272, 352, 0},    {Switch, 345, 364, 1},
  {Knob, 422, 352, 10},   {Knob, 494, 352, 9},    {Knob, 567, 352, 4},    {Switch, 644, 364, 5},  {Knob, 722, 352, 8},
  {Knob, 795, 352, 2},    {Switch, 872, 364, 3},  {Knob, 949, 37, 39},    {Knob, 949, 185, 37},   {Knob, 949, 336, 35},
  {Switch, 975, 119, 40}, {Switch, 975, 267, 38}, {Switch, 975, 417, 36}, {Switch, 35, 431, 43},
};
constexpr int kTableSize = static_cast<int>(sizeof kTable / sizeof kTable[0]);
constexpr int kCaptionIndex = kTableSize + 1;

// Every low-band and high-band parameter and both crossover frequencies.
const std::set<int> kSingleBandGreyed = {33, 34, 6,  7,  0,  1,  10, 9,  4,  5,  8,  2,  3,  35,
                                         36, 28, 29, 22, 23, 32, 31, 26, 27, 30, 24, 25, 39, 40};

class EditorLayout : public ::testing::Test
{
protected:
  EditorLayout() : editor(dynamic_cast<IGraphics*>(effect.Editor())) {}

  void SetUp() override { ASSERT_NE(editor, nullptr) << "the effect builds its editor on construction"; }

  void RenderAll() { editor->Render(IRECT(0, 0, editor->Width(), editor->Height())); }

  IKnobMultiControlText* KnobFor(int param) const
  {
    for (int i = 0; i < kTableSize; ++i)
      if (kTable[i].param == param)
        return dynamic_cast<IKnobMultiControlText*>(editor->ControlAt(i + 1));
    return nullptr;
  }

  static IPointerMods LeftButton()
  {
    IPointerMods mods;
    mods.left = true;
    return mods;
  }

  TolvexVulcrax effect;
  IGraphics* editor;
};

TEST_F(EditorLayout, ControlsFollowTheTableWithGeometryFromTheImages)
{
  EXPECT_EQ(editor->Width(), 1024);
  EXPECT_EQ(editor->Height(), 480);
  EXPECT_EQ(editor->Fps(), 25);
  ASSERT_EQ(editor->ControlCount(), kTableSize + 2);
  EXPECT_EQ(editor->ControlAt(0)->Rect(), IRECT(0, 0, 1024, 480)) << "background at its own size";
  EXPECT_FALSE(editor->ControlAt(0)->IsBound());

  editor->ApplyPendingChanges();  // as before an open view's first paint
  for (int i = 0; i < kTableSize; ++i)
  {
    const Placement& row = kTable[i];
    SCOPED_TRACE("control " + std::to_string(i + 1));
    IControl* control = editor->ControlAt(i + 1);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ParamIdx(), row.param);
    EXPECT_EQ(control->Value(), effect.ParamAt(row.param)->Normalized()) << "shows its parameter's value";
    if (row.kind == Switch)
    {
      auto* sw = dynamic_cast<ISwitchControl*>(control);
      ASSERT_NE(sw, nullptr);
      const IFrameStrip& strip = sw->Strip();
      ASSERT_NE(strip.bitmap, nullptr) << "switch image loaded";
      EXPECT_EQ(strip.frames, 2);
      EXPECT_EQ(sw->Rect(), IRECT(row.x, row.y, row.x + strip.width, row.y + strip.height / 2));
      continue;
    }
    auto* knob = dynamic_cast<IKnobMultiControlText*>(control);
    ASSERT_NE(knob, nullptr);
    const IFrameStrip& strip = knob->Strip();
    ASSERT_NE(strip.bitmap, nullptr) << "knob image loaded";
    EXPECT_EQ(strip.frames, 101);
    const int imageBottom = row.y + strip.height / 101;
    EXPECT_EQ(knob->ImageRect(), IRECT(row.x, row.y, row.x + strip.width, imageBottom));
    EXPECT_EQ(knob->TextRect(), IRECT(row.x, imageBottom + 4, row.x + strip.width, imageBottom + 20));
    EXPECT_EQ(knob->TargetRect(), IRECT(row.x, row.y, row.x + strip.width, imageBottom + 20));
    EXPECT_EQ(knob->Gearing(), 4.0);
    const IText& text = knob->Text();
    EXPECT_STREQ(text.font, "Arial");
    EXPECT_EQ(text.size, 12);
    EXPECT_EQ(text.colour, IColor(255, 128, 128, 128));
    EXPECT_EQ(text.entryBackground, ColourWhite);
    EXPECT_EQ(text.entryForeground, ColourBlack);
    EXPECT_EQ(text.align, IText::kAlignCenter);
  }
}

TEST_F(EditorLayout, CaptionShowsTheVersionTheHostSees)
{
  auto* caption = dynamic_cast<ITextControl*>(editor->ControlAt(kCaptionIndex));
  ASSERT_NE(caption, nullptr);
  EXPECT_FALSE(caption->IsBound());
  EXPECT_EQ(caption->Rect(), IRECT(422, 460, 505, 471));
  char version[IPlugBase::kVersionTextSize];
  effect.EffectVersionText(version);
  EXPECT_EQ(caption->Caption(), version);
  EXPECT_EQ(caption->Text().size, 12);
}

TEST_F(EditorLayout, ReadOutsShowValueSpaceUnit)
{
  const struct
  {
    int param;
    double value;
    const char* readOut;
  } cases[] = {
    {kFreqHigh, 2500, "2500 Hz"}, {kFreqLow, 250, "250 Hz"}, {kHighLevel, -12.5, "-12.5 dB"},
    {kLowBitRes, 8, "8 bits"},    {kMidSatMix, 37, "37 %"},  {kLowSatGain, 0, "0.0 dB"},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.readOut);
    IPlugParam* param = effect.ParamAt(c.param);
    param->SetFromNormalized(param->ToNormalized(c.value));
    effect.RefreshEditorFromParams();
    RenderAll();
    IKnobMultiControlText* knob = KnobFor(c.param);
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->ReadOut(), c.readOut);
  }
}

TEST_F(EditorLayout, SingleBandGreysLowAndHighBandsAndCrossovers)
{
  const struct
  {
    double multiband;
    bool greyed;
  } steps[] = {{0.0, true}, {1.0, false}, {0.0, true}};
  for (const auto& step : steps)
  {
    SCOPED_TRACE(step.multiband);
    effect.SetParameterFromGUI(kMultiband, step.multiband);
    editor->ApplyPendingChanges();
    int greyed = 0;
    for (int i = 0; i < editor->ControlCount(); ++i)
    {
      IControl* control = editor->ControlAt(i);
      if (control->ParamIdx() == kOversampleQuality)
        continue;  // greyed by oversampling alone
      const bool expected = step.greyed && kSingleBandGreyed.count(control->ParamIdx()) > 0;
      EXPECT_EQ(control->IsGreyed(), expected) << "control " << i;
      EXPECT_TRUE(control->NeedsPaint()) << "every change repaints the whole editor, control " << i;
      greyed += control->IsGreyed() ? 1 : 0;
    }
    EXPECT_EQ(greyed, step.greyed ? 28 : 0);
    RenderAll();
  }

  // While greyed, a low-band knob ignores the pointer; the mid row keeps responding.
  for (const int param : {kLowSatGain, kMidSatGain})
  {
    const IRECT r = KnobFor(param)->ImageRect();
    const double before = effect.ParamAt(param)->Normalized();
    editor->PointerDown(r.L + 5, r.T + 5, LeftButton());
    editor->PointerDrag(r.L + 5, r.T - 45, LeftButton());
    editor->PointerUp(r.L + 5, r.T - 45, LeftButton());
    EXPECT_EQ(effect.ParamAt(param)->Normalized() != before, param == kMidSatGain) << "parameter " << param;
  }
}

// The quality switch follows "Oversample On/Off" however that changes: from the editor, from
// the host or from a state; greyed, it ignores the pointer.
TEST_F(EditorLayout, QualitySwitchIsGreyedWhileOversamplingIsOff)
{
  IControl* quality = editor->ControlAt(kTableSize);
  ASSERT_EQ(quality->ParamIdx(), kOversampleQuality);
  StateChunk oversampling;
  effect.ParamAt(kOversample)->Assign(1.0);
  ASSERT_TRUE(effect.SerializeState(&oversampling));
  effect.ParamAt(kOversample)->Assign(0.0);
  const auto click = [&] {
    const IRECT r = quality->Rect();
    editor->PointerDown(r.L + 2, r.T + 2, LeftButton());
    editor->PointerUp(r.L + 2, r.T + 2, LeftButton());
  };

  editor->ApplyPendingChanges();
  EXPECT_TRUE(quality->IsGreyed()) << "a new instance does not oversample";
  click();
  EXPECT_EQ(effect.ParamAt(kOversampleQuality)->Value(), kQualityClean);

  const struct
  {
    const char* how;
    std::function<void()> change;
    bool greyed;
  } steps[] = {
    {"editor on", [&] { effect.SetParameterFromGUI(kOversample, 1.0); }, false},
    {"host off",
     [&] {
       effect.ParamAt(kOversample)->Assign(0.0);
       effect.ApplyParamChange(kOversample, kSourceHost);
     },
     true},
    {"state on", [&] { effect.UnserializeState(&oversampling, 0); }, false},
  };
  for (const auto& step : steps)
  {
    SCOPED_TRACE(step.how);
    step.change();
    editor->ApplyPendingChanges();
    EXPECT_EQ(quality->IsGreyed(), step.greyed);
  }
  click();
  EXPECT_EQ(effect.ParamAt(kOversampleQuality)->Value(), kQualityClassic);
}

TEST_F(EditorLayout, DoubleClickRestoresTheValueAtAttachTime)
{
  for (const int param : {kFreqLow, kHighLevel, kMidBitRes, kLowSatMix})
  {
    SCOPED_TRACE(param);
    IPlugParam* p = effect.ParamAt(param);
    const double attached = p->Normalized();
    // A later preset or host value does not move the default.
    p->SetFromNormalized(0.3);
    effect.RefreshEditorFromParams();
    // The first time, the values pushed at attach time and these come in one take-over.
    editor->ApplyPendingChanges();
    const IRECT r = KnobFor(param)->ImageRect();
    editor->PointerDoubleClick((r.L + r.R) / 2, (r.T + r.B) / 2, LeftButton());
    editor->PointerUp((r.L + r.R) / 2, (r.T + r.B) / 2, LeftButton());
    EXPECT_DOUBLE_EQ(p->Normalized(), attached);
  }
}
}  // namespace
