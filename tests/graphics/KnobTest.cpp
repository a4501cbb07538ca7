#include "EditorFixture.h"

#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ITextControl.h"

#include <cmath>

namespace {
class KnobTest : public EditorFixture
{
protected:
  // A 101-frame knob 40 x 50 at (20, 10), read-out below it, bound to `param`.
  IKnobMultiControlText* AddKnob(int param = RecordingPlug::kGain)
  {
    IText text(12, IColor(255, 128, 128, 128));
    auto* knob = new IKnobMultiControlText(&plug, 20, 10, param, MakeStrip(*graphics, 40, 50, 101), text);
    graphics->AddControl(knob);
    return knob;
  }
};

TEST_F(KnobTest, GeometryPutsTheReadOutBelowTheImageInsideTheHitArea)
{
  IKnobMultiControlText* knob = AddKnob();
  EXPECT_EQ(knob->Rect(), IRECT(20, 10, 60, 60));
  EXPECT_EQ(knob->ImageRect(), knob->Rect());
  EXPECT_EQ(knob->TextRect(), IRECT(20, 64, 60, 80));
  EXPECT_EQ(knob->TargetRect(), IRECT(20, 10, 60, 80));
  EXPECT_FALSE(knob->PromptDisabled());
}

TEST_F(KnobTest, FrameFollowsTheValueWithRoundingToTheNearestFrame)
{
  IKnobMultiControlText* knob = AddKnob();
  const struct
  {
    double value;
    int frame;
  } cases[] = {{0.0, 1}, {0.004, 1}, {0.005, 2}, {0.5, 51}, {0.994, 100}, {0.995, 101}, {1.0, 101}};
  for (const auto& c : cases)
  {
    graphics->SetControlValue(graphics->ControlCount() - 1, c.value);
    EXPECT_EQ(knob->CurrentFrame(), c.frame) << "value " << c.value;
  }
}

TEST_F(KnobTest, VerticalDragIsGearedByTheImageHeight)
{
  AddBackground();
  IKnobMultiControlText* knob = AddKnob();
  Attach();
  const double start = knob->Value();  // 0.5 from the Gain default

  graphics->PointerDown(30, 30, left);
  graphics->PointerDrag(30, 20, left);  // dY = -10 on a 50 pixel image, gearing 4
  EXPECT_NEAR(knob->Value(), start + 0.05, 1e-12);
  graphics->PointerDrag(30, 10, leftShift);  // ten times finer
  EXPECT_NEAR(knob->Value(), start + 0.055, 1e-12);
  graphics->PointerDrag(30, 40, left);  // downward lowers
  EXPECT_NEAR(knob->Value(), start + 0.055 - 0.15, 1e-12);
  graphics->PointerUp(30, 40, left);

  EXPECT_EQ(plug.calls.front(), "begin 0");
  EXPECT_EQ(plug.calls.back(), "end 0");
  EXPECT_NEAR(plug.ParamAt(RecordingPlug::kGain)->Value(), 100.0 * knob->Value(), 1e-9);
}

TEST_F(KnobTest, DragIsClampedToTheUnitRange)
{
  IKnobMultiControlText* knob = AddKnob();
  Attach();
  graphics->PointerDown(30, 30, left);
  graphics->PointerDrag(30, -1000, left);
  EXPECT_EQ(knob->Value(), 1.0);
  graphics->PointerDrag(30, 2000, left);
  EXPECT_EQ(knob->Value(), 0.0);
}

TEST_F(KnobTest, WheelStepsByOneHundredthAndFinerWithShift)
{
  IKnobMultiControlText* knob = AddKnob();
  Attach();
  graphics->WheelTurn(30, 30, left, 1);
  EXPECT_NEAR(knob->Value(), 0.51, 1e-12);
  graphics->WheelTurn(30, 30, leftShift, -3);
  EXPECT_NEAR(knob->Value(), 0.507, 1e-12);
  // A trackpad delta below one arrives as 0: nothing moves, but the value is still sent.
  plug.calls.clear();
  graphics->WheelTurn(30, 30, left, 0);
  EXPECT_NEAR(knob->Value(), 0.507, 1e-12);
  EXPECT_EQ(plug.CountCalls("set 0"), 1);
}

TEST_F(KnobTest, PressOnTheImageSendsTheValueWithoutChangingIt)
{
  IKnobMultiControlText* knob = AddKnob();
  Attach();
  graphics->PointerDown(30, 30, left);
  EXPECT_EQ(knob->Value(), 0.5);
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"begin 0", "set 0 0.5000"}));
  EXPECT_FALSE(graphics->TextEntryOpen());
}

