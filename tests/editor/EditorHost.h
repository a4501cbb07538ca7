#pragma once

#include "tools/host/EditorFrame.h"
#include "tools/host/HostObject.h"
#include "tests/editor/ReferenceEditor.h"
#include "tests/vst3/PluginTestHost.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace EditorTest {

// A host's context menu for a parameter, holding one item of the host's own: records what
// the plug-in adds and where it pops the menu up.
class RecordingContextMenu : public TvHost::HostObject<Steinberg::Vst::IContextMenu>
{
public:
  struct Entry
  {
    std::string name;
    Steinberg::int32 tag;
    Steinberg::int32 flags;
    Steinberg::IPtr<Steinberg::Vst::IContextMenuTarget> target;
  };
  static constexpr const char* kHostItem = "Automate";

  RecordingContextMenu() { Clear(); }
  Steinberg::int32 PLUGIN_API getItemCount() override { return static_cast<Steinberg::int32>(entries.size()); }
  Steinberg::tresult PLUGIN_API getItem(Steinberg::int32 index, Item& item,
                                        Steinberg::Vst::IContextMenuTarget** target) override;
  Steinberg::tresult PLUGIN_API addItem(const Item& item, Steinberg::Vst::IContextMenuTarget* target) override;
  Steinberg::tresult PLUGIN_API removeItem(const Item&, Steinberg::Vst::IContextMenuTarget*) override
  {
    return Steinberg::kResultFalse;
  }
  Steinberg::tresult PLUGIN_API popup(Steinberg::UCoord x, Steinberg::UCoord y) override;

  // Back to the host's own item alone, every target given back.
  void Clear();

  std::vector<Entry> entries;
  std::vector<std::pair<Steinberg::UCoord, Steinberg::UCoord>> popups;
};

// The component handler of the test host: edits and menu requests as text ("begin:41 ...").
// It offers IComponentHandler3 unless told not to, and a context menu only when told to.
class RecordingHandler : public Steinberg::Vst::IComponentHandler, public Steinberg::Vst::IComponentHandler3
{
public:
  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override { return Steinberg::kResultOk; }
  Steinberg::Vst::IContextMenu* PLUGIN_API createContextMenu(Steinberg::IPlugView* view,
                                                             const Steinberg::Vst::ParamID* id) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 2; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

  std::string calls;
  bool offersHandler3 = true;
  bool offersMenu = false;
  RecordingContextMenu menu;
};

// An editor host on the X server named by DISPLAY: a top-level window of its own as the
// parent, the frame with its run loop, the plug-in's view, and synthetic input (XTest) in
// parent-window pixels.
class EditorHostTest : public VstTest::PluginTest
{
protected:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 480;

  void SetUp() override;
  void TearDown() override;

  // A view of the instance attached to a new parent window; null on failure.
  Steinberg::IPtr<Steinberg::IPlugView> OpenView(float scale = 1.0f);
  Window CreateParent(int width, int height);
  // The plug-in's windows inside parent.
  std::vector<Window> Children(Window parent) const;
  // Lets the plug-in handle what the server sent it and repaint.
  void Pump(int milliseconds = 120);

  void Click(int x, int y, unsigned int button = 1);
  void Press(int x, int y, unsigned int button = 1);
  void MoveTo(int x, int y);
  void Release(unsigned int button = 1);
  void Type(const char* keys);
  void Key(unsigned long keysym);
  // Clicks far apart in time count as single clicks.
  void WaitOutDoubleClick();

  double PlainValue(Steinberg::Vst::ParamID id) const;
  // The window's pixels as 0xRRGGBB words, row by row.
  std::vector<uint32_t> WindowPixels(Window window) const;

  Display* display = nullptr;
  Window parent = 0;
  TvHost::EditorFrame frame;
  RecordingHandler handler;
  Steinberg::IPtr<Steinberg::IPlugView> view;
  std::vector<Window> parents;
};

}  // namespace EditorTest
