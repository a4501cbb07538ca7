// The parameter's context menu (the host's with our items in it, or our own) and the
// tooltips, through the bundle's view as a Linux host shows it.
#include "framework/EditorScale.h"
#include "tests/editor/EditorHost.h"
#include "tools/host/Utf16Text.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <future>
#include <iterator>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace EditorTest {
namespace {

constexpr ParamID kMidSatGain = 17;
// Editor pixels: a point on the Mid Sat. Gain knob's image, one on the background, and one
// on the Mid Sat Bypass switch.
constexpr int kKnobX = 155, kKnobY = 230;
constexpr int kBackgroundX = 60, kBackgroundY = 150;
constexpr int kSwitchX = 350, kSwitchY = 220;
// Outside the parent window, which sits at the screen's top-left corner.
constexpr int kOutsideX = 1500, kOutsideY = 700;
constexpr double kTypicalGain = 12.3;
// In our parameter menu's pixels at scale 1: a point on "Set to Default", below the title
// and the separator, in the check-mark gutter where nothing but the row's highlight is drawn.
constexpr int kSetToDefaultX = 10, kSetToDefaultY = 40;
constexpr uint32_t kMenuHighlight = 0x3465A4;

// The user looks at menu windows that the plug-in may destroy at any moment: a BadWindow on
// looking is no fault. Any other error goes to the handler that was there before.
XErrorHandler gPreviousErrorHandler = nullptr;

int IgnoreVanishedWindows(Display* display, XErrorEvent* error)
{
  if (error->error_code == BadWindow || gPreviousErrorHandler == nullptr)
    return 0;
  return gPreviousErrorHandler(display, error);
}

// Windows on the root of a given _NET_WM_WINDOW_TYPE that are mapped, bottom to top.
std::vector<Window> MappedWindowsOfType(Display* display, const char* type)
{
  const Atom typeProperty = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom wanted = XInternAtom(display, type, False);
  std::vector<Window> found;
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  XSync(display, False);
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &up, &children, &count))
    return found;
  for (unsigned int i = 0; i < count; ++i)
  {
    XWindowAttributes attributes{};
    Atom actual = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable ||
        XGetWindowProperty(display, children[i], typeProperty, 0, 1, False, XA_ATOM, &actual, &format, &items, &after,
                           &data) != Success)
      continue;
    if (items == 1 && *reinterpret_cast<const Atom*>(data) == wanted)
      found.push_back(children[i]);
    XFree(data);
  }
  XFree(children);
  return found;
}

struct ScreenRect
{
  int x = 0, y = 0, width = 0, height = 0;

  bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

ScreenRect Geometry(Display* display, Window window)
{
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  return {attributes.x, attributes.y, attributes.width, attributes.height};
}

// The screen's pixels in a rectangle as 0xRRGGBB words, row by row.
std::vector<uint32_t> ScreenPixels(Display* display, const ScreenRect& rect)
{
  std::vector<uint32_t> pixels;
  XImage* image =
    XGetImage(display, DefaultRootWindow(display), rect.x, rect.y, rect.width, rect.height, AllPlanes, ZPixmap);
  if (!image)
    return pixels;
  for (int y = 0; y < rect.height; ++y)
    for (int x = 0; x < rect.width; ++x)
      pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
  XDestroyImage(image);
  return pixels;
}

void PressKeys(Display* display, const std::vector<KeySym>& keys)
{
  for (KeySym key : keys)
  {
    const KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
  }
}

// What the user does while our menus are open: keys for the first menu and, when its choice
// opens a second one, keys for that. Before the keys of the last menu, the user looks at the
// screen in lookAt, or where the first menu was when lookAt is empty.
struct MenuScript
{
  MenuScript(std::vector<KeySym> firstMenuKeys, std::vector<KeySym> secondKeys = {}, ScreenRect look = {})
    : keys(std::move(firstMenuKeys)), secondMenuKeys(std::move(secondKeys)), lookAt(look)
  {
  }

  std::vector<KeySym> keys;
  std::vector<KeySym> secondMenuKeys;
  ScreenRect lookAt;
};

// The user at the screen while our popup menus hold the pointer and the keyboard (the test's
// own thread is inside the plug-in then), on a connection of its own.
struct MenuUser
{
  struct Seen
  {
    bool opened = false;
    ScreenRect first;
    ScreenRect last;
    ScreenRect looked;
    std::vector<uint32_t> look;
  };

