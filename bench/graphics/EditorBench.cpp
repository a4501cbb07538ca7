#include "effect/TolvexVulcrax.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/IBitmapControl.h"

#include <benchmark/benchmark.h>

namespace {
// Scales are given to the benchmarks in percent: 1, 1.5 and 2.
constexpr double kPercent = 0.01;

void AtEveryScale(benchmark::internal::Benchmark* benchmark)
{
  benchmark->ArgName("scale%")->Arg(100)->Arg(150)->Arg(200);
}

// The effect's own editor without a window: background, 29 text knobs, 14 switches and the
// caption, drawn from the images of the source tree at a scale. The first paint has made
// the images of that scale.
class BenchEditor
{
public:
  explicit BenchEditor(double scale = 1.0) : mGraphics(dynamic_cast<IGraphics*>(mEffect.Editor()))
  {
    if (mGraphics)
    {
      mGraphics->SetDisplayScale(scale);
      // The values pushed when the effect attached its editor, as a view's first paint takes them.
      mGraphics->ApplyPendingChanges();
      RenderAll();
    }
  }

  bool Usable() const
  {
    const auto* background = mGraphics ? dynamic_cast<IBitmapControl*>(mGraphics->ControlAt(0)) : nullptr;
    return background && background->Strip().bitmap;
  }
  IGraphics& Graphics() { return *mGraphics; }

  void RenderAll() { mGraphics->Render(IRECT(0, 0, mGraphics->Width(), mGraphics->Height())); }

  // One redraw-timer tick: repaints the dirty region.
  void TimerTick()
  {
    IRECT dirty;
    if (mGraphics->NeedsRedraw(&dirty))
      mGraphics->Render(dirty);
  }

private:
  TolvexVulcrax mEffect;
  IGraphics* mGraphics;
};

// The host moves the knob of parameter 0 one step further, wrapping at the end of its travel.
void MoveFirstKnob(IGraphics& graphics, double& value)
{
  value = value < 0.99 ? value + 0.01 : 0.0;
  graphics.PushParamValue(0, value, true);
}

void BM_EditorFullRepaint(benchmark::State& state)
{
  BenchEditor editor(state.range(0) * kPercent);
  if (!editor.Usable())
    return state.SkipWithError("the editor's images are missing");
  IGraphics& graphics = editor.Graphics();
  for (auto _ : state)
  {
    editor.RenderAll();
    benchmark::DoNotOptimize(graphics.DrawSurface());
  }
  state.counters["controls"] = graphics.ControlCount();
}
BENCHMARK(BM_EditorFullRepaint)->Apply(AtEveryScale)->Unit(benchmark::kMicrosecond);

// One knob moved by the host, then one timer tick repaints its region.
void BM_EditorKnobRepaint(benchmark::State& state)
{
  BenchEditor editor(state.range(0) * kPercent);
  if (!editor.Usable())
    return state.SkipWithError("the editor's images are missing");
  IGraphics& graphics = editor.Graphics();
  double value = 0.0;
  for (auto _ : state)
  {
    MoveFirstKnob(graphics, value);
    editor.TimerTick();
    benchmark::DoNotOptimize(graphics.DrawSurface());
  }
}
BENCHMARK(BM_EditorKnobRepaint)->Apply(AtEveryScale)->Unit(benchmark::kMicrosecond);

// Preparing the images of a new scale: the whole background and every frame of both strips
// resampled, then the full repaint, as when the user resizes the editor by a step.
void BM_EditorScaleChange(benchmark::State& state)
{
  BenchEditor editor;
  if (!editor.Usable())
    return state.SkipWithError("the editor's images are missing");
  IGraphics& graphics = editor.Graphics();
  bool larger = false;
  for (auto _ : state)
  {
    larger = !larger;
    graphics.SetDisplayScale(larger ? 1.5 : 1.25);
    editor.RenderAll();
    benchmark::DoNotOptimize(graphics.DrawSurface());
  }
}
BENCHMARK(BM_EditorScaleChange)->Unit(benchmark::kMillisecond);

// What the audio thread pays when a parameter change reaches an open editor.
void BM_EditorParamPush(benchmark::State& state)
{
  BenchEditor editor;
  IGraphics& graphics = editor.Graphics();
  double value = 0.0;
  for (auto _ : state)
  {
    MoveFirstKnob(graphics, value);
    graphics.MarkAllDirty();
  }
}
BENCHMARK(BM_EditorParamPush);
}  // namespace
