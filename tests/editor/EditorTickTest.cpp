// The X11 layer's timer tick, with the effect's editor linked in rather than loaded: its
// connection is watched for the requests a tick sends.
#include "effect/TolvexVulcrax.h"
#include "framework/IEditorRunLoop.h"
#include "framework/IPlugParam.h"
#include "graphics/controls/IControl.h"
#include "graphics/linux/IGraphicsLinux.h"
#include "graphics/linux/X11EditorWindow.h"
#include "tests/editor/XServerProbe.h"

#include <gtest/gtest.h>

#include <mutex>

namespace EditorTest {
namespace {

constexpr int kMidSatGain = 17;

// The test calls the timer itself; registration only has to succeed.
class ManualRunLoop : public IEditorRunLoop
{
public:
  bool Register(IEditorRunLoopClient&, int, int) override { return true; }
  void Unregister(IEditorRunLoopClient&) override {}
};

TEST(EditorTick, AnIdleTickSendsTheServerNothingAndAMovedKnobIsPresented)
{
  TolvexVulcrax effect;
  auto* editor = dynamic_cast<IGraphicsLinux*>(effect.Editor());
  ASSERT_NE(editor, nullptr);
  TestParentWindow parent(editor->Width(), editor->Height());
  ASSERT_TRUE(parent.Valid()) << "this test needs an X server (run it under xvfb-run)";
  ManualRunLoop loop;
  auto* window = static_cast<X11EditorWindow*>(editor->OpenHostView(parent.Handle(), loop));
  ASSERT_NE(window, nullptr);
  for (int settle = 0; settle < 3; ++settle)
    window->OnTimer();

  const unsigned long before = NextRequestNumber(window->XDisplay());
  for (int tick = 0; tick < 2 * IGraphics::kIdleTickInterval; ++tick)
    window->OnTimer();
  EXPECT_EQ(NextRequestNumber(window->XDisplay()), before);

  editor->PushParamValue(kMidSatGain, 0.5, true);
  window->OnTimer();
  EXPECT_GT(NextRequestNumber(window->XDisplay()), before);
  editor->CloseHostView(window);
}

// The effect attaches its editor when it is made, long before a host opens a view: values and
// grey states sent in between wait for the UI thread, and the view's first paint (before any
// tick) must already show them, while the value at attach time stays the double-click default.
TEST(EditorTick, ChangesSentBeforeTheViewOpensAreOnItsFirstPaint)
{
  TolvexVulcrax effect;
  auto* editor = dynamic_cast<IGraphicsLinux*>(effect.Editor());
  ASSERT_NE(editor, nullptr);
  IControl* knob = nullptr;
  for (int i = 0; i < editor->ControlCount() && knob == nullptr; ++i)
    if (editor->ControlAt(i)->ParamIdx() == kMidSatGain)
      knob = editor->ControlAt(i);
  ASSERT_NE(knob, nullptr);
  const double attached = effect.ParamAt(kMidSatGain)->Normalized();
  {
    const std::lock_guard<std::recursive_mutex> lock(effect.Mutex());
    editor->PushParamValue(kMidSatGain, 0.25, true);
    editor->GreyParamControls(kMidSatGain, true);
  }
  TestParentWindow parent(editor->Width(), editor->Height());
  ASSERT_TRUE(parent.Valid()) << "this test needs an X server (run it under xvfb-run)";
  ManualRunLoop loop;
  void* window = editor->OpenHostView(parent.Handle(), loop);
  ASSERT_NE(window, nullptr);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.25);
  EXPECT_TRUE(knob->IsGreyed());
  EXPECT_DOUBLE_EQ(knob->DefaultValue(), attached);
  editor->CloseHostView(window);
}

}  // namespace
}  // namespace EditorTest
