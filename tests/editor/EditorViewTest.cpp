// The editor as a Linux host shows it: the bundle's view attached to a window of the test's
// own on an X server, served by the frame's run loop, used with synthetic input.
#include "tests/editor/EditorHost.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace EditorTest {
namespace {

constexpr ParamID kMultiband = 41;
constexpr ParamID kHighLevel = 39;
constexpr ParamID kMidSatGain = 17;
constexpr ParamID kMidSatBypass = 12;

// Editor pixels of some controls: the top-left corner of the Mid Sat Bypass switch, a point
// inside the Multiband switch, the Mid Sat. Gain knob and read-out, the High Level read-out,
// and the High Sat Bypass switch, which single-band mode greys.
constexpr int kMidBypassX = 345, kMidBypassY = 215;
constexpr int kMultibandX = 50, kMultibandY = 50;
constexpr int kMidGainX = 155, kMidGainY = 230, kMidGainReadoutY = 270;
constexpr int kHighLevelReadoutX = 975, kHighLevelReadoutY = 105;
constexpr int kHighBypassX = 360, kHighBypassY = 75;

class EditorViewTest : public EditorHostTest
{
protected:
  Window FocusWindow() const
  {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
  }
};

TEST_F(EditorViewTest, TheEmbeddedWindowShowsTheEditorPixelForPixel)
{
  IPtr<IPlugView> sizeOnly(Controller()->createView(ViewType::kEditor), false);
  ViewRect size;
  ASSERT_EQ(sizeOnly->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), kWidth);
  EXPECT_EQ(size.getHeight(), kHeight);

  view = OpenView();
  ASSERT_TRUE(view);
  const std::vector<Window> children = Children(parent);
  ASSERT_EQ(children.size(), 1u);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, children[0], &attributes);
  EXPECT_EQ(attributes.map_state, IsViewable);

  // Hosts that embed through XEmbed map the client by this flag.
  const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display, children[0], info, 0, 2, False, info, &type, &format, &count, &after, &data),
            Success);
  ASSERT_EQ(count, 2u);
  const long* words = reinterpret_cast<const long*>(data);
  EXPECT_EQ(words[0], 0);
  EXPECT_EQ(words[1], 1);
  XFree(data);

  const std::vector<uint32_t> expected = ReferenceEditor();
  ASSERT_EQ(expected.size(), static_cast<size_t>(kWidth * kHeight));
  EXPECT_TRUE(WindowPixels(children[0]) == expected);

  // An embedder's "embedded" and "focus in" messages leave the keyboard where it was.
  const Window focusBefore = FocusWindow();
  const Atom xembed = XInternAtom(display, "_XEMBED", False);
  for (long message : {0L /* embedded notify */, 1L /* window activate */, 4L /* focus in */})
  {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = children[0];
    event.xclient.message_type = xembed;
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = message;
    event.xclient.data.l[3] = static_cast<long>(parent);
    XSendEvent(display, children[0], False, NoEventMask, &event);
  }
  Pump();
  EXPECT_EQ(FocusWindow(), focusBefore);
}

TEST_F(EditorViewTest, AChangeTheHostTellsTheControllerShowsInTheOpenEditor)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window window = Children(parent).at(0);
  const std::vector<uint32_t> before = WindowPixels(window);
  ASSERT_EQ(Controller()->setParamNormalized(kMidSatGain, 0.9), kResultOk);
  Pump();
  EXPECT_FALSE(WindowPixels(window) == before);
}

TEST_F(EditorViewTest, PointerEditsReachTheHostAtThePixelUnderThePointer)
{
  handler.offersMenu = true;
  view = OpenView();
  ASSERT_TRUE(view);

  struct Case
  {
    const char* what;
    int x, y;
    unsigned int button;
    const char* calls;
  };
  const Case cases[] = {
    {"a click on a switch's top-left pixel", kMidBypassX, kMidBypassY, 1, "begin:12 perform:12 end:12 "},
    {"a click just outside it", kMidBypassX - 1, kMidBypassY - 1, 1, ""},
    {"a right click on a knob", kMidGainX, kMidGainY, 3, "menu:17 "},
    {"a right click on a switch", kMidBypassX + 5, kMidBypassY + 5, 3, "menu:12 "},
  };
  for (const Case& c : cases)
  {
    handler.calls.clear();
    Click(c.x, c.y, c.button);
    EXPECT_EQ(handler.calls, c.calls) << c.what;
    WaitOutDoubleClick();
  }
  EXPECT_EQ(PlainValue(kMidSatBypass), 0.0);
}