  static Seen Operate(MenuScript script)
  {
    Seen seen;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
      return seen;
    const Window first = WaitForMenu(display, 0);
    seen.opened = first != 0;
    if (seen.opened)
    {
      seen.first = seen.last = Geometry(display, first);
      seen.looked = script.lookAt.width > 0 ? script.lookAt : seen.first;
      const bool secondMenu = !script.secondMenuKeys.empty();
      if (secondMenu)
      {
        PressKeys(display, script.keys);
        const Window second = WaitForMenu(display, first);
        seen.opened = second != 0;
        seen.last = Geometry(display, second);
      }
      seen.look = ScreenPixels(display, seen.looked);
      PressKeys(display, secondMenu ? script.secondMenuKeys : script.keys);
    }
    XCloseDisplay(display);
    return seen;
  }

  // The top menu window other than `other`; 0 when none opens within a few seconds.
  static Window WaitForMenu(Display* display, Window other)
  {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline)
    {
      const std::vector<Window> menus = MappedWindowsOfType(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU");
      if (!menus.empty() && menus.back() != other)
        return menus.back();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
  }
};

// The user at our menu with the pointer: points at a place given in the menu's pixels at
// scale 1, mapped to the editor's scale, and clicks there once that row shows highlighted.
struct PointingUser
{
  struct Seen
  {
    ScreenRect menu;
    bool highlightedUnderPointer = false;
  };

  static Seen ClickInMenu(double scale, int x, int y)
  {
    Seen seen;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
      return seen;
    if (const Window menu = MenuUser::WaitForMenu(display, 0))
    {
      seen.menu = Geometry(display, menu);
      const int pointX = seen.menu.x + EditorScale::LayoutToWindow(x, scale);
      const int pointY = seen.menu.y + EditorScale::LayoutToWindow(y, scale);
      XTestFakeMotionEvent(display, -1, pointX, pointY, CurrentTime);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!seen.highlightedUnderPointer && std::chrono::steady_clock::now() < deadline)
      {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        seen.highlightedUnderPointer = ScreenPixels(display, {pointX, pointY, 1, 1}).at(0) == kMenuHighlight;
      }
      XTestFakeButtonEvent(display, Button1, True, CurrentTime);
      XTestFakeButtonEvent(display, Button1, False, CurrentTime);
      XSync(display, False);
    }
    XCloseDisplay(display);
    return seen;
  }
};

class ParamMenuTooltipTest : public EditorHostTest
{
protected:
  // 600 ms at the editor's 25 ticks a second.
  static constexpr int kDelayTicks = 15;

  void SetUp() override
  {
    gPreviousErrorHandler = XSetErrorHandler(&IgnoreVanishedWindows);
    EditorHostTest::SetUp();
    ASSERT_EQ(
      Controller()->setParamNormalized(kMidSatGain, Controller()->plainParamToNormalized(kMidSatGain, kTypicalGain)),
      kResultOk);
  }

  void TearDown() override
  {
    EditorHostTest::TearDown();
    XSetErrorHandler(gPreviousErrorHandler);
  }

  Window FocusWindow() const
  {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
  }

  double DefaultNormalized(ParamID id) const
  {
    ParameterInfo info{};
    for (int32 i = 0; i < Controller()->getParameterCount(); ++i)
      if (Controller()->getParameterInfo(i, info) == kResultOk && info.id == id)
        return info.defaultNormalizedValue;
    return -1.0;
  }

  // "Mid Sat. Gain: 12.3 dB", built from what the host's lists show.
  std::string HostCaption(ParamID id) const
  {
    ParameterInfo info{};
    for (int32 i = 0; i < Controller()->getParameterCount(); ++i)
      if (Controller()->getParameterInfo(i, info) == kResultOk && info.id == id)
        break;
    String128 value{};
    Controller()->getParamStringByValue(id, Controller()->getParamNormalized(id), value);
    return TvHost::Utf16ToUtf8(info.title, 128) + ": " + TvHost::Utf16ToUtf8(value, 128) + " " +
           TvHost::Utf16ToUtf8(info.units, 128);
  }

