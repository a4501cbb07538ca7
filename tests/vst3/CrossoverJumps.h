#pragma once

// Crossover frequencies jumping while white noise or a tone streams through one instance of a
// bundle: the runs behind the bounds of the crossover tests and the figures of
// vst3_glitch_measure, so that two builds are measured with the same program.

#include <algorithm>
#include <memory>
#include <random>

#include "tests/vst3/StreamRunner.h"

namespace VstTest {

enum class Stages
{
  kAllBypassed,
  kOddHarmonicsFull  // the exciter in every band, odd harmonics at 100 %, even at 0
};

enum class Jumps
{
  kAnywhere,  // both frequencies anywhere in their ranges
  kExtremes,  // both from one end of their ranges to the other
  kSmall,     // both a little (a twentieth of the range at most)
  kNone       // both at random places from the start, never moved: the reference at rest
};

struct JumpRun
{
  double rate = 44100.0;
  int block = 512;
  bool oversample = false;
  Stages stages = Stages::kAllBypassed;
  Jumps jumps = Jumps::kAnywhere;
  double seconds = 0.1;  // at least; six blocks at least
};

inline const char* Name(Stages stages)
{
  return stages == Stages::kAllBypassed ? "all stages bypassed" : "odd harmonics 100 %";
}

inline const char* Name(Jumps jumps)
{
  switch (jumps)
  {
    case Jumps::kAnywhere:
      return "anywhere";
    case Jumps::kExtremes:
      return "end to end";
    case Jumps::kSmall:
      return "small";
    default:
      return "none";
  }
}

inline Settings SettingsFor(Stages stages, bool oversample)
{
  Settings settings = {{kOversampleId, oversample ? 1.0 : 0.0}};
  if (stages == Stages::kOddHarmonicsFull)
    for (const Steinberg::Vst::ParamID band : {0u, 11u, 22u})
      settings.insert(settings.end(), {{band + 5, 0.0}, {band + 10, 1.0}});
  return settings;
}

inline int RunFrames(const JumpRun& run)
{
  return std::max(6 * run.block, static_cast<int>(run.rate * run.seconds));
}

// Largest block peak of ±1 white noise with both crossover frequencies jumping before every
// block. Negative when the bundle cannot be run.
inline double JumpPeak(std::shared_ptr<TvHost::PluginModule> module, const JumpRun& run, unsigned seed)
{
  StreamRunner runner(std::move(module), run.rate, Steinberg::Vst::kSample64, run.block);
  if (!runner.Ready())
    return -1.0;
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  double low = unit(random), high = unit(random);
  Settings settings = SettingsFor(run.stages, run.oversample);
  settings.insert(settings.end(), {{kFreqLowId, low}, {kFreqHighId, high}});
  runner.Preset(settings);
  if (!runner.Activate())
    return -1.0;
  const auto next = [&](double& position, int block) {
    if (run.jumps == Jumps::kAnywhere)
      position = unit(random);
    else if (run.jumps == Jumps::kExtremes)
      position = block % 2 ? 1.0 - position : (position < 0.5 ? 1.0 : 0.0);
    else
      position = std::clamp(position + 0.1 * (unit(random) - 0.5), 0.0, 1.0);
  };
  const StereoBuffer noise = WhiteNoise(RunFrames(run), seed);
  StereoBuffer out(noise.Frames());
  double worst = 0.0;
  for (int block = 0, start = 0; start < noise.Frames(); ++block, start += run.block)
  {
    if (run.jumps != Jumps::kNone)
    {
      next(low, block);
      next(high, block + 1);
      runner.Change(kFreqLowId, low);
      runner.Change(kFreqHighId, high);
    }
    const int frames = std::min(run.block, noise.Frames() - start);
    runner.Block(noise, out, start, frames);
    worst = std::max(worst, Peak(out, start, start + frames));
  }
  return worst;
}

// Peak of a 0 dBFS 10 kHz sine, every stage bypassed, with "Freq. Low" moved from 5000 Hz to
// 50 Hz in one block a quarter of a second in; over the whole run.
inline double ToneDropPeak(std::shared_ptr<TvHost::PluginModule> module, double rate, int block, bool oversample)
{
  StreamRunner runner(std::move(module), rate, Steinberg::Vst::kSample64, block);
  if (!runner.Ready())
    return -1.0;
  Settings settings = SettingsFor(Stages::kAllBypassed, oversample);
  settings.push_back({kFreqLowId, 1.0});
  runner.Preset(settings);
  if (!runner.Activate())
    return -1.0;
  const int moveBlock = static_cast<int>(rate / 4) / block;
  const StereoBuffer tone = Sine(std::max(static_cast<int>(rate), (moveBlock + 6) * block), 10000.0, rate, 1.0);
  const StereoBuffer out = runner.Stream(tone, {block}, [&](int b, int) {
    if (b == moveBlock)
      runner.Change(kFreqLowId, 0.0);
  });
  return Peak(out);
}

}  // namespace VstTest
