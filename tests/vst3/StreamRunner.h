#pragma once

// Streams a long stereo signal through one instance of the built bundle the way a host does:
// 64-bit or 32-bit buffers, blocks of any length, parameter changes queued for the next block.

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tools/host/HostApplication.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"
#include "tools/host/ProcessDataBuilder.h"

namespace VstTest {

// Parameter indices the streaming tests and the measuring program move.
enum StreamParam
{
  kLowSatBypassId = 1,
  kLowBitRedBypassId = 3,
  kLowSatGainId = 6,
  kLowBitResId = 8,
  kMidSatBypassId = 12,
  kMidBitRedBypassId = 14,
  kMidBitResId = 19,
  kHighSatBypassId = 23,
  kHighBitRedBypassId = 25,
  kHighExcBypassId = 27,
  kHighOddHarmId = 32,
  kFreqLowId = 33,
  kFreqHighId = 34,
  kLowLevelId = 35,
  kLowMuteId = 36,
  kHighMuteId = 40,
  kMultibandId = 41,
  kOversampleId = 42,
};

struct StereoBuffer
{
  explicit StereoBuffer(int frames = 0) : left(frames, 0.0), right(frames, 0.0) {}
  int Frames() const { return static_cast<int>(left.size()); }
  std::vector<double> left;
  std::vector<double> right;
};

// A settings list: (parameter id, normalised value) pairs.
using Settings = std::vector<std::pair<Steinberg::Vst::ParamID, double>>;

class StreamRunner
{
public:
  static constexpr int kMaxBlock = 1024;

  StreamRunner(std::shared_ptr<TvHost::PluginModule> module, double rate = 44100.0,
               Steinberg::int32 sampleSize = Steinberg::Vst::kSample64, int maxBlock = kMaxBlock)
    : mHost("Stream Runner"), mRate(rate), mSampleSize(sampleSize), mMaxBlock(maxBlock),
      mBuffers(sampleSize, 2, 2, maxBlock, rate)
  {
    std::string error;
    mInstance = TvHost::PluginInstance::Create(std::move(module), &mHost, error);
    mError = error;
    if (!mInstance)
      return;
    mInstance->Component()->activateBus(Steinberg::Vst::kAudio, Steinberg::Vst::kInput, 0, true);
    mInstance->Component()->activateBus(Steinberg::Vst::kAudio, Steinberg::Vst::kOutput, 0, true);
  }

  bool Ready() const { return mInstance != nullptr; }
  const std::string& Error() const { return mError; }
  Steinberg::Vst::IEditController* Controller() const { return mInstance->Controller(); }

  // The values a project holds before playback starts: set on the controller side, so that
  // the next activation applies them.
  void Preset(const Settings& settings)
  {
    for (const auto& [id, value] : settings)
      Controller()->setParamNormalized(id, value);
  }

  // maxBlock 0: the largest block the runner was made for.
  bool Activate(int maxBlock = 0)
  {
    return mInstance->SetupProcessing(mRate, maxBlock > 0 ? maxBlock : mMaxBlock, mSampleSize,
                                      Steinberg::Vst::kRealtime) &&
           mInstance->SetActive(true);
  }
  bool Deactivate() { return mInstance->SetActive(false); }

  // Queued for the start of the next block.
  void Change(Steinberg::Vst::ParamID id, double normalised) { mChanges.AddChange(id, normalised); }

  // Processes in[start, start + frames) into out at the same place; frames <= the largest block.
  void Block(const StereoBuffer& in, StereoBuffer& out, int start, int frames)
  {
    for (int f = 0; f < frames; ++f)
    {
      mBuffers.SetInput(0, f, in.left[start + f]);
      mBuffers.SetInput(1, f, in.right[start + f]);
    }
    mInstance->Process(mBuffers.Prepare(frames, &mChanges));
    mChanges.Clear();
    for (int f = 0; f < frames; ++f)
    {
      out.left[start + f] = mBuffers.Output(0, f);
      out.right[start + f] = mBuffers.Output(1, f);
    }
  }

