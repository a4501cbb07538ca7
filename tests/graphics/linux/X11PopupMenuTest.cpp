// GoogleTest first: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "graphics/linux/PopupMenuView.h"
#include "graphics/linux/X11PopupMenu.h"
#include "graphics/lice/LICE_MemBitmap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace {
using namespace std::chrono_literals;

// Where the menus open: the pointer starts away from it, as after a right click.
constexpr int kMenuX = 200;
constexpr int kMenuY = 150;
constexpr std::chrono::milliseconds kPatience = 5s;
// How long the menu gets to react to something it must ignore.
constexpr std::chrono::milliseconds kReaction = 500ms;

// Xvfb resets itself when its last client leaves and refuses connections meanwhile; this one
// stays open for the whole program so that each test's connections find the server ready.
Display* const gServerKeeper = XOpenDisplay(nullptr);

// The user looks at windows the menu may destroy at any moment: a BadWindow on the user's
// connection is part of looking. Any other X error is a fault, counted here; Xlib's default
// handler would end the test program instead.
Display* gUserDisplay = nullptr;
int gUnexpectedErrors = 0;

int CountUnexpectedError(Display* display, XErrorEvent* error)
{
  if (display != gUserDisplay || error->error_code != BadWindow)
    ++gUnexpectedErrors;
  return 0;
}

struct Box
{
  Window window;
  int x, y, width, height;
};

// The user: a second connection to the server that moves the pointer and presses buttons
// and keys through XTest, and looks at the screen the way any other client could.
class User
{
public:
  User() : mDisplay(XOpenDisplay(nullptr)) {}
  ~User()
  {
    if (mDisplay)
      XCloseDisplay(mDisplay);
  }
  User(const User&) = delete;
  User& operator=(const User&) = delete;

  Display* Connection() const { return mDisplay; }

