#pragma once

#include "effect/CleanResampler.h"
#include "effect/Resampler.h"

// Chooses how the signal path leaves and regains the host rate: not at all, "Classic" (the
// Resampler at four times the rate) or "Clean" (the CleanResampler at a factor that depends
// on the rate). A resampler that did not run in the previous block starts from silence.
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

  // Takes the choice over and returns its factor. Histories stay.
  int Choose(bool on, Quality quality, double hostRate);

  int Factor() const { return factor; }
  bool RunsClean() const { return mode == kCleanMode; }

  // Designs the Classic resampler's filters (see Resampler::Design).
  void DesignClassicFilters(double stopBandDb, double hostRate, int oversampledRate);

  // in: `frames` frames; out: frames * Factor() frames; scratch: as many, used by "Clean".
  void Upsample(const double* in, int frames, double* out, double* scratch);

  // Filters `oversampled` (frames * Factor() frames) in place and writes `frames` frames into out.
  void Downsample(double* oversampled, int frames, double* out);

  // For a block that could not be processed: whichever resampler runs next starts from silence.
  void SkipBlock() { ranLastBlock = kOff; }

private:
  enum Mode
  {
    kOff,
    kClassicMode,
    kCleanMode
  };

  Mode mode = kOff;
  Mode ranLastBlock = kOff;
  int factor = 1;
  Resampler classic;
  CleanResampler clean;
};
