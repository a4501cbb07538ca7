#include "effect/SignalPath.h"

#include "dsp/StereoFrame.h"
#include "effect/DbToGain.h"
#include "framework/ScopedFlushToZero.h"
#include "framework/IPlugBase.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <mutex>

namespace {

// One design for the resampling filters, whether a reset or a switch of oversampling made
// it: what was heard while switching is what every later render gives.
constexpr double kResamplingStopBandDb = 12.0;

// Controls that mean nothing while the effect runs as a single band, in the order the
// editor greys them.
constexpr int kMultibandOnlyParams[] = {
  kFreqLow,     kFreqHigh,      kLowSatGain,   kLowDcOffset,   kLowSatMix,        kLowSatBypass,    kLowOddHarm,
  kLowEvenHarm, kLowExcMix,     kLowExcBypass, kLowBitRes,     kLowBitRedMix,     kLowBitRedBypass, kLowLevel,
  kLowMute,     kHighSatGain,   kHighDcOffset, kHighSatMix,    kHighSatBypass,    kHighOddHarm,     kHighEvenHarm,
  kHighExcMix,  kHighExcBypass, kHighBitRes,   kHighBitRedMix, kHighBitRedBypass, kHighLevel,       kHighMute};

// The integer part of a rate, kept inside int's range.
int TruncatedRate(double rate)
{
  if (!(rate > 0.0))
    return 0;
  return rate < static_cast<double>(INT_MAX) ? static_cast<int>(rate) : INT_MAX;
}

// Far beyond any audio level (some 600 dB above full scale), yet small enough that neither
// the gains nor the exciter's seventh power can overflow on the way.
constexpr double kLargestInput = 1e30;

// A non-finite sample, or one that would overflow into one, would stay in the filter
// histories for good and silence the effect; garbage of that kind is read as silence.
double Sanitised(double sample)
{
  return std::fabs(sample) <= kLargestInput ? sample : 0.0;
}

void Interleave(double* const* inputs, int nFrames, double* interleaved)
{
  const double* left = inputs[0];
  const double* right = inputs[1];
  for (int i = 0; i < nFrames; ++i)
  {
    interleaved[2 * i] = Sanitised(left[i]);
    interleaved[2 * i + 1] = Sanitised(right[i]);
  }
}

void Deinterleave(const double* interleaved, int nFrames, double* const* outputs)
{
  double* left = outputs[0];
  double* right = outputs[1];
  for (int i = 0; i < nFrames; ++i)
  {
    left[i] = interleaved[2 * i];
    right[i] = interleaved[2 * i + 1];
  }
}

void Silence(double* const* outputs, int nFrames)
{
  std::fill(outputs[0], outputs[0] + nFrames, 0.0);
  std::fill(outputs[1], outputs[1] + nFrames, 0.0);
}

// sum = low * lowGain + mid * midGain + high * highGain, added in that order from 0.
void MixBands(const double* low, double lowGain, const double* mid, double midGain, const double* high, double highGain,
              int count, double* sum)
{
  for (int i = 0; i < count; i += 2)
  {
    const Dsp::StereoFrame mixed = ((0.0 + Dsp::LoadFrame(low + i) * lowGain) + Dsp::LoadFrame(mid + i) * midGain) +
                                   Dsp::LoadFrame(high + i) * highGain;
    Dsp::StoreFrame(sum + i, mixed);
  }
}

}  // namespace

SignalPath::SignalPath(IPlugBase& plug) : plug(plug) {}

bool SignalPath::IsOn(int paramIdx) const
{
  return plug.ParamAt(paramIdx)->Value() >= 0.5;
}

void SignalPath::ResetProcessing()
{
  const std::lock_guard<std::recursive_mutex> lock(plug.Mutex());
  SetRateFromFactor();
  for (int i = 0; i < kNumParams; ++i)
    plug.ApplyParamChange(i, kSourceReset);
  SettleSmoothers();
  PrepareBuffers(plug.BlockSize());
}

// After a reset the signal path starts at the parameters' values instead of gliding towards
// them, so that a render does not depend on where playback or an export begins.
void SignalPath::SettleSmoothers()
{
  for (ParamSmoother& smoother : smoothers)
    smoother.current = smoother.target;
  for (const Band band : {kLowBand, kMidBand, kHighBand})
    UpdateChainValues(band, kAllValues);
  DesignCrossoverAtCurrentFrequencies();
}

void SignalPath::DesignCrossoverAtCurrentFrequencies()
{
  crossover.Design(smoothers[kFreqLow].current, smoothers[kFreqHigh].current, crossoverRate);
}