  // Mapped override-redirect windows on the root, bottom to top.
  std::vector<Box> MenuWindows() const
  {
    XSync(mDisplay, False);
    std::vector<Box> boxes;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i)
    {
      XWindowAttributes a{};
      if (XGetWindowAttributes(mDisplay, children[i], &a) && a.override_redirect && a.map_state == IsViewable)
        boxes.push_back({children[i], a.x, a.y, a.width, a.height});
    }
    if (children)
      XFree(children);
    return boxes;
  }

  // Whether another client holds the pointer and the keyboard, found by trying to grab them.
  bool GrabbedElsewhere() const
  {
    const Window root = DefaultRootWindow(mDisplay);
    const int pointer =
      XGrabPointer(mDisplay, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (pointer == GrabSuccess)
      XUngrabPointer(mDisplay, CurrentTime);
    const int keyboard = XGrabKeyboard(mDisplay, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (keyboard == GrabSuccess)
      XUngrabKeyboard(mDisplay, CurrentTime);
    XSync(mDisplay, False);
    return pointer == AlreadyGrabbed && keyboard == AlreadyGrabbed;
  }

  bool NothingGrabbed() const
  {
    const Window root = DefaultRootWindow(mDisplay);
    const int pointer =
      XGrabPointer(mDisplay, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    const int keyboard = XGrabKeyboard(mDisplay, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    XUngrabPointer(mDisplay, CurrentTime);
    XUngrabKeyboard(mDisplay, CurrentTime);
    XSync(mDisplay, False);
    return pointer == GrabSuccess && keyboard == GrabSuccess;
  }

  bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds patience = kPatience) const
  {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline)
    {
      if (condition())
        return true;
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }

  // Waits until `levels` menu windows are shown and the menu holds pointer and keyboard.
  bool WaitForMenus(size_t levels) const
  {
    return WaitUntil([&] { return MenuWindows().size() == levels && GrabbedElsewhere(); });
  }

  // The window's pixels as 0xRRGGBB, empty when it cannot be read.
  std::vector<unsigned long> Pixels(const Box& box) const
  {
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(mDisplay, box.window, 0, 0, box.width, box.height, AllPlanes, ZPixmap);
    if (!image)
      return pixels;
    for (int y = 0; y < box.height; ++y)
      for (int x = 0; x < box.width; ++x)
        pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
  }

  void MoveTo(int x, int y) const
  {
    XTestFakeMotionEvent(mDisplay, -1, x, y, CurrentTime);
    XSync(mDisplay, False);
  }

  void Button(bool down) const
  {
    XTestFakeButtonEvent(mDisplay, Button1, down, CurrentTime);
    XSync(mDisplay, False);
  }

  void Click() const
  {
    Button(true);
    Button(false);
  }

  void Press(KeySym key) const
  {
    const KeyCode code = XKeysymToKeycode(mDisplay, key);
    XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
    XSync(mDisplay, False);
  }

private:
  Display* mDisplay;
};

// The menu of every case: a checked item, a separator, a disabled item, a submenu and a
// title, numbered with two digits.
struct TestMenu
{
  IPopupMenu main{IPopupMenu::kPrefixTwoDigits};
  IPopupMenu* sub = new IPopupMenu();

  TestMenu()
  {
    main.AddItem("Alpha");
    main.AddItem("Beta", IPopupMenu::kChecked);
    main.AddItem("", IPopupMenu::kSeparator);
    main.AddItem("Gamma", IPopupMenu::kDisabled);
    main.AddItem(new IPopupMenu::Item("More", 0, sub));
    main.AddItem("Heading", IPopupMenu::kTitle);
    sub->AddItem("One");
    sub->AddItem("Two");
  }

  IPopupMenu& Level(int level) { return level == 0 ? main : *sub; }
};

enum Item
{
  kAlpha = 0,
  kBeta = 1,
  kSeparator = 2,
  kGamma = 3,
  kMore = 4,
  kHeading = 5,
  kOne = 0,
  kTwo = 1
};

// One thing the user does; levels count from the first menu (0) to its submenu (1).
struct Action
{
  enum Kind
  {
    kHover,
    kClick,
    kKey,
    kClickOutside
  } kind;
  int level = 0;
  int item = 0;
  KeySym key = NoSymbol;
};

Action Hover(int level, int item)
{
  return {Action::kHover, level, item};
}
Action ClickOn(int level, int item)
{
  return {Action::kClick, level, item};
}
Action Key(KeySym key)
{
  return {Action::kKey, 0, 0, key};
}
Action ClickOutside()
{
  return {Action::kClickOutside};
}

class X11PopupMenuTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    if (!menuDisplay || !user.Connection())
      GTEST_SKIP() << "no X display: run under xvfb-run -a (Debian packages xvfb, xauth)";
    int event, error, major, minor;
    if (!XTestQueryExtension(user.Connection(), &event, &error, &major, &minor))
      GTEST_SKIP() << "the X server offers no XTEST extension";
    gUserDisplay = user.Connection();
    gUnexpectedErrors = 0;
    XSetErrorHandler(CountUnexpectedError);
    user.MoveTo(kMenuX - 100, kMenuY - 100);
  }

  void TearDown() override
  {
    if (menuDisplay)
    {
      XSync(menuDisplay, False);
      XCloseDisplay(menuDisplay);
    }
    EXPECT_EQ(gUnexpectedErrors, 0);
    XSetErrorHandler(nullptr);
  }

  // Runs the menu on this thread while the user acts on another. A menu still open once
  // the user is done fails the case and is closed with Escape, so a fault cannot hang the test.
  IPopupMenu* RunWhile(TestMenu& menu, const std::vector<Action>& actions, const char* name)
  {
    auto acting = std::async(std::launch::async, [&] {
      const bool acted = Act(menu, actions);
      const bool closed = user.WaitUntil([&] { return user.MenuWindows().empty(); });
      if (!closed)
        user.Press(XK_Escape);
      return std::make_pair(acted, closed);
    });
    IPopupMenu* chosen = X11PopupMenu::Run(menuDisplay, kMenuX, kMenuY, menu.main, 1.0);
    const auto [acted, closed] = acting.get();
    EXPECT_TRUE(acted) << name << ": a menu level did not appear";
    EXPECT_TRUE(closed) << name << ": the menu stayed open";
    return chosen;
  }

  bool Act(TestMenu& menu, const std::vector<Action>& actions)
  {
    if (!user.WaitForMenus(1))
      return false;
    for (const Action& action : actions)
    {
      if (action.kind == Action::kKey)
      {
        user.Press(action.key);
        continue;
      }
      if (action.kind == Action::kClickOutside)
      {
        user.MoveTo(kMenuX - 50, kMenuY - 50);
        user.Click();
        continue;
      }
      if (!user.WaitForMenus(static_cast<size_t>(action.level) + 1))
        return false;
      const Box box = user.MenuWindows()[action.level];
      // The user's own copy of the layout; built here, it touches no state of the menu's thread.
      const IRECT row = PopupMenuView(menu.Level(action.level), 1.0).ItemRect(action.item);
      user.MoveTo(box.x + (row.L + row.R) / 2, box.y + (row.T + row.B) / 2);
      if (action.kind == Action::kClick)
        user.Click();
    }
    return true;
  }

  Display* menuDisplay = XOpenDisplay(nullptr);
  User user;
};

