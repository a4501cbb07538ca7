// Cost of the filters the effect uses: processing interleaved stereo and redesigning.

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kFrames = 2048;

std::vector<double> StereoSignal()
{
  std::vector<double> s(2 * kFrames);
  for (int i = 0; i < 2 * kFrames; ++i)
    s[i] = 0.5 * std::sin(0.01 * i);
  return s;
}

template <typename Filter>
void ProcessStereo(benchmark::State& state, Filter& filter)
{
  std::vector<double> buffer = StereoSignal();
  for (auto _ : state)
  {
    filter.Process(kFrames, buffer.data());
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_ButterworthSecondOrder(benchmark::State& state)
{
  Dsp::ButterLowPass<2, 2> filter;
  filter.Setup(2, 1.0, 250.0 / 44100.0);
  ProcessStereo(state, filter);
}
BENCHMARK(BM_ButterworthSecondOrder);

void BM_ChebyshevSixthOrder(benchmark::State& state)
{
  Dsp::ChebyIILowPass<6, 2> filter;
  filter.Setup(6, 1.0, 0.125, 9.0);
  ProcessStereo(state, filter);
}
BENCHMARK(BM_ChebyshevSixthOrder);

void BM_ButterworthRedesign(benchmark::State& state)
{
  Dsp::ButterHighPass<2, 2> filter;
  double cutoff = 0.001;
  for (auto _ : state)
  {
    filter.Setup(2, 1.0, cutoff);
    cutoff = cutoff < 0.4 ? cutoff * 1.01 : 0.001;
    benchmark::DoNotOptimize(filter.Stage(0));
  }
}
BENCHMARK(BM_ButterworthRedesign);

void BM_ChebyshevRedesign(benchmark::State& state)
{
  Dsp::ChebyIILowPass<6, 2> filter;
  for (auto _ : state)
  {
    filter.SetPassThrough();
    filter.Setup(6, 1.0, 0.125, 12.0);
    benchmark::DoNotOptimize(filter.Stage(0));
  }
}
BENCHMARK(BM_ChebyshevRedesign);

}  // namespace

BENCHMARK_MAIN();
