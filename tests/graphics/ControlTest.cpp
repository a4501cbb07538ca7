#include "EditorFixture.h"

#include "graphics/controls/IContactControl.h"
#include "graphics/controls/IFaderControl.h"
#include "graphics/controls/IRadioButtonsControl.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/controls/ISwitchFramesControl.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/controls/IURLControl.h"

#include <limits>

namespace {
using ControlTest = EditorFixture;

TEST_F(ControlTest, TwoFrameSwitchTogglesAndWrapsAboveOne)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, RecordingPlug::kBypass, MakeStrip(*graphics, 20, 10, 2));
  graphics->AddControl(sw);
  Attach();
  EXPECT_EQ(sw->Rect(), IRECT(10, 10, 30, 20));
  EXPECT_EQ(sw->CurrentFrame(), 1);

  graphics->PointerDown(15, 15, left);
  graphics->PointerUp(15, 15, left);
  EXPECT_EQ(sw->Value(), 1.0);
  EXPECT_EQ(sw->CurrentFrame(), 2);
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"begin 1", "set 1 1.0000", "end 1"}));

  graphics->PointerDown(15, 15, left);
  EXPECT_EQ(sw->Value(), 0.0);

  // A host value of 0.5 steps to 1.5, past the wrap limit.
  graphics->PushParamValue(RecordingPlug::kBypass, 0.5, true);
  graphics->ApplyPendingChanges();
  EXPECT_EQ(sw->CurrentFrame(), 2);
  graphics->PointerDown(15, 15, left);
  EXPECT_EQ(sw->Value(), 0.0);
}

TEST_F(ControlTest, ThreeFrameSwitchVisitsEveryPosition)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, -1, MakeStrip(*graphics, 20, 10, 3));
  graphics->AddControl(sw);
  std::vector<double> seen;
  for (int i = 0; i < 4; ++i)
  {
    graphics->PointerDown(15, 15, left);
    seen.push_back(sw->Value());
  }
  EXPECT_EQ(seen, (std::vector<double>{0.5, 1.0, 0.0, 0.5}));
  EXPECT_TRUE(plug.calls.empty());  // unbound: nothing reaches the plug-in
}

TEST_F(ControlTest, SwitchDoubleClickStepsLikeAPress)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, -1, MakeStrip(*graphics, 20, 10, 3));
  graphics->AddControl(sw);
  graphics->PointerDown(15, 15, left);
  graphics->PointerDoubleClick(15, 15, left);
  EXPECT_EQ(sw->Value(), 1.0);
}

TEST_F(ControlTest, FirstPluginValueIsKeptAsDefaultAndLaterEqualValuesDoNotRepaint)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, -1, MakeStrip(*graphics, 20, 10, 2));
  sw->ValueFromPlugin(0.25);
  EXPECT_EQ(sw->Value(), 0.25);
  EXPECT_EQ(sw->DefaultValue(), 0.25);
  sw->MarkClean();
  sw->ValueFromPlugin(0.25);
  EXPECT_FALSE(sw->NeedsPaint());
  sw->ValueFromPlugin(0.75);
  EXPECT_TRUE(sw->NeedsPaint());
  sw->MarkClean();  // the redraw request keeps it dirty for one more cycle
  EXPECT_TRUE(sw->NeedsPaint());
  sw->MarkClean();
  EXPECT_FALSE(sw->NeedsPaint());
  EXPECT_EQ(sw->DefaultValue(), 0.25);
  delete sw;
}

TEST_F(ControlTest, NanFromThePluginNeverReachesTheFrameChoice)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, -1, MakeStrip(*graphics, 20, 10, 2));
  sw->ValueFromPlugin(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(sw->Value(), 0.0);
  EXPECT_EQ(sw->CurrentFrame(), 1);
  delete sw;
}

