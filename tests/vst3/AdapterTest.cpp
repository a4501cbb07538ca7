// Adapter features the module's own effect does not use (MIDI, side chain, latency changes,
// edits, editor views), tried on small plug-ins built on IPlugVST3 in this
// program and driven through the same VST 3 interfaces a host uses.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/headless/IGraphicsHeadless.h"
#include "tools/host/EditorFrame.h"
#include "tools/host/HostApplication.h"
#include "tools/host/HostObject.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"
#include "tools/host/Utf16Text.h"
#include "vst3/IPlugVST3.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

struct PlugShape
{
  const char* channelIo;
  bool doesMidi;
  bool isInstrument;
  int sidechainChannels;
};

// Three parameters; records what reaches the plug-in base.
class SmallPlug : public IPlugVST3
{
public:
  explicit SmallPlug(const PlugShape& shape)
    : IPlugVST3(3, shape.channelIo, 2, "Small", "", "Maker", 0x10000, 1, 2, 0, shape.doesMidi, false,
                shape.isInstrument, shape.sidechainChannels)
  {
    ParamAt(0)->DefineDouble("Gain", 0.0, -12.0, 12.0, 0.1, 1.0, "dB", "Levels");
    ParamAt(1)->DefineBool("Switch", false, "", "Switches");
    ParamAt(2)->DefineEnum("Mode", 0, 3, "", "Levels");
    for (int v = 0; v < 3; ++v)
      ParamAt(2)->AddValueText(v, v == 0 ? "a" : v == 1 ? "b" : "c");
    FillDefaultPresets("Init", 1);
  }

  void HandleMidiMessage(const MidiMessage& message) override { midi.push_back(message); }
  void ProcessBlock(double** inputs, double** /*outputs*/, int nFrames) override
  {
    lastInputs.clear();
    for (int i = 0; i < InputChannelCount(); ++i)
      lastInputs.push_back(nFrames > 0 ? inputs[i][0] : 0.0);
  }
  void EditorOpened() override { events += "opened "; }
  void EditorClosed() override { events += "closed "; }
  void EditorResized() override { events += "resized "; }

  std::vector<MidiMessage> midi;
  std::vector<double> lastInputs;
  std::string events;
};

class RecordingMenu : public TvHost::HostObject<IContextMenu>
{
public:
  int32 PLUGIN_API getItemCount() override { return 0; }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kResultFalse; }
  tresult PLUGIN_API addItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override
  {
    popups.push_back({x, y});
    return kResultOk;
  }
  std::vector<std::pair<UCoord, UCoord>> popups;
};

// A component handler that also offers context menus, recording every call.
class RecordingHandler : public IComponentHandler, public IComponentHandler3
{
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    if (FUnknownPrivate::iidEqual(iid, IComponentHandler3::iid))
      *obj = static_cast<IComponentHandler3*>(this);
    else if (FUnknownPrivate::iidEqual(iid, IComponentHandler::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid))
      *obj = static_cast<IComponentHandler*>(this);
    else
    {
      *obj = nullptr;
      return kNoInterface;
    }
    addRef();
    return kResultOk;
  }
  uint32 PLUGIN_API addRef() override { return ++references; }
  uint32 PLUGIN_API release() override { return --references; }

  tresult PLUGIN_API beginEdit(ParamID id) override { return Note("begin", id); }
  tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override
  {
    lastValue = value;
    return Note("perform", id);
  }
  tresult PLUGIN_API endEdit(ParamID id) override { return Note("end", id); }
  tresult PLUGIN_API restartComponent(int32 flags) override
  {
    restartFlags = flags;
    return kResultOk;
  }
  IContextMenu* PLUGIN_API createContextMenu(IPlugView* view, const ParamID* id) override
  {
    menuView = view;
    menuParam = id != nullptr ? *id : 9999;
    menu.addRef();
    return &menu;
  }

  tresult Note(const char* what, ParamID id)
  {
    calls += std::string(what) + ":" + std::to_string(id) + " ";
    return kResultOk;
  }

  uint32 references = 1;
  std::string calls;
  ParamValue lastValue = -1.0;
  int32 restartFlags = 0;
  IPlugView* menuView = nullptr;
  ParamID menuParam = 0;
  RecordingMenu menu;
};

// A fixed list of events, the middle one unreadable.
class NoteList : public TvHost::HostObject<IEventList>
{
public:
  NoteList()
  {
    events[0].type = Event::kNoteOnEvent;
    events[0].sampleOffset = 5;
    events[0].noteOn.pitch = 60;
    events[0].noteOn.velocity = 0.5f;
    events[0].noteOn.channel = 2;
    events[2].type = Event::kNoteOffEvent;
    events[2].sampleOffset = 9;
    events[2].noteOff.pitch = 60;
  }
  int32 PLUGIN_API getEventCount() override { return 3; }
  tresult PLUGIN_API getEvent(int32 index, Event& e) override
  {
    if (index == 1)
      return kResultFalse;
    e = events[index];
    return kResultOk;
  }
  tresult PLUGIN_API addEvent(Event&) override { return kResultFalse; }
  Event events[3] = {};
};

