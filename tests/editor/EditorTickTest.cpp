// The X11 layer's timer tick, with the effect's editor linked in rather than loaded: its
// connection is watched for the requests a tick sends.
#include "effect/TolvexVulcrax.h"
#include "framework/IEditorRunLoop.h"
#include "graphics/linux/IGraphicsLinux.h"
#include "graphics/linux/X11EditorWindow.h"
#include "tests/editor/XServerProbe.h"

#include <gtest/gtest.h>

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
  auto* window = static_cast<X11EditorWindow*>(editor->OpenHostView(parent.Handle(), loop, 1));
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

} // namespace
} // namespace EditorTest
