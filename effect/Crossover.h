#pragma once

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "effect/ParamSmoother.h"

// Splits three copies of the same interleaved stereo signal into a low, a mid and a high
// band. Each band edge is two identical second-order Butterworth sections (a fourth-order
// Linkwitz-Riley slope once settled); the mid band gets both edges.
class Crossover
{
public:
  // Redesigns the filters of each edge whose frequency smoother (in Hz) is still gliding.
  // Such a smoother advances once before each of its edge's four designs, so the sections
  // of one edge differ slightly until the glide ends. A settled edge is left alone.
  void Update(ParamSmoother& lowEdge, ParamSmoother& highEdge, int oversampledRate);

  // Designs all four filters of each edge at once at these frequencies (in Hz).
  void Design(double lowEdgeHz, double highEdgeHz, int oversampledRate);

  // Forgets every filter's past, for a split that resumes after blocks without it: old
  // histories would meet the designs of now and ring out.
  void Clear();

  bool AllDesigned() const;

  // Filters each buffer in place over `frames` stereo frames.
  void Split(double* low, double* mid, double* high, int frames);

private:
  using LowPass = Dsp::ButterLowPass<2, 2>;
  using HighPass = Dsp::ButterHighPass<2, 2>;

  static double NormalisedCutoff(double hertz, int oversampledRate);
  void SplitFilterByFilter(double* low, double* mid, double* high, int frames);

  LowPass lowSplitLP1;
  LowPass lowSplitLP2;
  HighPass midSplitHP1;
  HighPass midSplitHP2;
  LowPass midSplitLP1;
  LowPass midSplitLP2;
  HighPass highSplitHP1;
  HighPass highSplitHP2;
};