class RecordingFrame : public TvHost::EditorFrame
{
public:
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* rect) override
  {
    resizedView = view;
    lastRect = *rect;
    return view->onSize(rect);
  }
  IPlugView* resizedView = nullptr;
  ViewRect lastRect;
};

std::string Text(const TChar* text)
{
  return TvHost::Utf16ToUtf8(text, 128);
}

class AdapterTest : public ::testing::Test
{
protected:
  SmallPlug& Make(const PlugShape& shape)
  {
    plug = new SmallPlug(shape);
    EXPECT_EQ(plug->initialize(&host), kResultOk);
    return *plug;
  }
  void TearDown() override
  {
    if (plug != nullptr)
    {
      plug->terminate();
      plug->release();
    }
  }
  bool Setup(int32 maxBlock)
  {
    ProcessSetup setup{kRealtime, kSample64, maxBlock, 48000.0};
    return plug->setupProcessing(setup) == kResultOk;
  }

  TvHost::HostApplication host{"WaveLab 8"};
  SmallPlug* plug = nullptr;
  TvHost::ParameterChanges changes;
};

}  // namespace

TEST_F(AdapterTest, MidiControllersAreParametersAndEventsBecomeMessages)
{
  Make({"2-2", true, false, 0});
  ASSERT_TRUE(Setup(64));
  EXPECT_EQ(plug->getParameterCount(), 2 + 3 + 128);
  EXPECT_EQ(plug->getBusCount(kEvent, kInput), 1);
  ParamID id = 0;
  ASSERT_EQ(plug->getMidiControllerAssignment(0, 0, 7, id), kResultOk);
  EXPECT_EQ(id, 3u + 7u);
  EXPECT_EQ(plug->getMidiControllerAssignment(0, 0, 128, id), kResultFalse);

  changes.AddChange(3 + 7, 0.5);
  changes.AddChange(3 + 128, 0.5);  // beyond the controllers: ignored
  TvHost::ProcessDataBuilder buffers(kSample64, 2, 2, 64);
  ASSERT_EQ(plug->process(buffers.Prepare(0, &changes)), kResultOk);
  ASSERT_EQ(plug->midi.size(), 1u);
  EXPECT_EQ(plug->midi[0].status, 0xB0);
  EXPECT_EQ(plug->midi[0].data1, 7);
  EXPECT_EQ(plug->midi[0].data2, 63);

  NoteList notes;
  plug->midi.clear();
  ASSERT_EQ(plug->process(buffers.Prepare(16, nullptr, &notes)), kResultOk);
  ASSERT_EQ(plug->midi.size(), 2u);
  EXPECT_EQ(plug->midi[0].status, 0x92);
  EXPECT_EQ(plug->midi[0].data1, 60);
  EXPECT_EQ(plug->midi[0].data2, 63);
  EXPECT_EQ(plug->midi[0].offset, 5);
  EXPECT_EQ(plug->midi[1].status, 0x80);
  EXPECT_EQ(plug->midi[1].offset, 9);
}

// Group names become units in order of first appearance; each parameter names its group's unit.
TEST_F(AdapterTest, ParameterGroupsBecomeUnits)
{
  Make({"2-2", false, false, 0});
  ASSERT_EQ(plug->getUnitCount(), 3);
  UnitInfo unit = {};
  ASSERT_EQ(plug->getUnitInfo(2, unit), kResultOk);
  EXPECT_EQ(unit.id, 2);
  EXPECT_EQ(unit.parentUnitId, kRootUnitId);
  EXPECT_EQ(unit.programListId, kNoProgramListId);
  EXPECT_EQ(Text(unit.name), "Switches");
  EXPECT_EQ(plug->getUnitInfo(3, unit), kResultFalse);
  EXPECT_EQ(plug->getUnitInfo(-1, unit), kResultFalse);

  // Host list: preset, bypass, then Gain ("Levels"), Switch ("Switches"), Mode ("Levels").
  const UnitID expected[3] = {1, 2, 1};
  for (int i = 0; i < 3; ++i)
  {
    ParameterInfo info = {};
    ASSERT_EQ(plug->getParameterInfo(2 + i, info), kResultTrue);
    EXPECT_EQ(info.unitId, expected[i]) << i;
  }
}