TEST_F(ControlTest, HiddenAndGreyedChangeTheBlendWeight)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, -1, MakeStrip(*graphics, 20, 10, 2));
  graphics->AddControl(sw);
  sw->MarkClean();
  sw->SetGreyed(true);
  EXPECT_FLOAT_EQ(sw->Blend().weight, 0.25f);
  EXPECT_TRUE(sw->NeedsPaint());
  sw->SetGreyed(false);
  EXPECT_FLOAT_EQ(sw->Blend().weight, 1.0f);
  sw->SetHidden(true);
  EXPECT_FLOAT_EQ(sw->Blend().weight, 0.0f);
  EXPECT_TRUE(sw->WantsRedraw());
  sw->SetHidden(false);
  EXPECT_FLOAT_EQ(sw->Blend().weight, 1.0f);
}

TEST_F(ControlTest, ClampLimitsAreAppliedWhenMarkedDirty)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 20, 10, 2));
  graphics->AddControl(sw);
  graphics->ClampParamControls(RecordingPlug::kGain, false, 20.0, 80.0);
  EXPECT_DOUBLE_EQ(sw->ClampLow(), 0.2);
  EXPECT_DOUBLE_EQ(sw->ClampHigh(), 0.8);
  sw->ValueFromPlugin(0.1);  // becomes the default, unclamped
  sw->ValueFromPlugin(0.95);
  EXPECT_DOUBLE_EQ(sw->Value(), 0.8);
  sw->ValueFromPlugin(0.05);
  EXPECT_DOUBLE_EQ(sw->Value(), 0.2);
  EXPECT_TRUE(plug.calls.empty());  // plug-in values are never sent back
}

TEST_F(ControlTest, NumericPromptIsCentredAndOnePointTwoTimesLarger)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 50, 30, 2));
  graphics->AddControl(sw);
  Attach();
  sw->SetPromptDisabled(false);
  sw->PromptForInput();
  ASSERT_TRUE(graphics->TextEntryOpen());
  // Centre (35, 25), half extents 30 x 18.
  EXPECT_EQ(graphics->TextEntry().rect, IRECT(5, 7, 65, 43));
  EXPECT_TRUE(sw->WantsRedraw());
}

TEST_F(ControlTest, PromptsAreSuppressedWhenDisabledOrUnbound)
{
  auto* bound = new ISwitchControl(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 20, 10, 2));
  auto* unbound = new ISwitchControl(&plug, 40, 10, -1, MakeStrip(*graphics, 20, 10, 2));
  unbound->SetPromptDisabled(false);
  graphics->AddControl(bound);
  graphics->AddControl(unbound);
  Attach();
  bound->PromptForInput();
  unbound->PromptForInput();
  bound->PromptForInputIn(IRECT(0, 0, 5, 5));
  EXPECT_FALSE(graphics->TextEntryOpen());
  EXPECT_TRUE(graphics->Menus().empty());
}

TEST_F(ControlTest, BoolListPromptOffersItsValueTexts)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, RecordingPlug::kBypass, MakeStrip(*graphics, 20, 10, 2));
  graphics->AddControl(sw);
  Attach();
  sw->SetPromptDisabled(false);
  graphics->QueueMenuChoice(1);
  sw->PromptForInput();
  ASSERT_EQ(graphics->Menus().size(), 1u);
  EXPECT_EQ(graphics->Menus()[0].items, (std::vector<std::string>{"off", "on"}));
  EXPECT_EQ(graphics->Menus()[0].flags, (std::vector<int>{IPopupMenu::kChecked, 0}));
  EXPECT_EQ(graphics->Menus()[0].anchor, sw->Rect());  // list prompts sit on the control
  EXPECT_EQ(sw->Value(), 1.0);
}