  // The whole signal in blocks whose lengths cycle through `lengths`; before each block
  // `beforeBlock` (block number, first frame) may queue changes.
  StereoBuffer Stream(const StereoBuffer& in, const std::vector<int>& lengths,
                      const std::function<void(int, int)>& beforeBlock = {})
  {
    StereoBuffer out(in.Frames());
    int start = 0;
    for (int block = 0; start < in.Frames(); ++block)
    {
      const int frames = std::min(lengths[block % lengths.size()], in.Frames() - start);
      if (beforeBlock)
        beforeBlock(block, start);
      Block(in, out, start, frames);
      start += frames;
    }
    return out;
  }

private:
  TvHost::HostApplication mHost;
  double mRate;
  Steinberg::int32 mSampleSize;
  int mMaxBlock;
  std::unique_ptr<TvHost::PluginInstance> mInstance;
  std::string mError;
  TvHost::ProcessDataBuilder mBuffers;
  TvHost::ParameterChanges mChanges;
};

// ---- Signals and their measures ------------------------------------------------------------

inline StereoBuffer WhiteNoise(int frames, unsigned seed)
{
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> sample(-1.0, 1.0);
  StereoBuffer signal(frames);
  for (int f = 0; f < frames; ++f)
  {
    signal.left[f] = sample(random);
    signal.right[f] = sample(random);
  }
  return signal;
}

inline StereoBuffer Sine(int frames, double hertz, double rate, double amplitude)
{
  StereoBuffer signal(frames);
  for (int f = 0; f < frames; ++f)
    signal.left[f] = signal.right[f] = amplitude * std::sin(2.0 * M_PI * hertz * f / rate);
  return signal;
}

// Something like music: a bass line, a chord with bright harmonics and a noisy snap every
// quarter second, peaking near full scale.
inline StereoBuffer MusicLike(int frames, double rate)
{
  StereoBuffer signal(frames);
  std::mt19937 random(5);
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  const double chord[] = {220.0, 277.18, 329.63, 415.3};
  for (int f = 0; f < frames; ++f)
  {
    const double t = f / rate;
    const double beat = std::fmod(t, 0.25);
    double x = 0.42 * std::sin(2.0 * M_PI * (t < 1.0 ? 55.0 : 73.4) * t);
    for (const double hertz : chord)
      for (int harmonic = 1; harmonic <= 6; ++harmonic)
        x += 0.085 / harmonic * std::sin(2.0 * M_PI * hertz * harmonic * t);
    x += 0.35 * std::exp(-beat * 60.0) * noise(random);
    signal.left[f] = x;
    signal.right[f] = 0.8 * x + 0.1 * std::sin(2.0 * M_PI * 1760.0 * t);
  }
  return signal;
}

// Largest magnitude in frames [from, to) of both channels.
inline double Peak(const StereoBuffer& s, int from = 0, int to = -1)
{
  if (to < 0)
    to = s.Frames();
  double peak = 0.0;
  for (int f = from; f < to; ++f)
    peak = std::max({peak, std::fabs(s.left[f]), std::fabs(s.right[f])});
  return peak;
}

inline double MaxDifference(const StereoBuffer& a, const StereoBuffer& b)
{
  double most = 0.0;
  for (int f = 0; f < a.Frames(); ++f)
    most = std::max({most, std::fabs(a.left[f] - b.left[f]), std::fabs(a.right[f] - b.right[f])});
  return most;
}

inline bool AllFinite(const StereoBuffer& s, int frames)
{
  for (int f = 0; f < frames; ++f)
    if (!std::isfinite(s.left[f]) || !std::isfinite(s.right[f]))
      return false;
  return true;
}

// Largest jump between neighbouring samples in frames [from, to).
inline double LargestStep(const StereoBuffer& s, int from, int to)
{
  double most = 0.0;
  for (int f = std::max(from, 1); f < to; ++f)
    most = std::max({most, std::fabs(s.left[f] - s.left[f - 1]), std::fabs(s.right[f] - s.right[f - 1])});
  return most;
}

// ---- Random automation ---------------------------------------------------------------------

// The first parameter id after the plug-in's own ones.
constexpr int kPluginParamCount = 44;

// A run of random automation over ±1 noise.
struct Automation
{
  std::vector<Steinberg::Vst::ParamID> params;  // empty: every plug-in parameter
  int blocks = 200;
  int maxChanges = 4;          // before each block
  bool changesAlways = false;  // exactly maxChanges, or 0..maxChanges
  bool randomStart = false;    // every parameter random before activation
  Steinberg::int32 sampleSize = Steinberg::Vst::kSample64;
  std::function<int(int, std::mt19937&)> length;  // block number, random source -> frames
};

// Returns the largest peak of one block; `finite` is cleared when any output sample is NaN
// or infinite.
inline double RandomAutomation(std::shared_ptr<TvHost::PluginModule> module, unsigned seed, const Automation& a,
                               bool* finite)
{
  StreamRunner runner(std::move(module), 44100.0, a.sampleSize);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  if (!runner.Ready())
    return -1.0;
  if (a.randomStart)
    for (int id = 0; id < kPluginParamCount; ++id)
      runner.Controller()->setParamNormalized(id, unit(random));
  if (!runner.Activate())
    return -1.0;
  const StereoBuffer noise = WhiteNoise(StreamRunner::kMaxBlock, seed);
  StereoBuffer out(StreamRunner::kMaxBlock);
  const auto pickParam = [&] {
    const auto pick = static_cast<std::size_t>(unit(random) * (a.params.empty() ? kPluginParamCount : a.params.size()));
    return a.params.empty() ? static_cast<Steinberg::Vst::ParamID>(pick) : a.params[pick];
  };
  double worst = 0.0;
  *finite = true;
  for (int block = 0; block < a.blocks; ++block)
  {
    const int changes = a.changesAlways ? a.maxChanges : static_cast<int>(unit(random) * (a.maxChanges + 1));
    for (int c = 0; c < changes; ++c)
    {
      const Steinberg::Vst::ParamID id = pickParam();
      runner.Change(id, unit(random));
    }
    const int frames = a.length(block, random);
    runner.Block(noise, out, 0, frames);
    *finite = *finite && AllFinite(out, frames);
    worst = std::max(worst, Peak(out, 0, frames));
  }
  return worst;
}

// Levels, mutes and the two global switches: the changes that stop and resume filters.
inline const std::vector<Steinberg::Vst::ParamID>& FilterPauseParams()
{
  static const std::vector<Steinberg::Vst::ParamID> params = {35, 36, 37, 38, 39, 40, kMultibandId, kOversampleId};
  return params;
}

// 512-frame blocks, four changes of levels, mutes and switches before each.
inline double FilterPausePeak(std::shared_ptr<TvHost::PluginModule> module, unsigned seed, bool* finite)
{
  Automation a;
  a.params = FilterPauseParams();
  a.blocks = 400;
  a.changesAlways = true;
  a.length = [](int, std::mt19937&) { return 512; };
  return RandomAutomation(std::move(module), seed, a, finite);
}

// An allocation-test-like run in 32-bit samples from random settings: up to four random
// changes of any parameter before each of 200 blocks; every fifth block has the largest
// size, the next one a single frame, the rest random lengths.
inline double StressPeak(std::shared_ptr<TvHost::PluginModule> module, unsigned seed, bool* finite)
{
  Automation a;
  a.randomStart = true;
  a.sampleSize = Steinberg::Vst::kSample32;
  a.length = [](int block, std::mt19937& random) {
    if (block % 5 == 0)
      return StreamRunner::kMaxBlock;
    if (block % 5 == 1)
      return 1;
    return 1 + static_cast<int>(random() % StreamRunner::kMaxBlock);
  };
  return RandomAutomation(std::move(module), seed, a, finite);
}

}  // namespace VstTest