TEST_F(AdapterTest, SidechainFeedsTheLastInputOnlyWhileActive)
{
  Make({"2-2 3-2", false, false, 1});
  ASSERT_EQ(plug->getBusCount(kAudio, kInput), 2);
  BusInfo info = {};
  ASSERT_EQ(plug->getBusInfo(kAudio, kInput, 1, info), kResultTrue);
  EXPECT_EQ(Text(info.name), "Aux Input");
  EXPECT_EQ(info.busType, kAux);
  EXPECT_EQ(info.channelCount, 1);
  EXPECT_EQ(info.flags, 0u);

  SpeakerArrangement stereo = SpeakerArr::kStereo;
  SpeakerArrangement ins[2] = {SpeakerArr::kStereo, SpeakerArr::kMono};
  EXPECT_EQ(plug->setBusArrangements(ins, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(plug->setBusArrangements(ins, 2, &stereo, 1), kResultTrue);

  ASSERT_TRUE(Setup(16));
  plug->activateBus(kAudio, kInput, 0, true);
  plug->activateBus(kAudio, kOutput, 0, true);
  double left[16], right[16], side[16];
  std::fill(left, left + 16, 0.1);
  std::fill(right, right + 16, 0.2);
  std::fill(side, side + 16, 0.3);
  double* mainChannels[2] = {left, right};
  double* sideChannels[1] = {side};
  AudioBusBuffers inputs[2] = {};
  inputs[0].numChannels = 2;
  inputs[0].channelBuffers64 = mainChannels;
  inputs[1].numChannels = 1;
  inputs[1].channelBuffers64 = sideChannels;
  ProcessData data;
  data.symbolicSampleSize = kSample64;
  data.numSamples = 16;
  data.numInputs = 2;
  data.inputs = inputs;

  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_EQ(plug->lastInputs, (std::vector<double>{0.1, 0.2, 0.0}));
  plug->activateBus(kAudio, kInput, 1, true);
  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_EQ(plug->lastInputs, (std::vector<double>{0.1, 0.2, 0.3}));
}

TEST_F(AdapterTest, EditsAndLatencyChangesReachTheComponentHandler)
{
  Make({"2-2", false, false, 0});
  plug->BeginInformHostOfParamChange(0);  // no handler yet: nothing happens
  RecordingHandler handler;
  ASSERT_EQ(plug->setComponentHandler(&handler), kResultTrue);

  plug->BeginInformHostOfParamChange(0);
  plug->SetParameterFromGUI(0, 0.75);
  plug->EndInformHostOfParamChange(0);
  EXPECT_EQ(handler.calls, "begin:0 perform:0 end:0 ");
  EXPECT_EQ(handler.lastValue, 0.75);
  EXPECT_DOUBLE_EQ(plug->ParamAt(0)->Value(), 6.0);

  plug->SetLatencyFrames(64);
  EXPECT_EQ(handler.restartFlags, kLatencyChanged);
  EXPECT_EQ(plug->getLatencySamples(), 64u);
  plug->terminate();
  EXPECT_EQ(handler.references, 1u);
  ASSERT_EQ(plug->initialize(&host), kResultOk);
}

TEST_F(AdapterTest, ViewsPlaceTheEditorAndCarryResizeAndMenuRequests)
{
  Make({"2-2", false, false, 0});
  plug->AttachEditor(new IGraphicsHeadless(plug, 300, 200, 25, "."));
  RecordingHandler handler;
  plug->setComponentHandler(&handler);
  RecordingFrame frame;

  IPlugView* first = plug->createView(ViewType::kEditor);
  IPlugView* second = plug->createView(ViewType::kEditor);
  ASSERT_TRUE(first && second);
  ViewRect size;
  ASSERT_EQ(first->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 300);
  EXPECT_EQ(size.getHeight(), 200);
  EXPECT_EQ(first->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
  first->setFrame(&frame);
  int window = 0;
  ASSERT_EQ(first->attached(&window, kPlatformTypeX11EmbedWindowID), kResultOk);

  plug->RequestEditorSize(400, 250);
  EXPECT_EQ(frame.resizedView, first);
  EXPECT_EQ(frame.lastRect.getWidth(), 400);
  EXPECT_TRUE(plug->ShowHostParamMenu(2, 10, 20));
  EXPECT_EQ(handler.menuView, first);
  EXPECT_EQ(handler.menuParam, 2u);
  ASSERT_EQ(handler.menu.popups.size(), 1u);
  EXPECT_EQ(handler.menu.popups[0], (std::pair<UCoord, UCoord>{10, 20}));
  EXPECT_EQ(handler.menu.BorrowedReferences(), 0u);

  EXPECT_EQ(first->removed(), kResultOk);
  EXPECT_EQ(plug->events, "opened resized closed ");

  // With the first view gone, requests go to the next one.
  first->release();
  frame.resizedView = nullptr;
  second->setFrame(&frame);
  plug->RequestEditorSize(100, 100);
  EXPECT_EQ(frame.resizedView, second);
  second->release();
  plug->setComponentHandler(nullptr);
}