TEST_F(EditorViewTest, DragWheelAndDoubleClickMoveAKnobAndRestoreItsDefault)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const double initial = PlainValue(kMidSatGain);

  handler.calls.clear();
  Press(kMidGainX, kMidGainY);
  MoveTo(kMidGainX, kMidGainY - 40);
  Release();
  EXPECT_EQ(handler.calls, "begin:17 perform:17 end:17 ");
  const double dragged = PlainValue(kMidSatGain);
  EXPECT_GT(dragged, initial);
  WaitOutDoubleClick();

  Click(kMidGainX, kMidGainY, 5);
  const double wheeledDown = PlainValue(kMidSatGain);
  EXPECT_LT(wheeledDown, dragged);
  Click(kMidGainX, kMidGainY, 4);
  EXPECT_DOUBLE_EQ(PlainValue(kMidSatGain), dragged);
  WaitOutDoubleClick();

  Click(kMidGainX, kMidGainY);
  Click(kMidGainX + 2, kMidGainY + 2);
  EXPECT_DOUBLE_EQ(PlainValue(kMidSatGain), initial);
}

TEST_F(EditorViewTest, TypedValuesAreFilteredAppliedOrDropped)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window editorWindow = Children(parent).at(0);
  const Window focusBefore = FocusWindow();

  struct Case
  {
    const char* what;
    int x, y;
    const char* typed;
    unsigned long finish;
    ParamID id;
    double expected;
  };
  const Case cases[] = {
    {"a level typed and confirmed", kHighLevelReadoutX, kHighLevelReadoutY, "-12.5", XK_Return, kHighLevel, -12.5},
    {"an exponent refused at the e", kMidGainX, kMidGainReadoutY, "1e3", XK_Return, kMidSatGain, 13.0},
    {"a value dropped with Escape", kMidGainX, kMidGainReadoutY, "5", XK_Escape, kMidSatGain, 13.0},
  };
  for (const Case& c : cases)
  {
    Click(c.x, c.y);
    EXPECT_EQ(FocusWindow(), editorWindow) << c.what << ": an open field takes the keyboard";
    Type(c.typed);
    Key(c.finish);
    EXPECT_DOUBLE_EQ(PlainValue(c.id), c.expected) << c.what;
    EXPECT_EQ(FocusWindow(), focusBefore) << c.what << ": the keyboard goes back";
    WaitOutDoubleClick();
  }

  // A click elsewhere confirms the text too.
  Click(kHighLevelReadoutX, kHighLevelReadoutY);
  Type("3");
  Click(kMidBypassX + 5, kMidBypassY + 5);
  EXPECT_DOUBLE_EQ(PlainValue(kHighLevel), 3.0);
}

TEST_F(EditorViewTest, SingleBandModeGreysTheOuterBandsAndTheyIgnoreThePointer)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window editorWindow = Children(parent).at(0);
  const std::vector<uint32_t> before = WindowPixels(editorWindow);

  Click(kMultibandX, kMultibandY);
  EXPECT_EQ(PlainValue(kMultiband), 0.0);
  Pump();
  const std::vector<uint32_t> after = WindowPixels(editorWindow);
  auto pixel = [](const std::vector<uint32_t>& pixels, int x, int y) { return pixels.at(y * kWidth + x); };
  EXPECT_NE(pixel(before, kHighBypassX, kHighBypassY), pixel(after, kHighBypassX, kHighBypassY));
  EXPECT_EQ(pixel(before, kMidGainX, kMidGainY), pixel(after, kMidGainX, kMidGainY));

  WaitOutDoubleClick();
  handler.calls.clear();
  Click(kHighBypassX, kHighBypassY);
  EXPECT_EQ(handler.calls, "");
  Click(kMidBypassX + 5, kMidBypassY + 5);
  EXPECT_EQ(handler.calls, "begin:12 perform:12 end:12 ");
}