  // The text of the shown tooltip, empty when none shows.
  std::string Tooltip() const
  {
    const std::vector<Window> shown = MappedWindowsOfType(display, "_NET_WM_WINDOW_TYPE_TOOLTIP");
    if (shown.size() != 1)
      return shown.empty() ? std::string() : "more than one tooltip";
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, shown[0], name, 0, 256, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) == Success &&
        data)
    {
      text.assign(reinterpret_cast<const char*>(data), count);
      XFree(data);
    }
    return text;
  }

  void Steps(int ticks)
  {
    for (int i = 0; i < ticks; ++i)
      frame.Step();
    XSync(display, False);
  }

  // A right press at (x, y) while the user answers our menus; the release follows.
  MenuUser::Seen RightClickIntoOwnMenu(MenuScript script, int x = kKnobX, int y = kKnobY)
  {
    auto user = std::async(std::launch::async, MenuUser::Operate, std::move(script));
    Press(x, y, 3);
    const MenuUser::Seen seen = user.get();
    Release(3);
    return seen;
  }
};

TEST_F(ParamMenuTooltipTest, WithoutAHostMenuOurOwnOpensAtTheClickAndItsItemsWork)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window editorWindow = Children(parent).at(0);
  int clickRootX = 0, clickRootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, parent, DefaultRootWindow(display), kKnobX, kKnobY, &clickRootX, &clickRootY, &child);

  struct Case
  {
    const char* what;
    bool offersHandler3;
    std::vector<KeySym> keys;
    const char* calls;
  };
  // The disabled title is skipped: the first Down lands on "Set to Default".
  const Case cases[] = {
    {"a host without context menus, Set to Default", true, {XK_Down, XK_Return}, "menu:17 begin:17 perform:17 end:17 "},
    {"a host without IComponentHandler3, Set to Default on a value already there",
     false,
     {XK_Down, XK_Return},
     "begin:17 perform:17 end:17 "},
    {"Escape", true, {XK_Escape}, "menu:17 "},
  };
  for (const Case& c : cases)
  {
    handler.offersHandler3 = c.offersHandler3;
    handler.calls.clear();
    const MenuUser::Seen seen = RightClickIntoOwnMenu({c.keys});
    ASSERT_TRUE(seen.opened) << c.what;
    EXPECT_NEAR(seen.first.x, clickRootX, 1) << c.what;
    EXPECT_NEAR(seen.first.y, clickRootY, 5) << c.what;
    EXPECT_EQ(handler.calls, c.calls) << c.what;
    EXPECT_DOUBLE_EQ(Controller()->getParamNormalized(kMidSatGain), DefaultNormalized(kMidSatGain)) << c.what;
    WaitOutDoubleClick();
  }

  // "Type a Value" opens the knob's value field, as a click on its read-out does.
  const Window focusBefore = FocusWindow();
  RightClickIntoOwnMenu({{XK_Down, XK_Down, XK_Return}});
  EXPECT_EQ(FocusWindow(), editorWindow);
  Type("7");
  Key(XK_Return);
  EXPECT_DOUBLE_EQ(PlainValue(kMidSatGain), 7.0);
  EXPECT_EQ(FocusWindow(), focusBefore);
}

// A menu runs modally, so the editor paints nothing while it is open: what a tooltip or an
// earlier menu covered must have been repainted before, where the open menu leaves it visible.
TEST_F(ParamMenuTooltipTest, OurMenusLeaveNoTraceOfWhatClosedBeforeThem)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const std::vector<uint32_t> editor = WindowPixels(Children(parent).at(0));
  MoveTo(kKnobX, kKnobY);
  Steps(kDelayTicks);
  const std::vector<Window> tooltip = MappedWindowsOfType(display, "_NET_WM_WINDOW_TYPE_TOOLTIP");
  ASSERT_EQ(tooltip.size(), 1u);

  struct Case
  {
    const char* what;
    int x, y;
    MenuScript script;
  };
  // "Type a Value" on a switch opens the menu of its values.
  const Case cases[] = {
    {"the tooltip shown at the right click", kKnobX, kKnobY, {{XK_Escape}, {}, Geometry(display, tooltip[0])}},
    {"the parameter menu closed for the value menu", kSwitchX, kSwitchY, {{XK_Down, XK_Down, XK_Return}, {XK_Escape}}},
  };
  for (const Case& c : cases)
  {
    const MenuUser::Seen seen = RightClickIntoOwnMenu(c.script, c.x, c.y);
    ASSERT_TRUE(seen.opened) << c.what;
    const ScreenRect& place = seen.looked;
    ASSERT_EQ(seen.look.size(), static_cast<size_t>(place.width * place.height)) << c.what;
    int stale = 0, compared = 0;
    for (int y = 0; y < place.height; ++y)
      for (int x = 0; x < place.width; ++x)
        if (!seen.last.Contains(place.x + x, place.y + y))
        {
          // The parent and the editor sit at the screen's top-left corner.
          ++compared;
          stale += seen.look[y * place.width + x] != editor.at((place.y + y) * kWidth + place.x + x);
        }
    EXPECT_GT(compared, 0) << c.what;
    EXPECT_EQ(stale, 0) << c.what;
    WaitOutDoubleClick();
  }
}

