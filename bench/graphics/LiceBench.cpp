#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_PlatformFont.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <benchmark/benchmark.h>

namespace {
// A knob-sized image: opaque disc with antialiased edge on transparent corners.
void DrawKnobFrame(LICE_MemBitmap& knob)
{
  FillRect(&knob, 0, 0, 56, 56, 0, 1.0f, LICE_BLIT_MODE_COPY);
  FillCircle(&knob, 27.5f, 27.5f, 24.0f, LICE_RGBA(90, 95, 103, 255), 1.0f, LICE_BLIT_MODE_COPY, true);
}

// Source-alpha blit at full weight (a normal control) and at 0.25 (a greyed one).
void BM_LiceKnobBlit(benchmark::State& state)
{
  LICE_SysBitmap surface(1024, 480);
  LICE_MemBitmap knob(56, 56);
  DrawKnobFrame(knob);
  const float opacity = state.range(0) / 100.0f;
  for (auto _ : state)
  {
    BlitBitmap(&surface, &knob, 127, 53, 0, 0, 56, 56, opacity, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
    benchmark::DoNotOptimize(surface.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 56 * 56);
}
BENCHMARK(BM_LiceKnobBlit)->Arg(100)->Arg(25);

// The full-editor background repaint: a plain row copy.
void BM_LiceBackgroundCopy(benchmark::State& state)
{
  LICE_SysBitmap surface(1024, 480);
  LICE_MemBitmap background(1024, 480);
  FillRect(&background, 0, 0, 1024, 480, LICE_RGBA(30, 32, 36, 255), 1.0f, LICE_BLIT_MODE_COPY);
  for (auto _ : state)
  {
    BlitBitmap(&surface, &background, 0, 0, 0, 0, 1024, 480, 1.0f, LICE_BLIT_MODE_COPY);
    benchmark::DoNotOptimize(surface.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 1024 * 480);
}
BENCHMARK(BM_LiceBackgroundCopy);

// A knob read-out drawn again and again: glyphs come from the font's cache.
void BM_LiceReadoutText(benchmark::State& state)
{
  LICE_CachedFont font;
  font.AdoptPlatformFont(CreatePlatformFont(12, 0, 0, 400, false, 0, "Arial").release(),
                         LICE_FONT_FLAG_OWNS_PLATFORM_FONT | LICE_FONT_FLAG_FORCE_NATIVE);
  if (!font.PlatformFont())
  {
    state.SkipWithError("no font face is installed");
    return;
  }
  font.SetTextColour(LICE_RGBA(128, 128, 128, 255));
  LICE_SysBitmap surface(1024, 480);
  for (auto _ : state)
  {
    LICE_RECT rect{127, 113, 183, 129};
    benchmark::DoNotOptimize(font.RenderText(&surface, "-12.3 dB", -1, &rect, LICE_DT_CENTER | LICE_DT_NOCLIP));
  }
}
BENCHMARK(BM_LiceReadoutText);

void BM_LiceRotatedBilinear(benchmark::State& state)
{
  LICE_SysBitmap surface(256, 256);
  LICE_MemBitmap knob(56, 56);
  DrawKnobFrame(knob);
  for (auto _ : state)
  {
    RotatedBlit(&surface, &knob, 100, 100, 56, 56, 0, 0, 56, 56, 0.7f, 1.0f,
                LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR);
    benchmark::DoNotOptimize(surface.Bits());
  }
}
BENCHMARK(BM_LiceRotatedBilinear);
}