TEST_F(EditorViewTest, ClosingLeavesNoWindowTimerOrHandlerAndReopeningWorks)
{
  for (int cycle = 0; cycle < 20; ++cycle)
  {
    view = OpenView();
    ASSERT_TRUE(view) << "cycle " << cycle;
    ASSERT_EQ(Children(parent).size(), 1u) << "cycle " << cycle;
    ASSERT_EQ(view->removed(), kResultOk);
    view = nullptr;
    XSync(display, False);
    ASSERT_TRUE(Children(parent).empty()) << "cycle " << cycle;
    ASSERT_EQ(frame.HandlerCount() + frame.TimerCount(), 0u) << "cycle " << cycle;
  }
  EXPECT_EQ(frame.BorrowedReferences(), 0u);

  view = OpenView();
  ASSERT_TRUE(view);
  handler.calls.clear();
  Click(kMidBypassX + 5, kMidBypassY + 5);
  EXPECT_EQ(handler.calls, "begin:12 perform:12 end:12 ");
}

TEST_F(EditorViewTest, TwoViewsShowTheOneEditorAndOutliveEachOther)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window firstParent = parent;
  parent = CreateParent(kWidth, kHeight);
  IPtr<IPlugView> second = OpenView();
  ASSERT_TRUE(second);
  const Window firstWindow = Children(firstParent).at(0);
  const Window secondWindow = Children(parent).at(0);

  // A click in the second view shows in both.
  Click(kMultibandX, kMultibandY);
  EXPECT_EQ(PlainValue(kMultiband), 0.0);
  Pump();
  EXPECT_TRUE(WindowPixels(firstWindow) == WindowPixels(secondWindow));

  ASSERT_EQ(view->removed(), kResultOk);
  view = nullptr;
  EXPECT_TRUE(Children(firstParent).empty());
  WaitOutDoubleClick();
  handler.calls.clear();
  Click(kMidBypassX + 5, kMidBypassY + 5);
  EXPECT_EQ(handler.calls, "begin:12 perform:12 end:12 ");
  EXPECT_EQ(second->removed(), kResultOk);
}

TEST_F(EditorViewTest, EditorsOfTwoInstancesOpenAtOnceEachEditTheirOwn)
{
  view = OpenView();
  ASSERT_TRUE(view);
  std::string error;
  auto other = TvHost::PluginInstance::Create(module, &host, error);
  ASSERT_TRUE(other) << error;
  RecordingHandler otherHandler;
  ASSERT_EQ(other->Controller()->setComponentHandler(&otherHandler), kResultOk);
  parent = CreateParent(kWidth, kHeight);
  IPtr<IPlugView> otherView(other->Controller()->createView(ViewType::kEditor), false);
  otherView->setFrame(&frame);
  ASSERT_EQ(otherView->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID), kResultOk);
  Pump();

  handler.calls.clear();
  Click(kMultibandX, kMultibandY);
  EXPECT_EQ(otherHandler.calls, "begin:41 perform:41 end:41 ");
  EXPECT_EQ(handler.calls, "");
  EXPECT_EQ(PlainValue(kMultiband), 1.0);

  EXPECT_EQ(otherView->removed(), kResultOk);
  otherView = nullptr;
  other->Controller()->setComponentHandler(nullptr);
}

TEST_F(EditorViewTest, HostsWithoutARunLoopGetNoEditorAndTimerOnlyHostsAWorkingOne)
{
  TvHost::EditorFrame noLoop(false);
  IPtr<IPlugView> refused(Controller()->createView(ViewType::kEditor), false);
  refused->setFrame(&noLoop);
  EXPECT_EQ(refused->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID), kResultFalse);
  XSync(display, False);
  EXPECT_TRUE(Children(parent).empty());
  EXPECT_EQ(refused->attached(reinterpret_cast<void*>(parent), "HWND"), kResultFalse);

  frame.SetCallsDescriptorHandlers(false);
  view = OpenView();
  ASSERT_TRUE(view);
  handler.calls.clear();
  Click(kMidBypassX + 5, kMidBypassY + 5);
  EXPECT_EQ(handler.calls, "begin:12 perform:12 end:12 ");
}

}  // namespace
}  // namespace EditorTest
