#pragma once

#include "dsp/ChebyIILowPass.h"

// Moves interleaved stereo between the host rate and F times that rate: zero-order-hold
// up-sampling followed by an anti-imaging low-pass, and an anti-aliasing low-pass followed
// by keeping the first frame of every group of F. With F = 1 both steps are plain copies.
class Resampler
{
public:
  // Designs both filters anew as sixth-order inverse-Chebyshev low-passes whose stop band
  // begins at the host rate's Nyquist frequency. Histories stay.
  void Design(double stopBandDb, double hostRate, int oversampledRate);

  // Forgets both filters' past, for oversampling that resumes after blocks without it.
  void Clear();

  // in: `frames` frames; out: frames * factor frames.
  void Upsample(const double* in, int frames, int factor, double* out);

  // Filters `oversampled` (frames * factor frames) in place, then picks `frames` frames into out.
  void Downsample(double* oversampled, int frames, int factor, double* out);

private:
  using Filter = Dsp::ChebyIILowPass<6, 2>;

  Filter upsampleFilter;
  Filter downsampleFilter;
};
