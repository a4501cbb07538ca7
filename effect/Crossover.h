#pragma once

#include "effect/CrossoverBank.h"
#include "effect/ParamSmoother.h"

#include <array>

// The three-band split at two frequencies that may change at any moment, by any amount.
//
// At rest one bank of filters runs. A change of either frequency is a crossfade: a second
// bank, a copy of the first redesigned at the new frequencies with the moved edges' filters
// started from silence, runs beside it and takes over along a smooth curve within
// kFadeSeconds; then it runs alone. Every output sample is a weighted mean of what two
// fixed filter sets give, so a move never overshoots what the settings before and after it
// give at rest. (Redesigning running direct-form filters instead leaves them the histories
// of the old cutoff, which near z = 1 turn into a transient many times louder than the
// signal.) A change that arrives during a crossfade starts the next one as soon as it ends.
class Crossover
{
public:
  static constexpr double kFadeSeconds = 0.02;

  // Puts these frequencies (Hz) in force at once, for this rate: any crossfade ends in the
  // bank it led to, which is then designed. An edge at the frequency it already had keeps
  // its filters' past; an edge that changes starts from silence.
  void Design(double lowEdgeHz, double highEdgeHz, int oversampledRate);

  // Follows a new rate: the banks keep their frequencies in Hz and a crossfade its progress
  // in time. Nothing happens before the first design.
  void SetRate(int oversampledRate);

  // For blocks in which the split does not run: the smoothers' targets take effect at once.
  void Follow(ParamSmoother& lowEdge, ParamSmoother& highEdge);

  // Forgets every filter's past, for a split that resumes after blocks without it: old
  // histories would meet the designs of now and ring out.
  void Clear();

  bool AllDesigned() const { return banks[inUse].AllDesigned(); }
  bool Moving() const { return fadeLength > 0; }

  // Filters each buffer (copies of one signal) in place over `frames` stereo frames. When a
  // smoother's target differs from the frequency in force and no crossfade is under way, a
  // crossfade to the targets starts, possibly within the block; a smoother's current is the
  // frequency in force or being faded to.
  void Split(double* low, double* mid, double* high, int frames, ParamSmoother& lowEdge, ParamSmoother& highEdge);

private:
  struct Tuning
  {
    double lowEdgeHz = 0.0;
    double highEdgeHz = 0.0;
  };

  double Cutoff(double hertz) const;
  int FadeFrames() const;
  CrossoverBank& Fading() { return banks[1 - inUse]; }
  void DesignBank(int bank);
  void StartFade(ParamSmoother& lowEdge, ParamSmoother& highEdge);
  void EndFade();
  void Crossfade(double* low, double* mid, double* high, int frames);

  std::array<CrossoverBank, 2> banks;
  std::array<Tuning, 2> tunings;
  int inUse = 0;
  int rate = 0;
  int fadeDone = 0;
  int fadeLength = 0;  // 0: no crossfade under way
};