// At every scale our menu and the tooltip are drawn at the editor's size (their size at 1
// times the scale, within the tenth that the font engine's line heights and rounding take),
// open where they do at 1, and the pointer chooses the menu's items where they are drawn.
TEST_F(ParamMenuTooltipTest, OurMenuAndTooltipGrowWithTheEditorsScale)
{
  constexpr double kLargestHere = 2.0;
  XResizeWindow(display, parent, EditorScale::LayoutToWindow(kWidth, kLargestHere),
                EditorScale::LayoutToWindow(kHeight, kLargestHere));
  ScreenRect menuAt1, tooltipAt1;
  for (double scale : {1.0, 1.5, kLargestHere})
  {
    SCOPED_TRACE(scale);
    ASSERT_EQ(
      Controller()->setParamNormalized(kMidSatGain, Controller()->plainParamToNormalized(kMidSatGain, kTypicalGain)),
      kResultOk);
    view = OpenView(static_cast<float>(scale));
    ASSERT_TRUE(view);
    const int knobX = EditorScale::LayoutToWindow(kKnobX, scale), knobY = EditorScale::LayoutToWindow(kKnobY, scale);
    int knobRootX = 0, knobRootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, parent, DefaultRootWindow(display), knobX, knobY, &knobRootX, &knobRootY, &child);

    MoveTo(knobX, knobY);
    Steps(kDelayTicks);
    const std::vector<Window> tooltips = MappedWindowsOfType(display, "_NET_WM_WINDOW_TYPE_TOOLTIP");
    ASSERT_EQ(tooltips.size(), 1u);
    const ScreenRect tooltip = Geometry(display, tooltips[0]);
    EXPECT_GT(tooltip.y, knobRootY) << "below the knob";

    handler.calls.clear();
    auto user = std::async(std::launch::async, PointingUser::ClickInMenu, scale, kSetToDefaultX, kSetToDefaultY);
    Press(knobX, knobY, 3);
    const PointingUser::Seen seen = user.get();
    Release(3);
    EXPECT_TRUE(seen.highlightedUnderPointer);
    EXPECT_EQ(handler.calls, "menu:17 begin:17 perform:17 end:17 ");
    EXPECT_DOUBLE_EQ(Controller()->getParamNormalized(kMidSatGain), DefaultNormalized(kMidSatGain));
    EXPECT_NEAR(seen.menu.x, knobRootX, 1);
    EXPECT_NEAR(seen.menu.y, knobRootY, EditorScale::LayoutToWindow(5, scale));

    if (scale == 1.0)
    {
      menuAt1 = seen.menu;
      tooltipAt1 = tooltip;
    }
    for (const auto& [shown, at1] : {std::pair(seen.menu, menuAt1), std::pair(tooltip, tooltipAt1)})
    {
      EXPECT_NEAR(shown.width, scale * at1.width, 0.1 * scale * at1.width);
      EXPECT_NEAR(shown.height, scale * at1.height, 0.1 * scale * at1.height);
    }
    if (scale == kLargestHere)
    {
      EXPECT_EQ(seen.menu.height, 2 * menuAt1.height) << "at 2 rows and borders are whole pixels";
    }
    ASSERT_EQ(view->removed(), kResultOk);
    view = nullptr;
    WaitOutDoubleClick();
  }
}

