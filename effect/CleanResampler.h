#pragma once

#include "dsp/HalfBandDecimator.h"
#include "dsp/HalfBandInterpolator.h"

#include <array>

// Moves interleaved stereo between the host rate and F times that rate (F = 2, 4, 8 or 16)
// through cascades of polyphase IIR half-band stages, each changing the rate by two. Every
// stage keeps the host band up to 0.4535 of the host rate (20 kHz at 44.1 kHz) flat and
// attenuates by at least 100 dB whatever would fold into it; the stages at the higher rates
// have wide transition bands and need few coefficients. The filters are allpass pairs, so
// nothing is delayed beyond their phase response and no latency arises.
// Up to kStreams signals go up independently (the signal path's bands); one comes down.
class CleanResampler
{
public:
  static constexpr int kMaxFactor = 16;
  static constexpr int kStreams = 3;

  CleanResampler();

  // The factor that puts the oversampled rate at about 700 kHz or above, where the
  // waveshaper's harmonics that fold back are far down, at most kMaxFactor, at least 2.
  static int FactorFor(double hostRate);

  // Runs the cascades with as many stages as factor (a power of two, 2..kMaxFactor) needs.
  // Histories stay.
  void SetFactor(int factor);
  int Factor() const { return 1 << stageCount; }

  // Forget the past of one stream's way up, or of the way down.
  void ClearUpsampling(int stream);
  void ClearDownsampling();

  // in: `frames` frames; out: frames * Factor() frames; scratch: half as many as out.
  // None of them overlap.
  void Upsample(int stream, const double* in, int frames, double* out, double* scratch);

  // Reduces `oversampled` (frames * Factor() frames) in place, stage by stage, then writes
  // `frames` frames into out.
  void Downsample(double* oversampled, int frames, double* out);

private:
  static constexpr int kMaxStages = 4;

  int stageCount = 1;
  // Stage 0 works between the host rate and twice it, stage 1 between twice and four times...
  std::array<std::array<Dsp::HalfBandInterpolator, kMaxStages>, kStreams> interpolators;
  std::array<Dsp::HalfBandDecimator, kMaxStages> decimators;
};
