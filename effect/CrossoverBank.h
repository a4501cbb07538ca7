#pragma once

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"

// One set of crossover filters: splits three copies of the same interleaved stereo signal
// into a low, a mid and a high band. Each band edge is two identical second-order Butterworth
// sections (a fourth-order Linkwitz-Riley slope); the mid band gets both edges. Cutoffs are
// fractions of the rate the filters run at.
class CrossoverBank
{
public:
  // Designs the four filters at the low edge (low band's low-pass, mid band's high-pass).
  void DesignLowEdge(double cutoff);
  // Designs the four filters at the high edge (mid band's low-pass, high band's high-pass).
  void DesignHighEdge(double cutoff);

  // Forgets the past of the filters whose output a move of that edge changes: its own four
  // and, for the low edge, the mid band's low-pass, which its high-pass feeds.
  void ClearLowEdge();
  void ClearHighEdge();

  // Forgets every filter's past.
  void Clear();

  bool AllDesigned() const;

  // Filters each buffer in place over `frames` stereo frames.
  void Split(double* low, double* mid, double* high, int frames);

private:
  using LowPass = Dsp::ButterLowPass<2, 2>;
  using HighPass = Dsp::ButterHighPass<2, 2>;

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
