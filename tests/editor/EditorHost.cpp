#include "tests/editor/EditorHost.h"

#include "graphics/linux/X11Display.h"
#include "tools/host/Utf16Text.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace EditorTest {

tresult PLUGIN_API RecordingHandler::beginEdit(ParamID id)
{
  calls += "begin:" + std::to_string(id) + " ";
  return kResultOk;
}

tresult PLUGIN_API RecordingHandler::performEdit(ParamID id, ParamValue)
{
  // Drags send many; one entry per run of them keeps the record readable.
  const std::string entry = "perform:" + std::to_string(id) + " ";
  if (calls.size() < entry.size() || calls.compare(calls.size() - entry.size(), entry.size(), entry) != 0)
    calls += entry;
  return kResultOk;
}

tresult PLUGIN_API RecordingHandler::endEdit(ParamID id)
{
  calls += "end:" + std::to_string(id) + " ";
  return kResultOk;
}

tresult PLUGIN_API RecordingContextMenu::getItem(int32 index, Item& item, IContextMenuTarget** target)
{
  if (index < 0 || index >= getItemCount())
    return kInvalidArgument;
  const Entry& entry = entries[index];
  item = Item{};
  TvHost::Utf8ToUtf16(entry.name, item.name, 128);
  item.tag = entry.tag;
  item.flags = entry.flags;
  if (target)
  {
    *target = entry.target;
    if (*target)
      (*target)->addRef();
  }
  return kResultOk;
}

tresult PLUGIN_API RecordingContextMenu::addItem(const Item& item, IContextMenuTarget* target)
{
  entries.push_back({TvHost::Utf16ToUtf8(item.name, 128), item.tag, item.flags, target});
  return kResultOk;
}

tresult PLUGIN_API RecordingContextMenu::popup(UCoord x, UCoord y)
{
  popups.push_back({x, y});
  return kResultOk;
}

void RecordingContextMenu::Clear()
{
  entries.assign(1, Entry{kHostItem, 1000, 0, nullptr});
  popups.clear();
}

IContextMenu* PLUGIN_API RecordingHandler::createContextMenu(IPlugView*, const ParamID* id)
{
  calls += "menu:" + (id ? std::to_string(*id) : std::string("none")) + " ";
  if (!offersMenu)
    return nullptr;
  menu.addRef();
  return &menu;
}

tresult PLUGIN_API RecordingHandler::queryInterface(const TUID iid, void** obj)
{
  if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) || FUnknownPrivate::iidEqual(iid, IComponentHandler::iid))
  {
    *obj = static_cast<IComponentHandler*>(this);
    return kResultOk;
  }
  if (offersHandler3 && FUnknownPrivate::iidEqual(iid, IComponentHandler3::iid))
  {
    *obj = static_cast<IComponentHandler3*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

void EditorHostTest::SetUp()
{
  PluginTest::SetUp();
  display = OpenX11Display();
  ASSERT_NE(display, nullptr) << "these tests need an X server (run them under xvfb-run)";
  int event = 0, error = 0, major = 0, minor = 0;
  ASSERT_TRUE(XTestQueryExtension(display, &event, &error, &major, &minor));
  ASSERT_EQ(Controller()->setComponentHandler(&handler), kResultOk);
  parent = CreateParent(kWidth, kHeight);
}

void EditorHostTest::TearDown()
{
  if (view)
  {
    view->removed();
    view = nullptr;
  }
  if (Controller())
    Controller()->setComponentHandler(nullptr);
  if (display)
  {
    for (Window window : parents)
      XDestroyWindow(display, window);
    XCloseDisplay(display);
  }
}

Window EditorHostTest::CreateParent(int width, int height)
{
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  // The first parent at the top left, the second below it, any later one to the right: on a
  // screen of 2304 x 1200 none covers another.
  const int x = parents.size() < 2 ? 0 : 1200;
  const int y = parents.size() == 1 ? 1200 - height : 0;
  const Window window = XCreateWindow(display, DefaultRootWindow(display), x, y, width, height, 0, CopyFromParent,
                                      InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
  XMapRaised(display, window);
  XSync(display, False);
  parents.push_back(window);
  return window;
}

IPtr<IPlugView> EditorHostTest::OpenView(float scale)
{
  IPtr<IPlugView> opened(Controller()->createView(ViewType::kEditor), false);
  if (!opened)
    return nullptr;
  if (scale != 1.0f)
  {
    FUnknownPtr<IPlugViewContentScaleSupport> scaling(opened);
    if (!scaling || scaling->setContentScaleFactor(scale) != kResultOk)
      return nullptr;
  }
  opened->setFrame(&frame);
  if (opened->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID) != kResultOk)
    return nullptr;
  Pump();
  return opened;
}

std::vector<Window> EditorHostTest::Children(Window of) const
{
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> found;
  if (XQueryTree(display, of, &root, &up, &children, &count))
  {
    found.assign(children, children + count);
    XFree(children);
  }
  return found;
}

void EditorHostTest::Pump(int milliseconds)
{
  XSync(display, False);
  frame.RunFor(milliseconds);
}

void EditorHostTest::MoveTo(int x, int y)
{
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, parent, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  Pump(20);
}

void EditorHostTest::Press(int x, int y, unsigned int button)
{
  MoveTo(x, y);
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  Pump(20);
}

// Long enough for a timer tick, for hosts that only call the timer.
void EditorHostTest::Release(unsigned int button)
{
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  Pump(50);
}

void EditorHostTest::Click(int x, int y, unsigned int button)
{
  Press(x, y, button);
  Release(button);
}

void EditorHostTest::Key(unsigned long keysym)
{
  const KeyCode code = XKeysymToKeycode(display, keysym);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  Pump(20);
}

void EditorHostTest::Type(const char* keys)
{
  for (const char* key = keys; *key; ++key)
  {
    const char name[2] = {*key, 0};
    const KeySym keysym = *key == '-' ? XK_minus : *key == '.' ? XK_period : XStringToKeysym(name);
    Key(keysym);
  }
}

void EditorHostTest::WaitOutDoubleClick()
{
  std::this_thread::sleep_for(std::chrono::milliseconds(450));
}

double EditorHostTest::PlainValue(ParamID id) const
{
  return Controller()->normalizedParamToPlain(id, Controller()->getParamNormalized(id));
}

std::vector<uint32_t> EditorHostTest::WindowPixels(Window window) const
{
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image)
    return pixels;
  for (int y = 0; y < image->height; ++y)
    for (int x = 0; x < image->width; ++x)
      pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
  XDestroyImage(image);
  return pixels;
}

}  // namespace EditorTest
