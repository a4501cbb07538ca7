// Cost of the effect's block routine: 512-frame stereo blocks at 44 100 Hz with every stage
// of every band active and all parameters settled, without and with oversampling; the same
// while both crossover frequencies move in every block, so that the crossover always runs two
// filter banks and crossfades; and the cost of the silence that follows loud input, where
// decaying filter tails would otherwise slow the path down.

#include "effect/TolvexVulcrax.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;
constexpr int kLoudFrames = 64 * kBlock;  // generated once, so that the loop times the effect only

class Session
{
public:
  explicit Session(bool oversample)
    : effect(std::make_unique<TolvexVulcrax>()), left(kBlock), right(kBlock), loudLeft(kLoudFrames),
      loudRight(kLoudFrames)
  {
    for (int i = 0; i < kLoudFrames; ++i)
    {
      const double phase = 2.0 * M_PI * 220.0 * i / kRate;
      loudLeft[i] = 0.8 * std::sin(phase);
      loudRight[i] = 0.8 * std::sin(1.01 * phase);
    }
    effect->SetRate(kRate);
    effect->SetBlockLength(kBlock);
    effect->ResetProcessing();
    Set(kOversample, oversample ? 1.0 : 0.0);
    for (const int band : {kLowSatMix, kMidSatMix, kHighSatMix})
    {
      const auto param = [band](int lowParam) { return band + lowParam - kLowSatMix; };
      Set(param(kLowSatBypass), 0.0);
      Set(param(kLowBitRedBypass), 0.0);
      Set(param(kLowExcBypass), 0.0);
      Set(param(kLowSatGain), 12.0);
      Set(param(kLowDcOffset), 10.0);
      Set(param(kLowBitRes), 10.0);
      Set(param(kLowEvenHarm), 20.0);
      Set(param(kLowOddHarm), 30.0);
      Set(param(kLowSatMix), 80.0);
    }
    // Long enough for every smoother to arrive and the crossover to stop redesigning.
    for (int i = 0; i < 2000; ++i)
      Process(true);
  }

  void Process(bool loud)
  {
    if (loud)
    {
      std::copy_n(loudLeft.begin() + position, kBlock, left.begin());
      std::copy_n(loudRight.begin() + position, kBlock, right.begin());
      position = (position + kBlock) % kLoudFrames;
    }
    else
    {
      std::fill(left.begin(), left.end(), 0.0);
      std::fill(right.begin(), right.end(), 0.0);
    }
    double* channels[] = {left.data(), right.data()};
    effect->ProcessBlock(channels, channels, kBlock);
    benchmark::DoNotOptimize(left.data());
  }

  // Both crossover frequencies to the other of two places.
  void MoveCrossover()
  {
    moved = !moved;
    Set(kFreqLow, moved ? 120.0 : 900.0);
    Set(kFreqHigh, moved ? 6000.0 : 2000.0);
  }

private:
  void Set(int index, double value)
  {
    effect->ParamAt(index)->Assign(value);
    effect->ApplyParamChange(index, kSourceHost);
  }

  std::unique_ptr<TolvexVulcrax> effect;
  std::vector<double> left;
  std::vector<double> right;
  std::vector<double> loudLeft;
  std::vector<double> loudRight;
  int position = 0;
  bool moved = false;
};

// On a shared machine the fastest repetition is the one least disturbed by other work.
double Fastest(const std::vector<double>& values)
{
  return *std::min_element(values.begin(), values.end());
}

void ReportRealTime(benchmark::State& state)
{
  // Shown as seconds per frame (the "ns" suffix comes with the number).
  state.counters["per_frame"] =
    benchmark::Counter(kBlock, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(kBlock / kRate, benchmark::Counter::kIsIterationInvariantRate);
}

// range(0): oversampling factor.
void BM_ProcessBlockSettled(benchmark::State& state)
{
  Session session(state.range(0) == 4);
  for (auto _ : state)
    session.Process(true);
  ReportRealTime(state);
}
BENCHMARK(BM_ProcessBlockSettled)->Arg(1)->Arg(4)->ArgName("F")->Repetitions(5)->ComputeStatistics("min", Fastest);

// range(0): oversampling factor. A new pair of frequencies before every block.
void BM_ProcessBlockCrossoverMoving(benchmark::State& state)
{
  Session session(state.range(0) == 4);
  for (auto _ : state)
  {
    session.MoveCrossover();
    session.Process(true);
  }
  ReportRealTime(state);
}
BENCHMARK(BM_ProcessBlockCrossoverMoving)
  ->Arg(1)
  ->Arg(4)
  ->ArgName("F")
  ->Repetitions(5)
  ->ComputeStatistics("min", Fastest);

// The ten seconds of silence right after loud input, block by block.
void BM_SilenceAfterLoudInput(benchmark::State& state)
{
  Session session(state.range(0) == 4);
  for (auto _ : state)
    session.Process(false);
  ReportRealTime(state);
}
BENCHMARK(BM_SilenceAfterLoudInput)
  ->Arg(1)
  ->Arg(4)
  ->ArgName("F")
  ->Iterations(10 * 44100 / kBlock)
  ->Repetitions(5)
  ->ComputeStatistics("min", Fastest);

}  // namespace

BENCHMARK_MAIN();