TEST_F(ParamMenuTooltipTest, AHostMenuGetsOurItemsAndTheirTargetCarriesThemOut)
{
  handler.offersMenu = true;
  view = OpenView();
  ASSERT_TRUE(view);
  const Window editorWindow = Children(parent).at(0);
  RecordingContextMenu& menu = handler.menu;

  Click(kKnobX, kKnobY, 3);
  EXPECT_EQ(handler.calls, "menu:17 ");
  ASSERT_EQ(menu.popups.size(), 1u);
  EXPECT_EQ(menu.popups[0], (std::pair<UCoord, UCoord>{kKnobX, kKnobY}));
  EXPECT_EQ(menu.BorrowedReferences(), 0u) << "the plug-in releases the menu";
  EXPECT_TRUE(MappedWindowsOfType(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU").empty());

  struct Expected
  {
    std::string name;
    int32 flags;
    bool hasTarget;
  };
  const Expected expected[] = {
    {RecordingContextMenu::kHostItem, 0, false},
    {"", IContextMenuItem::kIsSeparator, false},
    {"Mid Sat. Gain: 12.3 dB", IContextMenuItem::kIsDisabled, false},
    {"Set to Default", 0, true},
    {"Type a Value\u2026", 0, true},
  };
  ASSERT_EQ(menu.entries.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i)
  {
    EXPECT_EQ(menu.entries[i].name, expected[i].name) << i;
    EXPECT_EQ(menu.entries[i].flags, expected[i].flags) << i;
    EXPECT_EQ(menu.entries[i].target != nullptr, expected[i].hasTarget) << i;
  }
  const RecordingContextMenu::Entry setToDefault = menu.entries[3];
  const RecordingContextMenu::Entry typeValue = menu.entries[4];
  ASSERT_EQ(setToDefault.target, typeValue.target);
  // Held by the two entries and the two copies here: the plug-in kept none of its own.
  EXPECT_EQ(setToDefault.target->addRef(), 5u);
  setToDefault.target->release();

  // The host executes our items after its popup has returned.
  handler.calls.clear();
  EXPECT_EQ(setToDefault.target->executeMenuItem(setToDefault.tag), kResultTrue);
  EXPECT_EQ(handler.calls, "begin:17 perform:17 end:17 ");
  EXPECT_DOUBLE_EQ(Controller()->getParamNormalized(kMidSatGain), DefaultNormalized(kMidSatGain));
  EXPECT_EQ(setToDefault.target->executeMenuItem(12345), kInvalidArgument);

  EXPECT_EQ(typeValue.target->executeMenuItem(typeValue.tag), kResultTrue);
  Pump(20);
  EXPECT_EQ(FocusWindow(), editorWindow);
  Type("5");
  Key(XK_Return);
  EXPECT_DOUBLE_EQ(PlainValue(kMidSatGain), 5.0);
  menu.Clear();
}

TEST_F(ParamMenuTooltipTest, ATooltipAppearsAfterTheDelayFollowsADragAndHides)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window focusBefore = FocusWindow();

  // Moving the pointer may let a tick or two pass.
  MoveTo(kBackgroundX, kBackgroundY);
  MoveTo(kKnobX, kKnobY);
  Steps(kDelayTicks - 5);
  EXPECT_EQ(Tooltip(), "") << "before the delay";
  Steps(5);
  EXPECT_EQ(Tooltip(), "Mid Sat. Gain: 12.3 dB");
  EXPECT_EQ(FocusWindow(), focusBefore) << "the tooltip never takes the focus";
  const std::vector<Window> tooltip = MappedWindowsOfType(display, "_NET_WM_WINDOW_TYPE_TOOLTIP");
  ASSERT_EQ(tooltip.size(), 1u);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, tooltip[0], &attributes);
  EXPECT_TRUE(attributes.override_redirect);
  EXPECT_GT(attributes.y, kKnobY) << "below the knob";
  EXPECT_LT(attributes.y, kKnobY + 100) << "near the knob";

  struct Case
  {
    const char* what;
    std::function<void()> act;
    bool shows;
  };
  const Case cases[] = {
    {"a drag shows the live value",
     [&] {
       Press(kKnobX, kKnobY);
       MoveTo(kKnobX, kKnobY - 30);
     },
     true},
    {"it goes on following the drag", [&] { MoveTo(kKnobX, kKnobY - 60); }, true},
    {"the release leaves it", [&] { Release(); }, true},
    {"leaving the window hides it", [&] { MoveTo(kOutsideX, kOutsideY); }, false},
    {"the wheel shows it at once",
     [&] {
       MoveTo(kKnobX, kKnobY);
       Click(kKnobX, kKnobY, 5);
     },
     true},
    {"a click elsewhere hides it", [&] { Click(kSwitchX, kSwitchY); }, false},
  };
  for (const Case& c : cases)
  {
    c.act();
    EXPECT_EQ(Tooltip(), c.shows ? HostCaption(kMidSatGain) : "") << c.what;
  }
  EXPECT_NE(PlainValue(kMidSatGain), kTypicalGain);

  // Closing the view takes the tooltip with it.
  MoveTo(kKnobX, kKnobY);
  Click(kKnobX, kKnobY, 4);
  ASSERT_NE(Tooltip(), "");
  ASSERT_EQ(view->removed(), kResultOk);
  view = nullptr;
  EXPECT_EQ(Tooltip(), "");
}

}  // namespace
}  // namespace EditorTest