TEST_F(X11PopupMenuTest, ChoicesByPointerAndKeyboardReturnTheMenuThatHoldsTheItem)
{
  struct Case
  {
    const char* name;
    std::vector<Action> actions;
    int level;  // of the returned menu; -1: nothing chosen
    int index;
  };
  const Case cases[] = {
    {"click", {ClickOn(0, kBeta)}, 0, kBeta},
    {"keyboard", {Key(XK_Down), Key(XK_Down), Key(XK_Return)}, 0, kBeta},
    {"keys pass separators and disabled items",
     {Key(XK_Down), Key(XK_Down), Key(XK_Down), Key(XK_Down), Key(XK_KP_Enter)},
     0,
     kHeading},
    {"up from nothing starts at the end", {Key(XK_Up), Key(XK_Up), Key(XK_Up), Key(XK_Return)}, 0, kBeta},
    {"hover opens the submenu, click chooses in it", {Hover(0, kMore), ClickOn(1, kTwo)}, 1, kTwo},
    {"right opens the submenu", {Key(XK_Up), Key(XK_Up), Key(XK_Right), Key(XK_Down), Key(XK_Return)}, 1, kTwo},
    {"left closes the submenu",
     {Key(XK_Up), Key(XK_Up), Key(XK_Right), Key(XK_Left), Key(XK_Up), Key(XK_Return)},
     0,
     kBeta},
    {"disabled items, separators and submenu items do not end the menu",
     {ClickOn(0, kGamma), ClickOn(0, kSeparator), ClickOn(0, kMore), Key(XK_Escape)},
     -1,
     -1},
    {"escape", {Key(XK_Down), Key(XK_Escape)}, -1, -1},
    {"escape inside a submenu", {Hover(0, kMore), Hover(1, kOne), Key(XK_Escape)}, -1, -1},
    {"click outside", {Hover(0, kAlpha), ClickOutside()}, -1, -1},
  };
  for (const Case& c : cases)
  {
    TestMenu menu;
    IPopupMenu* chosen = RunWhile(menu, c.actions, c.name);
    if (c.level < 0)
    {
      EXPECT_EQ(chosen, nullptr) << c.name;
    }
    else
    {
      EXPECT_EQ(chosen, &menu.Level(c.level)) << c.name;
      EXPECT_EQ(menu.Level(c.level).ChosenItemIndex(), c.index) << c.name;
    }
    EXPECT_EQ(menu.Level(1 - std::max(c.level, 0)).ChosenItemIndex(), -1) << c.name;
    // Nothing of the menu outlives the call: no window, no grab.
    EXPECT_TRUE(user.MenuWindows().empty()) << c.name;
    EXPECT_TRUE(user.NothingGrabbed()) << c.name;
  }
}

TEST_F(X11PopupMenuTest, TheWindowShowsTheMenuAsItsViewDrawsIt)
{
  TestMenu menu;
  const PopupMenuView view(menu.main, 1.0);
  LICE_MemBitmap drawn(view.Width(), view.Height());
  view.Draw(drawn, kBeta);  // the highlight is the one colour that tells red from blue
  std::vector<unsigned long> expected;
  for (int y = 0; y < view.Height(); ++y)
    for (int x = 0; x < view.Width(); ++x)
    {
      const LICE_pixel p = drawn.Bits()[y * drawn.RowSpan() + x];
      expected.push_back(static_cast<unsigned long>(LICE_GETR(p) << 16 | LICE_GETG(p) << 8 | LICE_GETB(p)));
    }

  auto shown = std::async(std::launch::async, [&] {
    std::vector<unsigned long> pixels;
    if (user.WaitForMenus(1))
    {
      user.Press(XK_Down);
      user.Press(XK_Down);
      const Box box = user.MenuWindows().front();
      user.WaitUntil([&] { return (pixels = user.Pixels(box)) == expected; });
    }
    user.Press(XK_Escape);
    return pixels;
  });
  EXPECT_EQ(X11PopupMenu::Run(menuDisplay, kMenuX, kMenuY, menu.main, 1.0), nullptr);
  const std::vector<unsigned long> pixels = shown.get();
  ASSERT_EQ(pixels.size(), expected.size());
  size_t mismatches = 0;
  for (size_t i = 0; i < pixels.size(); ++i)
    mismatches += pixels[i] != expected[i];
  EXPECT_EQ(mismatches, 0u);
}

