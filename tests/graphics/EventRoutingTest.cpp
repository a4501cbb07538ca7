#include "EditorFixture.h"

#include "graphics/KeyCodes.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/lice/LICE_IBitmap.h"

namespace {
// Records what the editor routes to it.
class ProbeControl : public IControl
{
public:
  ProbeControl(IPlugBase* plug, const IRECT& rect, int paramIdx = -1, bool takesKeys = true)
    : IControl(plug, rect, paramIdx), mTakesKeys(takesKeys)
  {
  }

  bool Paint(IGraphics&) override { return true; }
  void PointerDown(int x, int y, const IPointerMods&) override { events.push_back(Event("down", x, y)); }
  void PointerUp(int x, int y, const IPointerMods&) override { events.push_back(Event("up", x, y)); }
  void PointerDrag(int x, int y, int dX, int dY, const IPointerMods&) override
  {
    events.push_back(Event("drag", x, y) + " " + std::to_string(dX) + " " + std::to_string(dY));
  }
  void PointerDoubleClick(int x, int y, const IPointerMods&) override { events.push_back(Event("double", x, y)); }
  void WheelTurn(int, int, const IPointerMods&, int delta) override
  {
    events.push_back("wheel " + std::to_string(delta));
  }
  bool KeyPress(int, int, int key) override
  {
    events.push_back("key " + std::to_string(key));
    return mTakesKeys;
  }
  void PointerHover(int x, int y, const IPointerMods&) override { events.push_back(Event("hover", x, y)); }
  void PointerLeave() override { events.push_back("leave"); }
  void IdleTick() override { events.push_back("idle"); }

  std::vector<std::string> events;

private:
  static std::string Event(const char* what, int x, int y)
  {
    return std::string(what) + " " + std::to_string(x) + " " + std::to_string(y);
  }
  bool mTakesKeys;
};

class EventRoutingTest : public EditorFixture
{
protected:
  void SetUp() override
  {
    background = new ProbeControl(&plug, IRECT(0, 0, kWidth, kHeight));
    lower = new ProbeControl(&plug, IRECT(10, 10, 60, 60), RecordingPlug::kGain);
    upper = new ProbeControl(&plug, IRECT(40, 40, 90, 90), RecordingPlug::kLevel);
    graphics->AddControl(background);
    graphics->AddControl(lower);
    graphics->AddControl(upper);
  }

  ProbeControl* background = nullptr;
  ProbeControl* lower = nullptr;
  ProbeControl* upper = nullptr;
};

TEST_F(EventRoutingTest, LaterControlsWinAndGreyedOrHiddenOnesLetThePressThrough)
{
  EXPECT_EQ(graphics->ControlIndexAt(50, 50), 2);
  EXPECT_EQ(graphics->ControlIndexAt(20, 20), 1);
  EXPECT_EQ(graphics->ControlIndexAt(150, 20), 0);
  EXPECT_EQ(graphics->ControlIndexAt(-1, 20), -1);
  EXPECT_EQ(graphics->ControlIndexAt(90, 90), 0);  // right and bottom are exclusive

  upper->SetGreyed(true);
  EXPECT_EQ(graphics->ControlIndexAt(50, 50), 1);
  lower->SetHidden(true);
  EXPECT_EQ(graphics->ControlIndexAt(50, 50), 0);
  EXPECT_EQ(graphics->ParamIndexAt(50, 50), -1);  // the background has no parameter

  graphics->PointerDown(50, 50, left);
  graphics->PointerUp(50, 50, left);
  EXPECT_EQ(background->events, (std::vector<std::string>{"down 50 50", "up 50 50"}));
  EXPECT_TRUE(plug.calls.empty());

  // Greyed controls still receive hover when they ask for it.
  upper->SetHoverWhenGreyed(true);
  EXPECT_EQ(graphics->ControlIndexAt(50, 50, true), 2);
  EXPECT_EQ(graphics->ControlIndexAt(50, 50, false), 0);
}

TEST_F(EventRoutingTest, PressDragReleaseIsFramedByBeginAndEnd)
{
  graphics->PointerDown(20, 20, left);
  graphics->PointerDrag(25, 18, left);
  graphics->PointerDrag(25, 18, left);   // unchanged position: no call
  graphics->PointerDrag(150, 95, left);  // the capture holds outside the control
  graphics->PointerUp(150, 95, left);
  EXPECT_EQ(lower->events,
            (std::vector<std::string>{"down 20 20", "drag 25 18 5 -2", "drag 150 95 125 77", "up 150 95"}));
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"begin 0", "end 0"}));
  EXPECT_EQ(graphics->CaptureIndex(), -1);

  graphics->PointerDrag(30, 30, left);  // no capture: ignored
  EXPECT_EQ(lower->events.size(), 4u);
}

