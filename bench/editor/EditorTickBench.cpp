// The editor's redraw-timer tick on a real X server (run under xvfb-run -a): the effect's
// editor attached to a window of the benchmark's own through the X11 layer.
#include "effect/TolvexVulcrax.h"
#include "framework/IEditorRunLoop.h"
#include "graphics/linux/IGraphicsLinux.h"
#include "graphics/linux/X11Display.h"
#include "graphics/linux/X11EditorWindow.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>

namespace {
constexpr int kMidSatGain = 17;

// The benchmark calls the timer itself; registration only has to succeed.
class ManualRunLoop : public IEditorRunLoop
{
public:
  bool Register(IEditorRunLoopClient&, int, int) override { return true; }
  void Unregister(IEditorRunLoopClient&) override {}
};

// Scales are given to the benchmarks in percent: 1, 1.5 and 2.
constexpr double kPercent = 0.01;

void AtEveryScale(benchmark::internal::Benchmark* benchmark)
{
  benchmark->ArgName("scale%")->Arg(100)->Arg(150)->Arg(200);
}

// The effect's editor open in a top-level window at a scale, settled: the first paint is done.
class OpenEditor
{
public:
  explicit OpenEditor(double scale = 1.0) : mDisplay(OpenX11Display())
  {
    mEditor = dynamic_cast<IGraphicsLinux*>(mEffect.Editor());
    if (!mDisplay || !mEditor)
    {
      return;
    }
    mEditor->SetDisplayScale(scale);
    const IRECT size = mEditor->LayoutToWindow(IRECT(0, 0, mEditor->Width(), mEditor->Height()));
    mParent = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, size.W(), size.H(), 0, 0, 0);
    XMapWindow(mDisplay, mParent);
    XSync(mDisplay, False);
    mWindow = static_cast<X11EditorWindow*>(mEditor->OpenHostView(reinterpret_cast<void*>(mParent), mLoop));
    for (int i = 0; mWindow && i < 3; ++i)
    {
      mWindow->OnTimer();
    }
  }

  ~OpenEditor()
  {
    if (mWindow)
    {
      mEditor->CloseHostView(mWindow);
    }
    if (mDisplay)
    {
      XDestroyWindow(mDisplay, mParent);
      XCloseDisplay(mDisplay);
    }
  }

  bool Usable() const { return mWindow != nullptr; }
  IGraphicsLinux& Editor() { return *mEditor; }
  X11EditorWindow& Window() { return *mWindow; }

private:
  TolvexVulcrax mEffect;
  ManualRunLoop mLoop;
  Display* mDisplay;
  IGraphicsLinux* mEditor = nullptr;
  ::Window mParent = 0;
  X11EditorWindow* mWindow = nullptr;
};

// A tick at 25 frames per second in which one knob moved: its region repainted and shown.
void BM_TickWithOneKnobMoving(benchmark::State& state)
{
  OpenEditor open(state.range(0) * kPercent);
  if (!open.Usable())
  {
    state.SkipWithError("no X display: run under xvfb-run -a");
    return;
  }
  double value = 0.0;
  for (auto _ : state)
  {
    value = value < 0.9 ? value + 0.05 : 0.0;
    open.Editor().PushParamValue(kMidSatGain, value, true);
    open.Window().OnTimer();
  }
}
BENCHMARK(BM_TickWithOneKnobMoving)->Apply(AtEveryScale)->Unit(benchmark::kMicrosecond);

// A tick in which nothing changed: no painting and no request to the server.
void BM_IdleTick(benchmark::State& state)
{
  OpenEditor open;
  if (!open.Usable())
  {
    state.SkipWithError("no X display: run under xvfb-run -a");
    return;
  }
  for (auto _ : state)
  {
    open.Window().OnTimer();
  }
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kMicrosecond);
}  // namespace