void SignalPath::SetRateFromFactor()
{
  oversampledRate = TruncatedRate(oversampling * plug.SampleRate());
  const bool clean = oversampler.RunsClean();
  crossoverRate = clean ? TruncatedRate(plug.SampleRate()) : oversampledRate;
  smoothingRate = clean ? TruncatedRate(Oversampler::kClassicFactor * plug.SampleRate()) : oversampledRate;
  lastBlockSize = 0;
  for (BandChain& chain : bands)
    chain.SetDcBlockerRate(oversampledRate);
}

// Should the memory not be had, every block tries again and stays silent until it succeeds.
void SignalPath::PrepareBuffers(int maxFrames)
{
  const std::size_t count = 2u * Oversampler::kMaxFactor * static_cast<std::size_t>(std::max(maxFrames, 0));
  frameBuffers.Reserve(count);
  bandScratch.Reserve(count);
}

// Designs both of the Classic resampler's filters for the current rates.
void SignalPath::DesignResamplingFilters()
{
  oversampler.DesignClassicFilters(kResamplingStopBandDb, plug.SampleRate(), oversampledRate);
}

void SignalPath::ApplyParamChange(int paramIdx)
{
  const std::lock_guard<std::recursive_mutex> lock(plug.Mutex());
  const IPlugParam* param = plug.ParamAt(paramIdx);
  if (!param)
    return;
  const double value = param->Value();
  if (paramIdx == kMultiband)
    GreyControlsForMultiband(value < 0.5);
  else if (paramIdx == kOversample || (paramIdx == kOversampleQuality && IsOn(kOversample)))
    ChangeOversampling();
  else if (!ApplyBypass(paramIdx, value >= 0.5))
    smoothers[paramIdx].target = value;
  if (IEditor* editor = plug.Editor())
    editor->MarkAllDirty();
}

bool SignalPath::ApplyBypass(int paramIdx, bool on)
{
  if (paramIdx >= kFreqLow)
    return false;
  BandChain& chain = ChainOf(paramIdx);
  switch (paramIdx % kBandParamCount)
  {
    case kLowSatBypass:
      chain.satBypass = on;
      return true;
    case kLowBitRedBypass:
      chain.bitBypass = on;
      return true;
    case kLowExcBypass:
      chain.excBypass = on;
      return true;
    default:
      return false;
  }
}

void SignalPath::GreyControlsForMultiband(bool grey)
{
  IEditor* editor = plug.Editor();
  if (!editor)
    return;
  for (const int paramIdx : kMultibandOnlyParams)
    editor->GreyParamControls(paramIdx, grey);
}

// Either switch works like the other: the rates and designs follow, the resampler that
// takes over starts from silence at its first block, and everything else stays.
void SignalPath::ChangeOversampling()
{
  // A list parameter means what its text says: the whole part of its value (a host's 0.6 shows
  // and sounds "Classic"; only the position of the last entry is "Clean").
  const bool clean = plug.ParamAt(kOversampleQuality)->IntValue() == kQualityClean;
  const Oversampler::Quality quality = clean ? Oversampler::kClean : Oversampler::kClassic;
  oversampling = oversampler.Choose(IsOn(kOversample), quality, plug.SampleRate());
  SetRateFromFactor();
  DesignResamplingFilters();
  crossover.SetRate(crossoverRate);
}

void SignalPath::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  if (nFrames < 1)
    return;
  const ScopedFlushToZero flushToZero;
  if (nFrames != lastBlockSize)
    SetSmoothingForBlockSize(nFrames);

  const int factor = oversampling;
  const int frames = nFrames * factor;
  const int count = 2 * frames;
  if (!frameBuffers.Reserve(static_cast<std::size_t>(count)) || !bandScratch.Reserve(static_cast<std::size_t>(count)))
  {
    Silence(outputs, nFrames);
    ranLastBlock = FilterRuns{};
    oversampler.SkipBlock();
    return;
  }
  double* const interleaved = frameBuffers[kInterleaved];
  double* const low = frameBuffers[kLowBuffer];
  double* const mid = frameBuffers[kMidBuffer];
  double* const high = frameBuffers[kHighBuffer];
  double* const sum = frameBuffers[kSum];

  Interleave(inputs, nFrames, interleaved);
  const bool multiband = IsOn(kMultiband);
  if (oversampler.RunsClean())
  {
    for (double* band : {low, mid, high})
      std::copy(interleaved, interleaved + 2 * nFrames, band);
    SplitBands(low, mid, high, nFrames, multiband);
    UpsampleBands({low, mid, high}, nFrames, multiband, interleaved, sum);
  }
  else
  {
    oversampler.Upsample(interleaved, nFrames, sum);
    std::copy(sum, sum + count, low);
    std::copy(sum, sum + count, mid);
    std::copy(sum, sum + count, high);
    SplitBands(low, mid, high, frames, multiband);
  }

  UpdateChainValues(kLowBand, kGlidingValues);
  UpdateChainValues(kMidBand, kGlidingValues);
  UpdateChainValues(kHighBand, kGlidingValues);
  const double lowGain = RunBand(kLowBand, low, count, kLowMute, kLowLevel, multiband);
  const double midGain = RunBand(kMidBand, mid, count, kMidMute, kMidLevel, true);
  const double highGain = RunBand(kHighBand, high, count, kHighMute, kHighLevel, multiband);
  MixBands(low, lowGain, mid, midGain, high, highGain, count, sum);
  oversampler.Downsample(sum, nFrames, interleaved);
  Deinterleave(interleaved, nFrames, outputs);
}