TEST_F(X11PopupMenuTest, ReleasingThePressThatOpenedTheMenuChoosesNothing)
{
  // A menu opened by a press may appear under the pointer (moved to stay on the screen).
  TestMenu menu;
  const IRECT row = PopupMenuView(menu.main, 1.0).ItemRect(kAlpha);
  user.MoveTo(kMenuX + row.L + 10, kMenuY + row.T + 5);
  user.Button(true);
  auto releasing = std::async(std::launch::async, [&] {
    const bool shown = user.WaitForMenus(1);
    user.Button(false);
    const bool stayed = !user.WaitUntil([&] { return user.MenuWindows().empty(); }, kReaction);
    user.Press(XK_Escape);
    return shown && stayed;
  });
  EXPECT_EQ(X11PopupMenu::Run(menuDisplay, kMenuX, kMenuY, menu.main, 1.0), nullptr);
  EXPECT_TRUE(releasing.get());
}

TEST_F(X11PopupMenuTest, MenusThatCannotOpenReturnNullAndLeaveNothing)
{
  IPopupMenu empty;
  EXPECT_EQ(X11PopupMenu::Run(menuDisplay, kMenuX, kMenuY, empty, 1.0), nullptr);
  EXPECT_TRUE(user.MenuWindows().empty());

  // Another client (a host) holds the pointer and never lets go: the menu gives up.
  const Window root = DefaultRootWindow(user.Connection());
  ASSERT_EQ(XGrabPointer(user.Connection(), root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None,
                         CurrentTime),
            GrabSuccess);
  XSync(user.Connection(), False);
  TestMenu menu;
  EXPECT_EQ(X11PopupMenu::Run(menuDisplay, kMenuX, kMenuY, menu.main, 1.0), nullptr);
  EXPECT_TRUE(user.MenuWindows().empty());
  XUngrabPointer(user.Connection(), CurrentTime);
  XSync(menuDisplay, False);
  EXPECT_TRUE(user.NothingGrabbed());
}

TEST_F(X11PopupMenuTest, MenusAndSubmenusStayOnTheScreen)
{
  Display* display = user.Connection();
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  TestMenu menu;
  auto placed = std::async(std::launch::async, [&] {
    std::vector<Box> boxes;
    if (user.WaitForMenus(1))
    {
      const Box first = user.MenuWindows().front();
      const IRECT row = PopupMenuView(menu.main, 1.0).ItemRect(kMore);
      user.MoveTo(first.x + (row.L + row.R) / 2, first.y + (row.T + row.B) / 2);
      if (user.WaitForMenus(2))
        boxes = user.MenuWindows();
    }
    user.Press(XK_Escape);
    return boxes;
  });
  // Opened at the bottom-right corner, where it fits neither to the right nor below.
  EXPECT_EQ(X11PopupMenu::Run(menuDisplay, screenWidth - 5, screenHeight - 5, menu.main, 1.0), nullptr);
  const std::vector<Box> boxes = placed.get();
  ASSERT_EQ(boxes.size(), 2u);
  for (const Box& box : boxes)
  {
    EXPECT_GE(box.x, 0);
    EXPECT_GE(box.y, 0);
    EXPECT_LE(box.x + box.width, screenWidth);
    EXPECT_LE(box.y + box.height, screenHeight);
  }
  // The first level ends where it was asked to open; the submenu opens to its left.
  EXPECT_EQ(boxes[0].x + boxes[0].width, screenWidth - 5);
  EXPECT_LT(boxes[1].x, boxes[0].x);
}
}  // namespace
