#pragma once

#include "effect/CleanResampler.h"
#include "effect/Resampler.h"

#include <array>

// Chooses how the signal path leaves and regains the host rate: not at all, "Classic" (the
// Resampler at four times the rate, applied to the whole signal before the band split) or
// "Clean" (the CleanResampler at a factor that depends on the rate, applied to each band
// after a split at the host rate, so that the bands divide exactly as without oversampling).
// Whatever did not run in the previous block starts from silence.
class Oversampler
{
public:
  enum Quality
  {
    kClassic,
    kClean
  };

  static constexpr int kClassicFactor = 4;
  static constexpr int kMaxFactor = CleanResampler::kMaxFactor;
  static constexpr int kBands = CleanResampler::kStreams;

  // Takes the choice over and returns its factor. Histories stay.
  int Choose(bool on, Quality quality, double hostRate);

  int Factor() const { return factor; }
  // Whether the bands are split at the host rate and brought up one by one.
  bool RunsClean() const { return mode == kCleanMode; }

  // Designs the Classic resampler's filters (see Resampler::Design).
  void DesignClassicFilters(double stopBandDb, double hostRate, int oversampledRate);

  // Off or "Classic": the whole signal. in: `frames` frames; out: frames * Factor() frames.
  void Upsample(const double* in, int frames, double* out);

  // "Clean": one band. As Upsample; scratch holds half as many frames as out; none overlap.
  void UpsampleBand(int band, const double* in, int frames, double* out, double* scratch);

  // Filters `oversampled` (frames * Factor() frames) in place and writes `frames` frames
  // into out; the end of every processed block.
  void Downsample(double* oversampled, int frames, double* out);

  // For a block that could not be processed: whatever runs next starts from silence.
  void SkipBlock();

private:
  enum Mode
  {
    kOff,
    kClassicMode,
    kCleanMode
  };

  Mode mode = kOff;
  Mode ranLastBlock = kOff;
  std::array<bool, kBands> bandRanLastBlock{};
  std::array<bool, kBands> bandRuns{};
  int factor = 1;
  Resampler classic;
  CleanResampler clean;
};