TEST_F(KnobTest, DoubleClickRestoresTheFirstValueTheEditorWasGiven)
{
  IKnobMultiControlText* knob = AddKnob();
  Attach();  // Gain 50 % -> 0.5 becomes the default
  graphics->PushParamValue(RecordingPlug::kGain, 0.9, true);
  graphics->ApplyPendingChanges();
  EXPECT_EQ(knob->Value(), 0.9);
  EXPECT_EQ(knob->DefaultValue(), 0.5);

  plug.calls.clear();
  EXPECT_FALSE(graphics->PointerDoubleClick(30, 30, left));
  EXPECT_EQ(knob->Value(), 0.5);
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"set 0 0.5000"}));  // no begin/end on this path
}

TEST_F(KnobTest, DoubleClickWithoutAKnownDefaultDoesNothing)
{
  IKnobMultiControlText* knob = AddKnob();
  knob->SetGraphics(graphics);
  graphics->PointerDoubleClick(30, 30, left);
  EXPECT_EQ(knob->Value(), 0.0);
  EXPECT_TRUE(plug.calls.empty());
}

TEST_F(KnobTest, ClickOnTheReadOutOpensATextFieldWithTheFormattedValue)
{
  IKnobMultiControlText* knob = AddKnob();
  Attach();
  graphics->PointerDown(30, 70, left);
  ASSERT_TRUE(graphics->TextEntryOpen());
  EXPECT_EQ(graphics->TextEntry().initial, "50.0");
  EXPECT_EQ(graphics->TextEntry().rect, knob->TextRect());
  EXPECT_EQ(graphics->TextEntry().control, knob);
  EXPECT_EQ(graphics->TextEntry().text.size, 12);

  ASSERT_TRUE(graphics->FinishTextEntry("75"));
  EXPECT_DOUBLE_EQ(knob->Value(), 0.75);
  EXPECT_DOUBLE_EQ(plug.ParamAt(RecordingPlug::kGain)->Value(), 75.0);
}

TEST_F(KnobTest, ClickOnTheReadOutOfAListParameterOpensACheckedMenu)
{
  IKnobMultiControlText* knob = AddKnob(RecordingPlug::kMode);
  Attach();
  graphics->QueueMenuChoice(2);
  graphics->PointerDown(30, 70, left);

  ASSERT_EQ(graphics->Menus().size(), 1u);
  const auto& menu = graphics->Menus().front();
  EXPECT_EQ(menu.items, (std::vector<std::string>{"Soft", "Hard", "Fold"}));
  EXPECT_EQ(menu.flags, (std::vector<int>{0, IPopupMenu::kChecked, 0}));
  EXPECT_EQ(menu.anchor, knob->TextRect());
  EXPECT_DOUBLE_EQ(knob->Value(), 1.0);
  EXPECT_DOUBLE_EQ(plug.ParamAt(RecordingPlug::kMode)->Value(), 2.0);
}

TEST_F(KnobTest, DismissedMenuLeavesTheValue)
{
  IKnobMultiControlText* knob = AddKnob(RecordingPlug::kMode);
  Attach();
  graphics->PointerDown(30, 70, left);  // no answer queued: dismissed
  EXPECT_EQ(graphics->Menus().size(), 1u);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.5);
  EXPECT_EQ(plug.CountCalls("set"), 0);
}

TEST_F(KnobTest, ValueDisplayAndNameDisplayMirrorTheParameter)
{
  IKnobMultiControlText* knob = AddKnob();
  auto* value = new ITextControl(&plug, IRECT(100, 10, 150, 30), IText(), "");
  auto* name = new ITextControl(&plug, IRECT(100, 40, 150, 60), IText(), "");
  graphics->AddControl(value);
  graphics->AddControl(name);
  knob->SetValueDisplay(value);
  knob->SetNameDisplay(name);
  Attach();
  graphics->RenderAll();

  graphics->PointerDown(30, 30, left);
  graphics->PointerDrag(30, 20, left);
  EXPECT_EQ(value->Caption(), "55.0");
  EXPECT_EQ(name->Caption(), "Gain");
  EXPECT_TRUE(value->NeedsPaint());

  // Values from the plug-in repaint the knob but never rewrite the displays.
  graphics->PushParamValue(RecordingPlug::kGain, 0.2, true);
  graphics->ApplyPendingChanges();
  EXPECT_DOUBLE_EQ(knob->Value(), 0.2);
  EXPECT_EQ(value->Caption(), "55.0");
}
}  // namespace