TEST_F(EventRoutingTest, RightPressOnABoundControlOpensTheHostMenuUnderVst3)
{
  graphics->PointerDown(20, 20, right);
  EXPECT_TRUE(lower->events.empty());
  EXPECT_EQ(plug.calls, (std::vector<std::string>{"menu 0 20 20"}));
  EXPECT_EQ(graphics->CaptureIndex(), -1);

  // The release goes to whatever lies under the pointer, but no edit began, so none ends.
  graphics->PointerUp(50, 50, right);
  EXPECT_EQ(upper->events, (std::vector<std::string>{"up 50 50"}));
  EXPECT_EQ(plug.calls.back(), "menu 0 20 20");
}

TEST_F(EventRoutingTest, RightPressReachesTheControlOutsideVst3AndOnUnboundControls)
{
  RecordingPlug standalone(5);
  IGraphicsHeadless editor(&standalone, 100, 100, 0, "");
  auto* probe = new ProbeControl(&standalone, IRECT(0, 0, 10, 10), RecordingPlug::kGain);
  editor.AddControl(probe);
  editor.PointerDown(5, 5, right);
  EXPECT_EQ(probe->events, (std::vector<std::string>{"down 5 5"}));
  EXPECT_EQ(standalone.calls, (std::vector<std::string>{"begin 0"}));

  graphics->PointerDown(150, 50, right);
  EXPECT_EQ(background->events, (std::vector<std::string>{"down 150 50"}));
}

TEST_F(EventRoutingTest, DoubleClickIsDeliveredAsAPressWhenTheControlAsks)
{
  EXPECT_FALSE(graphics->PointerDoubleClick(20, 20, left));
  EXPECT_EQ(lower->events, (std::vector<std::string>{"double 20 20"}));
  EXPECT_EQ(graphics->CaptureIndex(), -1);

  lower->SetDoubleClickIsPress(true);
  EXPECT_TRUE(graphics->PointerDoubleClick(20, 20, left));
  EXPECT_EQ(lower->events.back(), "down 20 20");
  EXPECT_EQ(graphics->CaptureIndex(), 1);
  EXPECT_TRUE(plug.calls.empty());  // no begin on this path
}

TEST_F(EventRoutingTest, WheelGoesToTheCaptureFirst)
{
  graphics->WheelTurn(50, 50, left, 2);
  EXPECT_EQ(upper->events, (std::vector<std::string>{"wheel 2"}));
  graphics->PointerDown(20, 20, left);
  graphics->WheelTurn(50, 50, left, -1);
  EXPECT_EQ(lower->events.back(), "wheel -1");
}

TEST_F(EventRoutingTest, KeysSkipTheBackgroundAndFallToTheKeyCatcher)
{
  EXPECT_TRUE(graphics->KeyPress(20, 20, kKeyUp));
  EXPECT_EQ(lower->events, (std::vector<std::string>{"key 1"}));

  EXPECT_FALSE(graphics->KeyPress(150, 50, kKeySpace));
  EXPECT_TRUE(background->events.empty());

  auto* catcher = new ProbeControl(&plug, IRECT());
  graphics->SetKeyCatcher(catcher);
  EXPECT_TRUE(graphics->KeyPress(150, 50, kKeyLetterA));
  EXPECT_EQ(catcher->events, (std::vector<std::string>{"key 15"}));
}

TEST_F(EventRoutingTest, HoverIsOptionalAndMovesLeaveToThePreviousControl)
{
  EXPECT_FALSE(graphics->PointerHover(20, 20, left));
  EXPECT_TRUE(lower->events.empty());

  graphics->SetHandleHover(true);
  EXPECT_TRUE(graphics->PointerHover(20, 20, left));
  EXPECT_TRUE(graphics->PointerHover(50, 50, left));
  EXPECT_EQ(lower->events, (std::vector<std::string>{"hover 20 20", "leave"}));
  EXPECT_EQ(graphics->HoverIndex(), 2);
  EXPECT_TRUE(graphics->PointerHover(-5, -5, left));  // nothing there
  graphics->PointerLeave();
  EXPECT_EQ(graphics->HoverIndex(), -1);
  EXPECT_EQ(background->events, (std::vector<std::string>{"leave"}));
}

