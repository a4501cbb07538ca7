#include "effect/Crossover.h"

#include <algorithm>

namespace {

// A design at or above half the rate is unstable; "Freq. High" can reach it without
// oversampling at low session rates.
constexpr double kHighestCutoff = 0.49;

constexpr int kOrder = 2;

}  // namespace

double Crossover::NormalisedCutoff(double hertz, int oversampledRate)
{
  return std::min(hertz / oversampledRate, kHighestCutoff);
}

void Crossover::Update(ParamSmoother& lowEdge, ParamSmoother& highEdge, int rate)
{
  if (!lowEdge.Settled())
  {
    lowSplitLP1.Setup(kOrder, 1.0, NormalisedCutoff(lowEdge.Advance(), rate));
    lowSplitLP2.Setup(kOrder, 1.0, NormalisedCutoff(lowEdge.Advance(), rate));
    midSplitHP1.Setup(kOrder, 1.0, NormalisedCutoff(lowEdge.Advance(), rate));
    midSplitHP2.Setup(kOrder, 1.0, NormalisedCutoff(lowEdge.Advance(), rate));
  }
  if (!highEdge.Settled())
  {
    highSplitHP1.Setup(kOrder, 1.0, NormalisedCutoff(highEdge.Advance(), rate));
    highSplitHP2.Setup(kOrder, 1.0, NormalisedCutoff(highEdge.Advance(), rate));
    midSplitLP1.Setup(kOrder, 1.0, NormalisedCutoff(highEdge.Advance(), rate));
    midSplitLP2.Setup(kOrder, 1.0, NormalisedCutoff(highEdge.Advance(), rate));
  }
}

void Crossover::Split(double* low, double* mid, double* high, int frames)
{
  lowSplitLP1.Process(frames, low);
  lowSplitLP2.Process(frames, low);
  midSplitHP1.Process(frames, mid);
  midSplitHP2.Process(frames, mid);
  midSplitLP1.Process(frames, mid);
  midSplitLP2.Process(frames, mid);
  highSplitHP1.Process(frames, high);
  highSplitHP2.Process(frames, high);
}
