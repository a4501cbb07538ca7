// The host's UI thread ticks and paints the editor, and turns a knob, while the audio thread
// pushes values, greys controls and marks everything dirty under the plug-in's mutex, as
// automation and program changes do. Built with -DTV_SANITIZE=thread this shows any access
// to the controls that the two threads do not order through that mutex; in any build the
// editor must end up showing the last value and grey state the audio thread sent.
#include "RecordingPlug.h"
#include "TestStrips.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IKnobMultiControl.h"
#include "graphics/headless/IGraphicsHeadless.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {
// Enough ticks and rounds for the two loops to overlap many times, even under a sanitizer.
constexpr int kTicks = 300;
constexpr int kMinRounds = 3000;

double GainForRound(int round)
{
  return (round % 101) / 100.0;
}

bool GreyForRound(int round)
{
  return round % 3 == 0;
}

TEST(EditorConcurrency, AudioThreadChangesReachAPaintingEditorWithoutRacingIt)
{
  RecordingPlug plug;
  auto* graphics = new IGraphicsHeadless(&plug, 200, 100, 0, "/nonexistent");
  graphics->AddControl(new IBitmapControl(&plug, 0, 0, -1, MakeStrip(*graphics, 200, 100, 1), IBlend::BlendCopy));
  const IFrameStrip knobStrip = MakeStrip(*graphics, 30, 30, 101);
  auto* gain = new IKnobMultiControl(&plug, 10, 10, RecordingPlug::kGain, knobStrip);
  auto* level = new IKnobMultiControl(&plug, 60, 10, RecordingPlug::kLevel, knobStrip);
  graphics->AddControl(gain);
  graphics->AddControl(level);
  plug.AttachEditor(graphics);
  ASSERT_NE(graphics->AttachToParentView(nullptr), nullptr);

  std::atomic<bool> uiDone{false};
  int lastRound = -1;
  std::atomic<int> ready{0};
  const auto startTogether = [&ready] {
    ++ready;
    while (ready.load() < 2)
    {
      std::this_thread::yield();
    }
  };
  std::thread audio([&] {
    startTogether();
    for (int round = 0; round < kMinRounds || !uiDone.load(); ++round)
    {
      const std::lock_guard<std::recursive_mutex> lock(plug.Mutex());
      plug.RefreshEditorFromParams();
      plug.Editor()->PushParamValue(RecordingPlug::kGain, GainForRound(round), true);
      plug.Editor()->GreyParamControls(RecordingPlug::kLevel, GreyForRound(round));
      plug.Editor()->MarkAllDirty();
      lastRound = round;
    }
  });
  std::thread ui([&] {
    startTogether();
    for (int tick = 0; tick < kTicks; ++tick)
    {
      graphics->WheelTurn(75, 25, IPointerMods(), tick % 2 ? 1 : -1);
      graphics->TimerTick();
    }
    uiDone = true;
  });
  audio.join();
  ui.join();

  graphics->TimerTick();
  EXPECT_DOUBLE_EQ(gain->Value(), GainForRound(lastRound));
  EXPECT_EQ(level->IsGreyed(), GreyForRound(lastRound));
  EXPECT_FALSE(gain->IsGreyed());
}
}  // namespace