TEST_F(EventRoutingTest, LastClickedParameterIsTakenOnce)
{
  EXPECT_EQ(graphics->ParamIndexAt(50, 50), RecordingPlug::kLevel);
  EXPECT_EQ(graphics->TakeLastClickedParam(), RecordingPlug::kLevel);
  EXPECT_EQ(graphics->TakeLastClickedParam(), -1);
}

TEST_F(EventRoutingTest, IdleTickRunsOnTheTwentyFirstCleanTick)
{
  graphics->PrepareDrawSurfaces();
  ASSERT_TRUE(graphics->TimerTick());  // everything starts dirty
  for (int round = 0; round < 2; ++round)
  {
    for (int i = 0; i < 20; ++i)
      EXPECT_FALSE(graphics->TimerTick());
    EXPECT_EQ(plug.CountCalls("idle"), round);
    EXPECT_FALSE(graphics->TimerTick());
    EXPECT_EQ(plug.CountCalls("idle"), round + 1);
    EXPECT_EQ(lower->events.back(), "idle");
  }

  // A dirty control restarts the count.
  for (int i = 0; i < 15; ++i)
    graphics->TimerTick();
  lower->MarkDirty(false);
  EXPECT_TRUE(graphics->TimerTick());
  for (int i = 0; i < 20; ++i)
    graphics->TimerTick();
  EXPECT_EQ(plug.CountCalls("idle"), 2);
}

TEST_F(EventRoutingTest, BoundControlsGetTheirParameterNamesAsTooltips)
{
  graphics->UseParamNamesAsTooltips();
  EXPECT_STREQ(lower->Tooltip(), "Gain");
  EXPECT_EQ(background->Tooltip(), nullptr);

  graphics->AttachToParentView(nullptr);
  EXPECT_TRUE(graphics->TooltipRects().empty());  // tooltips are off by default
  graphics->EnableTooltips(true);
  upper->SetHidden(true);
  graphics->RefreshTooltips();
  EXPECT_EQ(graphics->TooltipRects(), (std::vector<IRECT>{lower->TargetRect()}));
}

TEST_F(EventRoutingTest, ZeroFramesPerSecondMeansTwentyFive)
{
  EXPECT_EQ(graphics->Fps(), 25);
  IGraphicsHeadless fast(&plug, 10, 10, 60, "");
  EXPECT_EQ(fast.Fps(), 60);
}

TEST_F(EventRoutingTest, PluginSideCallsReachTheControlsOnlyWhenTheUiThreadTakesThemOver)
{
  graphics->PrepareDrawSurfaces();
  graphics->RenderAll();
  graphics->PushParamValue(RecordingPlug::kLevel, 12.0, false);  // plain dB -> 0.75
  graphics->PushParamValue(RecordingPlug::kLevel, 0.6, true);
  graphics->PushParamValue(RecordingPlug::kLevel, 0.25, true);
  graphics->PushParamValue(99, 1.0, false);  // unknown parameter: nothing
  graphics->PushParamValue(99, 1.0, true);
  graphics->GreyParamControls(RecordingPlug::kGain, true);
  graphics->MarkAllDirty();
  EXPECT_DOUBLE_EQ(upper->Value(), 0.0);
  EXPECT_FALSE(lower->IsGreyed());
  EXPECT_FALSE(background->NeedsPaint());

  graphics->ApplyPendingChanges();
  EXPECT_DOUBLE_EQ(upper->DefaultValue(), 0.75);  // the first value, though later ones came before the take-over
  EXPECT_DOUBLE_EQ(upper->Value(), 0.25);
  EXPECT_TRUE(lower->IsGreyed());
  EXPECT_FALSE(upper->IsGreyed());
  EXPECT_TRUE(background->NeedsPaint());
  EXPECT_TRUE(plug.calls.empty());

  // What was taken over is gone: the next take-over repeats nothing.
  lower->SetGreyed(false);
  graphics->RenderAll();
  graphics->ApplyPendingChanges();
  EXPECT_FALSE(lower->IsGreyed());
  EXPECT_FALSE(background->NeedsPaint());
}

TEST_F(EventRoutingTest, ResizeDropsTheControlsAndAsksThePluginForTheSize)
{
  graphics->PrepareDrawSurfaces();
  graphics->PointerDown(20, 20, left);
  graphics->ResizeEditor(300, 150);
  EXPECT_EQ(graphics->ControlCount(), 0);
  EXPECT_EQ(graphics->CaptureIndex(), -1);
  EXPECT_EQ(graphics->DrawSurface()->Width(), 300);
  EXPECT_EQ(graphics->DrawSurface()->Height(), 150);
  EXPECT_EQ(plug.calls.back(), "resize 300 150");
}
}  // namespace
