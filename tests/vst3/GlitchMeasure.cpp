// Prints how smoothly a plug-in bundle behaves where hosts differ from a steady stream:
// changing block sizes, resets, filters that pause and resume, oversampling toggles and
// crossover jumps. Usage: vst3_glitch_measure [bundle]; the bundle built here by default.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/vst3/CrossoverJumps.h"
#include "tests/vst3/StreamRunner.h"

using namespace VstTest;

namespace {

constexpr double kRate = 44100.0;
constexpr int kTwoSeconds = 88200;

const std::vector<int> kSteady = {512};
const std::vector<int> kCycling = {512, 37, 1, 256};

StereoBuffer Render(std::shared_ptr<TvHost::PluginModule> module, const Settings& settings, const StereoBuffer& in,
                    const std::vector<int>& lengths)
{
  StreamRunner runner(std::move(module), kRate);
  runner.Preset(settings);
  runner.Activate();
  return runner.Stream(in, lengths);
}

void ConstantAgainstVaryingBlocks(const std::shared_ptr<TvHost::PluginModule>& module)
{
  const StereoBuffer music = MusicLike(kTwoSeconds, kRate);
  const Settings bitReducersIn = {{kLowBitRedBypassId, 0.0}, {kMidBitRedBypassId, 0.0}, {kHighBitRedBypassId, 0.0}};
  Settings saturatorsToo = bitReducersIn;
  saturatorsToo.insert(saturatorsToo.end(), {{kLowSatBypassId, 0.0}, {kMidSatBypassId, 0.0}, {kHighSatBypassId, 0.0}});
  const std::pair<const char*, Settings> cases[] = {{"all stages bypassed", {}},
                                                    {"bit reducers in (24 bits)", bitReducersIn},
                                                    {"saturators and bit reducers in", saturatorsToo}};
  std::printf("constant 512-frame blocks against blocks cycling 512/37/1/256 (2 s, input peak %.3f)\n", Peak(music));
  for (const auto& [name, settings] : cases)
  {
    const StereoBuffer steady = Render(module, settings, music, kSteady);
    const StereoBuffer cycling = Render(module, settings, music, kCycling);
    std::printf("  %-32s peak constant %.4f, peak varying %.4f, max difference %.3g\n", name, Peak(steady),
                Peak(cycling), MaxDifference(steady, cycling));
  }
}

void BounceAgainstExport(const std::shared_ptr<TvHost::PluginModule>& module)
{
  const Settings session = {{kMidBitRedBypassId, 0.0}, {kMidBitResId, 0.1},     {kLowSatBypassId, 0.0},
                            {kLowSatGainId, 0.2},      {kHighExcBypassId, 0.0}, {kHighOddHarmId, 0.3}};
  const StereoBuffer music = MusicLike(kTwoSeconds, kRate);
  const StereoBuffer bounce = Render(module, session, music, {512});

  StreamRunner exporter(module, kRate);
  exporter.Preset(session);
  exporter.Activate();
  StereoBuffer none(1);
  exporter.Block(none, none, 0, 0);
  exporter.Deactivate();
  exporter.Activate();
  const StereoBuffer exported = exporter.Stream(music, {1024});
  int differing = 0;
  for (int f = 0; f < music.Frames(); ++f)
    if (bounce.left[f] != exported.left[f] || bounce.right[f] != exported.right[f])
      differing = f + 1;
  std::printf("bounce (512-frame blocks) against export-like run (0 frames, re-activation, 1024-frame blocks)\n");
  std::printf("  max difference %.3g, last differing frame %d\n", MaxDifference(bounce, exported), differing);
}

void FiltersThatPause(const std::shared_ptr<TvHost::PluginModule>& module)
{
  std::printf("random levels, mutes, multiband and oversampling, 4 changes per 512-frame block, 400 blocks\n ");
  for (unsigned seed = 1; seed <= 6; ++seed)
  {
    bool finite = true;
    std::printf(" seed %u: %.3f%s", seed, FilterPausePeak(module, seed, &finite), finite ? "" : " (NaN/Inf)");
  }
  std::printf("\nrandom changes of all parameters, allocation-test pattern, 200 blocks\n ");
  for (unsigned seed : {7u, 12u, 1u, 2u, 3u})
  {
    bool finite = true;
    std::printf(" seed %u: %.3g%s", seed, StressPeak(module, seed, &finite), finite ? "" : " (NaN/Inf)");
  }
  std::printf("\n");
}

void CrossoverJump(const std::shared_ptr<TvHost::PluginModule>& module)
{
  const StereoBuffer music = MusicLike(kTwoSeconds, kRate);
  StreamRunner runner(module, kRate);
  runner.Preset({{kFreqLowId, 1.0}});
  runner.Activate();
  constexpr int kJumpBlock = 86;  // about one second
  const StereoBuffer out = runner.Stream(music, {512}, [&](int block, int) {
    if (block == kJumpBlock)
      runner.Change(kFreqLowId, 0.0);
  });
  const int jump = kJumpBlock * 512;
  const double before = Peak(out, jump / 2, jump);
  const double after = Peak(out, jump, jump + 11025);
  std::printf("\"Freq. Low\" 5000 -> 50 Hz at once: peak before %.3f, in the 0.25 s after %.3f (%+.1f dB)\n", before,
              after, 20.0 * std::log10(after / before));
}

// FNV-1a over the bits of every output sample.
unsigned long long Fingerprint(const StereoBuffer& s)
{
  unsigned long long hash = 14695981039346656037ull;
  for (const std::vector<double>* channel : {&s.left, &s.right})
    for (const double sample : *channel)
    {
      unsigned char bytes[sizeof sample];
      std::memcpy(bytes, &sample, sizeof sample);
      for (const unsigned char byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    }
  return hash;
}

// Fingerprints of renders in which the crossover never moves, so that two builds can be
// compared bit for bit: oversampling off, and switched on in the first block (a design that
// a reset does not make).
void RestFingerprints(const std::shared_ptr<TvHost::PluginModule>& module)
{
  const StereoBuffer music = MusicLike(kTwoSeconds, kRate);
  Settings settings = SettingsFor(Stages::kOddHarmonicsFull, false);
  settings.insert(settings.end(), {{kFreqLowId, 0.4}, {kFreqHighId, 0.7}, {kMidBitRedBypassId, 0.0}});
  std::printf("crossover at rest, odd harmonics, music-like input, blocks 512/37/1/256: fingerprints");
  for (const bool switchOn : {false, true})
  {
    StreamRunner runner(module, kRate);
    runner.Preset(settings);
    runner.Activate();
    const StereoBuffer out = runner.Stream(music, kCycling, [&](int block, int) {
      if (switchOn && block == 0)
        runner.Change(kOversampleId, 1.0);
    });
    std::printf(" %s %016llx", switchOn ? "F 4 (switched)" : "F 1", Fingerprint(out));
  }
  std::printf("\n");
}

// The bounds of the crossover tests at three block sizes, 44 100 Hz, oversampling off and on;
// beside them the same noise at rest, at 12 random pairs of frequencies.
void CrossoverJumpPeaks(const std::shared_ptr<TvHost::PluginModule>& module)
{
  std::printf("crossover jumps before every block (peaks; noise: 2 s, largest of seeds 1-3; rest: 12 random "
              "settings)\n");
  std::printf("  %-6s %-3s %14s %14s %14s %14s %18s\n", "frames", "F", "bypassed, rest", "bypassed", "odd, rest",
              "odd 100 %", "10 kHz, 5000->50");
  for (const bool oversample : {false, true})
  {
    for (const int block : {16, 512, 4096})
    {
      double peaks[2][2] = {};
      for (const Stages stages : {Stages::kAllBypassed, Stages::kOddHarmonicsFull})
        for (const Jumps jumps : {Jumps::kNone, Jumps::kAnywhere})
          for (unsigned seed = 1; seed <= (jumps == Jumps::kNone ? 12u : 3u); ++seed)
          {
            const JumpRun run{kRate, block, oversample, stages, jumps, 2.0};
            double& peak = peaks[stages == Stages::kAllBypassed ? 0 : 1][jumps == Jumps::kNone ? 0 : 1];
            peak = std::max(peak, JumpPeak(module, run, seed));
          }
      std::printf("  %-6d %-3d %14.4g %14.4g %14.4g %14.4g %18.4g\n", block, oversample ? 4 : 1, peaks[0][0],
                  peaks[0][1], peaks[1][0], peaks[1][1], ToneDropPeak(module, kRate, block, oversample));
    }
  }
}

void OversamplingToggle(const std::shared_ptr<TvHost::PluginModule>& module)
{
  const StereoBuffer sine = Sine(kTwoSeconds, 1000.0, kRate, 0.5);
  StreamRunner runner(module, kRate);
  runner.Activate();
  const int on = 40, off = 100;
  const StereoBuffer out = runner.Stream(sine, {512}, [&](int block, int) {
    if (block == on || block == off)
      runner.Change(kOversampleId, block == on ? 1.0 : 0.0);
  });
  std::printf("1 kHz sine at 0.5, oversampling toggled: largest sample step steady %.4f, after switching on %.4f, "
              "after switching off %.4f\n",
              LargestStep(out, 512 * 10, 512 * on), LargestStep(out, 512 * on, 512 * (on + 2)),
              LargestStep(out, 512 * off, 512 * (off + 2)));
  const double steadyPeak = Peak(out, 512 * 10, 512 * on);
  std::printf("  peak steady %.4f, after on %.4f, after off %.4f\n", steadyPeak, Peak(out, 512 * on, 512 * (on + 2)),
              Peak(out, 512 * off, 512 * (off + 2)));

  // Single band: only the resampling filters are involved. A loud period with oversampling,
  // then a quiet one without, then oversampling again over whatever the filters kept.
  const int again = 130;
  StereoBuffer loudThenQuiet = sine;
  for (int f = 512 * off; f < loudThenQuiet.Frames(); ++f)
    loudThenQuiet.left[f] = loudThenQuiet.right[f] = loudThenQuiet.left[f] / 100.0;
  StreamRunner single(module, kRate);
  single.Preset({{kMultibandId, 0.0}});
  single.Activate();
  const StereoBuffer singleOut = single.Stream(loudThenQuiet, {512}, [&](int block, int) {
    if (block == on || block == off || block == again)
      single.Change(kOversampleId, block == off ? 0.0 : 1.0);
  });
  std::printf("  single band: peak after switching on %.4f, after switching on again (input at 1/100) %.5f\n",
              Peak(singleOut, 512 * on, 512 * (on + 2)), Peak(singleOut, 512 * again, 512 * (again + 2)));
}

}  // namespace

int main(int argc, char** argv)
{
  const std::string path = argc > 1 ? argv[1] : TV_PLUGIN_PATH;
  std::string error;
  const auto module = TvHost::PluginModule::Open(path, error);
  if (!module)
  {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("bundle %s\n", path.c_str());
  ConstantAgainstVaryingBlocks(module);
  BounceAgainstExport(module);
  FiltersThatPause(module);
  CrossoverJump(module);
  CrossoverJumpPeaks(module);
  RestFingerprints(module);
  OversamplingToggle(module);
  return 0;
}