// The crossover splits while the effect runs as three bands, and follows its frequencies
// otherwise; a split that resumes starts from silence.
void SignalPath::SplitBands(double* low, double* mid, double* high, int frames, bool multiband)
{
  if (multiband)
  {
    if (!ranLastBlock.split)
      crossover.Clear();
    crossover.Split(low, mid, high, frames, smoothers[kFreqLow], smoothers[kFreqHigh]);
  }
  else
    crossover.Follow(smoothers[kFreqLow], smoothers[kFreqHigh]);
  ranLastBlock.split = multiband;
}

// "Clean": the bands that take part each go up on their own path, from a host-rate copy.
void SignalPath::UpsampleBands(const std::array<double*, 3>& buffers, int nFrames, bool multiband, double* hostRateCopy,
                               double* scratch)
{
  for (const Band band : {kLowBand, kMidBand, kHighBand})
  {
    if (!multiband && band != kMidBand)
      continue;
    std::copy(buffers[band], buffers[band] + 2 * nFrames, hostRateCopy);
    oversampler.UpsampleBand(band, hostRateCopy, nFrames, buffers[band], scratch);
  }
}

// Smoothers advance once per host block, so their coefficient depends on how many blocks
// a second holds. A glide under way continues from where it is at the new pace.
void SignalPath::SetSmoothingForBlockSize(int nFrames)
{
  const int blocksPerSecond = smoothingRate / nFrames;
  const double coeff = std::exp(-1.0 / (blocksPerSecond * 0.005));
  for (ParamSmoother& smoother : smoothers)
    smoother.coeff = coeff;
  lastBlockSize = nFrames;
}

// Writes the band's derived values: those whose smoother still glides, after one step, or
// all of them as they stand.
void SignalPath::UpdateChainValues(Band band, ChainValues which)
{
  BandChain& chain = bands[band];
  const int firstParam = band * kBandParamCount;
  const auto next = [&](int lowBandParam, double& value) {
    ParamSmoother& smoother = smoothers[firstParam + lowBandParam - kLowSatMix];
    if (which == kGlidingValues && smoother.Settled())
      return false;
    value = which == kAllValues ? smoother.current : smoother.Advance();
    return true;
  };
  double v = 0.0;
  if (next(kLowSatGain, v))
    chain.gain = DbToGain(v);
  if (next(kLowDcOffset, v))
    chain.dcOffset = v / 100.0;
  if (next(kLowSatMix, v))
    chain.satMix = v / 100.0;
  if (next(kLowBitRes, v))
    chain.bits = static_cast<int32_t>(v);
  if (next(kLowBitRedMix, v))
    chain.bitMix = v / 100.0;
  if (next(kLowEvenHarm, v))
    chain.evenAmount = v;
  if (next(kLowOddHarm, v))
    chain.oddAmount = v;
  if (next(kLowExcMix, v))
    chain.excMix = v / 100.0;
}

// Runs one band's chain and returns its level as a gain. A muted or disabled band is
// cleared and its level smoother waits; its gain of 1 keeps it exactly silent. A saturation
// stage that did not run in the previous block starts its DC blocker from silence.
double SignalPath::RunBand(Band band, double* buffer, int count, int muteParam, int levelParam, bool enabled)
{
  BandChain& chain = bands[band];
  const bool runs = enabled && !IsOn(muteParam);
  const bool saturates = runs && !chain.satBypass;
  if (saturates && !ranLastBlock.saturation[band])
    chain.ClearDcBlocker();
  ranLastBlock.saturation[band] = saturates;
  if (!runs)
  {
    std::fill(buffer, buffer + count, 0.0);
    return 1.0;
  }
  chain.ProcessBand(buffer, count, bandScratch);
  return DbToGain(AdvanceSmoother(levelParam));
}
