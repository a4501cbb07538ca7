#include "effect/TolvexVulcrax.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/headless/IGraphicsHeadless.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
constexpr int kWidth = 1024;
constexpr int kHeight = 480;
constexpr int kKnobs = 29;
constexpr int kSwitches = 14;

// An editor of the effect's size and kind: background, 29 text knobs and 14 switches
// bound to the effect's parameters, and a caption; 45 controls drawn from the real images.
class BenchEditor
{
public:
  BenchEditor() : mGraphics(new IGraphicsHeadless(&mEffect, kWidth, kHeight, 0, TV_RESOURCE_DIR))
  {
    mGraphics->AttachBackdrop(102, "resources/img/bkg.png");
    const IFrameStrip knob = mGraphics->LoadStripBitmap(101, "resources/img/knob.png", 101);
    const IFrameStrip sw = mGraphics->LoadStripBitmap(103, "resources/img/switch.png", 2);
    mUsable = knob.bitmap && sw.bitmap;
    const IText text(12, IColor(255, 128, 128, 128));
    for (int i = 0; i < kKnobs; ++i)
      mGraphics->AddControl(new IKnobMultiControlText(&mEffect, 24 + (i % 10) * 100, 40 + (i / 10) * 140, i, knob, text));
    for (int i = 0; i < kSwitches; ++i)
      mGraphics->AddControl(new ISwitchControl(&mEffect, 90 + (i % 10) * 100, 150 + (i / 10) * 140, kKnobs + i, sw));
    mGraphics->AddControl(new ITextControl(&mEffect, IRECT(422, 460, 505, 471), text, "v1.2.0"));
    for (int i = 0; i < mEffect.NParams(); ++i) mGraphics->PushParamValue(i, mEffect.ParamAt(i)->Normalized(), true);
    mGraphics->PrepareDrawSurfaces();
    mGraphics->RenderAll();
  }

  bool Usable() const { return mUsable; }
  IGraphicsHeadless& Graphics() { return *mGraphics; }

private:
  TolvexVulcrax mEffect;
  std::unique_ptr<IGraphicsHeadless> mGraphics;
  bool mUsable = false;
};

// The host moves the first knob one step further, wrapping at the end of its travel.
void MoveFirstKnob(IGraphicsHeadless& graphics, double& value)
{
  value = value < 0.99 ? value + 0.01 : 0.0;
  graphics.PushParamValue(0, value, true);
}

void BM_EditorFullRepaint(benchmark::State& state)
{
  BenchEditor editor;
  if (!editor.Usable()) return state.SkipWithError("images missing from " TV_RESOURCE_DIR);
  IGraphicsHeadless& graphics = editor.Graphics();
  for (auto _ : state)
  {
    graphics.RenderAll();
    benchmark::DoNotOptimize(graphics.DrawSurface());
  }
  state.counters["controls"] = graphics.ControlCount();
}
BENCHMARK(BM_EditorFullRepaint)->Unit(benchmark::kMicrosecond);

// One knob moved by the host, then one timer tick repaints its region.
void BM_EditorKnobRepaint(benchmark::State& state)
{
  BenchEditor editor;
  if (!editor.Usable()) return state.SkipWithError("images missing from " TV_RESOURCE_DIR);
  IGraphicsHeadless& graphics = editor.Graphics();
  double value = 0.0;
  for (auto _ : state)
  {
    MoveFirstKnob(graphics, value);
    graphics.TimerTick();
    benchmark::DoNotOptimize(graphics.DrawSurface());
  }
}
BENCHMARK(BM_EditorKnobRepaint)->Unit(benchmark::kMicrosecond);

// What the audio thread pays when a parameter change reaches an open editor.
void BM_EditorParamPush(benchmark::State& state)
{
  BenchEditor editor;
  IGraphicsHeadless& graphics = editor.Graphics();
  double value = 0.0;
  for (auto _ : state)
  {
    MoveFirstKnob(graphics, value);
    graphics.MarkAllDirty();
  }
}
BENCHMARK(BM_EditorParamPush);
} // namespace
