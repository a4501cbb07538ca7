#pragma once

#include "effect/BandChain.h"
#include "effect/BufferSet.h"
#include "effect/Crossover.h"
#include "effect/ParamIndex.h"
#include "effect/ParamSmoother.h"
#include "effect/Oversampler.h"

#include <array>

class IPlugBase;

// The effect's whole signal path: parameter smoothing, optional oversampling,
// the three-band crossover, the band chains, levels and mutes, and the way back to the host
// rate. It reads parameter values, the sample rate, the block size, the mutex and the editor
// through the plug-in it serves; the plug-in's three overrides delegate here.
// Blocks allocate nothing as long as they are no longer than the block size announced before
// the last reset.
class SignalPath
{
public:
  enum Band
  {
    kLowBand,
    kMidBand,
    kHighBand
  };

  explicit SignalPath(IPlugBase& plug);

  SignalPath(const SignalPath&) = delete;
  SignalPath& operator=(const SignalPath&) = delete;

  // Brings everything to the plug-in's current sample rate and parameter values, applying
  // every parameter through the plug-in's own ApplyParamChange.
  void ResetProcessing();

  // Turns parameter paramIdx's current value into DSP state (a smoother target, a bypass
  // flag, the oversampling factor and quality) or into the editor's greyed controls.
  void ApplyParamChange(int paramIdx);

  // Reads input channels 0 and 1 and writes output channels 0 and 1; inputs and outputs
  // may be the same memory. Counts below 1 leave the outputs untouched.
  void ProcessBlock(double** inputs, double** outputs, int nFrames);

  // One step of a parameter's smoother; returns its new current value.
  double AdvanceSmoother(int paramIdx) { return smoothers[paramIdx].Advance(); }

  int Oversampling() const { return oversampling; }
  int OversampledRate() const { return oversampledRate; }
  bool RunsClean() const { return oversampler.RunsClean(); }
  const ParamSmoother& Smoother(int paramIdx) const { return smoothers[paramIdx]; }
  const BandChain& Chain(Band band) const { return bands[band]; }
  bool CrossoverMoving() const { return crossover.Moving(); }

private:
  enum FrameBuffer
  {
    kInterleaved,
    kLowBuffer,
    kMidBuffer,
    kHighBuffer,
    kSum
  };

  bool IsOn(int paramIdx) const;
  BandChain& ChainOf(int paramIdx) { return bands[paramIdx / kBandParamCount]; }
  bool ApplyBypass(int paramIdx, bool on);
  void GreyControlsForMultiband(bool grey);
  void ChangeOversampling();
  void DesignResamplingFilters();
  void SetRateFromFactor();
  void PrepareBuffers(int maxFrames);

  void SplitBands(double* low, double* mid, double* high, int frames, bool multiband);
  void UpsampleBands(const std::array<double*, 3>& buffers, int nFrames, bool multiband, double* hostRateCopy,
                     double* scratch);
  void SetSmoothingForBlockSize(int nFrames);
  void SettleSmoothers();
  void DesignCrossoverAtCurrentFrequencies();
  enum ChainValues
  {
    kGlidingValues,
    kAllValues
  };
  void UpdateChainValues(Band band, ChainValues which);
  double RunBand(Band band, double* buffer, int count, int muteParam, int levelParam, bool enabled);

  static constexpr int kBandParamCount = kMidSatMix - kLowSatMix;

  IPlugBase& plug;
  std::array<ParamSmoother, kNumParams> smoothers{};
  std::array<BandChain, 3> bands{};
  int lastBlockSize = 0;
  // Which filters ran in the previous block: one that did not starts the next from silence.
  struct FilterRuns
  {
    bool split = false;
    std::array<bool, 3> saturation{};
  };
  FilterRuns ranLastBlock;
  int oversampledRate = 44100;
  // The rate whose blocks per second set the smoothers' pace: the oversampled rate, except
  // in "Clean", which glides at the pace of "Classic" so that the quality changes the sound
  // and not how the controls move.
  int smoothingRate = 44100;
  // The rate the crossover runs at: the oversampled rate, except in "Clean", which splits
  // the bands at the host rate before bringing each of them up.
  int crossoverRate = 44100;
  int oversampling = 1;
  Crossover crossover;
  Oversampler oversampler;
  BufferSet<5> frameBuffers;
  BandChain::Scratch bandScratch;
};