TEST_F(ControlTest, AuxiliaryBindingsFollowTheirParameters)
{
  auto* sw = new ISwitchControl(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 20, 10, 2));
  sw->AddAuxParam(RecordingPlug::kLevel);
  sw->AddAuxParam(RecordingPlug::kBits);
  graphics->AddControl(sw);
  Attach();
  EXPECT_EQ(sw->AuxPositionOf(RecordingPlug::kBits), 1);
  EXPECT_EQ(sw->AuxPositionOf(RecordingPlug::kMode), -1);
  EXPECT_DOUBLE_EQ(sw->AuxParamAt(0)->value, 0.5);  // Level 0 dB in -24..24
  graphics->PushParamValue(RecordingPlug::kBits, 24.0, false);
  graphics->ApplyPendingChanges();
  EXPECT_DOUBLE_EQ(sw->AuxParamAt(1)->value, 1.0);
  EXPECT_DOUBLE_EQ(sw->Value(), 0.5);  // the main binding is untouched
  sw->PushAuxToPlugin();
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"set 4 0.5000", "set 3 1.0000"}));
}

TEST_F(ControlTest, ContactSwitchReturnsToZeroOnRelease)
{
  auto* contact = new IContactControl(&plug, 10, 10, RecordingPlug::kBypass, MakeStrip(*graphics, 20, 10, 2));
  graphics->AddControl(contact);
  Attach();
  graphics->PointerDown(15, 15, left);
  EXPECT_EQ(contact->Value(), 1.0);
  graphics->PointerUp(15, 15, left);
  EXPECT_EQ(contact->Value(), 0.0);
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"begin 1", "set 1 1.0000", "set 1 0.0000", "end 1"}));
}

TEST_F(ControlTest, FramesSwitchAndRadioButtonsSelectThePressedCell)
{
  auto* frames = new ISwitchFramesControl(&plug, 0, 0, -1, MakeStrip(*graphics, 10, 30, 3));
  auto* radio = new IRadioButtonsControl(&plug, IRECT(50, 0, 110, 10), -1, 3, MakeStrip(*graphics, 10, 10, 2), true);
  graphics->AddControl(frames);
  graphics->AddControl(radio);
  ASSERT_EQ(frames->FrameRects().size(), 3u);
  EXPECT_EQ(frames->FrameRects()[2], IRECT(0, 20, 10, 30));
  graphics->PointerDown(5, 25, left);
  EXPECT_EQ(frames->Value(), 1.0);
  graphics->PointerDown(5, 12, left);
  EXPECT_EQ(frames->Value(), 0.5);

  EXPECT_EQ(radio->ButtonRects()[2], IRECT(100, 0, 110, 10));
  graphics->PointerDown(105, 5, left);
  EXPECT_EQ(radio->Value(), 1.0);
  EXPECT_EQ(radio->SelectedButton(), 2);
  graphics->PointerDown(85, 5, left);  // between buttons: nothing
  EXPECT_EQ(radio->Value(), 1.0);
}

TEST_F(ControlTest, FaderHandleJumpsToThePointer)
{
  auto* fader = new IFaderControl(&plug, 10, 0, 100, -1, MakeStrip(*graphics, 10, 20, 1));
  graphics->AddControl(fader);
  EXPECT_EQ(fader->Rect(), IRECT(10, 0, 20, 100));
  graphics->PointerDown(15, 10, left);  // handle centre at the top of its travel
  EXPECT_DOUBLE_EQ(fader->Value(), 1.0);
  EXPECT_EQ(fader->HandleRect(), IRECT(10, 0, 20, 20));
  graphics->PointerDrag(15, 50, left);
  EXPECT_DOUBLE_EQ(fader->Value(), 0.5);
  graphics->PointerDrag(15, 500, left);
  EXPECT_DOUBLE_EQ(fader->Value(), 0.0);
  EXPECT_EQ(fader->HandleRect(), IRECT(10, 80, 20, 100));
}

TEST_F(ControlTest, LinkControlFallsBackWhenTheFirstLinkFails)
{
  graphics->AddControl(new IURLControl(&plug, IRECT(0, 0, 10, 10), "https://a.example", "file:///fallback"));
  graphics->SetLinkResult(false);
  graphics->PointerDown(5, 5, left);
  EXPECT_EQ(graphics->OpenedLinks(), (std::vector<std::string>{"https://a.example", "file:///fallback"}));
}
}  // namespace
