#include "effect/Crossover.h"

#include "dsp/StereoFrame.h"

#include <algorithm>
#include <cstdint>

namespace {

// A design at or above half the rate is unstable; "Freq. High" can reach it without
// oversampling at low session rates.
constexpr double kHighestCutoff = 0.49;

// Frames a crossfade handles at a time: the incoming bank's bands are worked on in buffers
// of this size on the stack.
constexpr int kChunkFrames = 128;

// The incoming bank's share after `done` of `length` frames: a smooth step from 0 to 1 that
// starts and ends without a kink.
double FadeIn(int done, int length)
{
  const double t = static_cast<double>(done) / length;
  return t * t * (3.0 - 2.0 * t);
}

// band = band * (1 - gain) + incoming * gain, frame by frame.
void Mix(double* band, const double* incoming, const double* gains, int frames)
{
  for (int i = 0; i < frames; ++i)
  {
    const Dsp::StereoFrame gain = Dsp::BothChannels(gains[i]);
    const Dsp::StereoFrame mixed =
      Dsp::LoadFrame(band + 2 * i) * (1.0 - gain) + Dsp::LoadFrame(incoming + 2 * i) * gain;
    Dsp::StoreFrame(band + 2 * i, mixed);
  }
}

}  // namespace

double Crossover::Cutoff(double hertz) const
{
  return std::min(hertz / rate, kHighestCutoff);
}

int Crossover::FadeFrames() const
{
  return std::max(1, static_cast<int>(rate * kFadeSeconds));
}

void Crossover::DesignBank(int bank)
{
  banks[bank].DesignLowEdge(Cutoff(tunings[bank].lowEdgeHz));
  banks[bank].DesignHighEdge(Cutoff(tunings[bank].highEdgeHz));
}

void Crossover::Design(double lowEdgeHz, double highEdgeHz, int oversampledRate)
{
  EndFade();
  rate = oversampledRate;
  CrossoverBank& bank = banks[inUse];
  Tuning& tuning = tunings[inUse];
  if (bank.AllDesigned() && lowEdgeHz != tuning.lowEdgeHz)
    bank.ClearLowEdge();
  if (bank.AllDesigned() && highEdgeHz != tuning.highEdgeHz)
    bank.ClearHighEdge();
  tuning = {lowEdgeHz, highEdgeHz};
  DesignBank(inUse);
}

void Crossover::SetRate(int oversampledRate)
{
  if (!AllDesigned())
    return;
  const int oldLength = FadeFrames();
  rate = oversampledRate;
  DesignBank(inUse);
  if (!Moving())
    return;
  DesignBank(1 - inUse);
  fadeLength = FadeFrames();
  fadeDone = static_cast<int>(static_cast<int64_t>(fadeDone) * fadeLength / oldLength);
}

void Crossover::Follow(ParamSmoother& lowEdge, ParamSmoother& highEdge)
{
  EndFade();
  if (lowEdge.Settled() && highEdge.Settled())
    return;
  lowEdge.current = lowEdge.target;
  highEdge.current = highEdge.target;
  tunings[inUse] = {lowEdge.current, highEdge.current};
  DesignBank(inUse);
}

void Crossover::Clear()
{
  for (CrossoverBank& bank : banks)
    bank.Clear();
}

// The bank being faded in takes over at once.
void Crossover::EndFade()
{
  if (!Moving())
    return;
  inUse = 1 - inUse;
  fadeDone = fadeLength = 0;
}

void Crossover::StartFade(ParamSmoother& lowEdge, ParamSmoother& highEdge)
{
  lowEdge.current = lowEdge.target;
  highEdge.current = highEdge.target;
  const Tuning& from = tunings[inUse];
  const Tuning to{lowEdge.current, highEdge.current};
  const bool lowMoves = to.lowEdgeHz != from.lowEdgeHz;
  const bool highMoves = to.highEdgeHz != from.highEdgeHz;
  if (!lowMoves && !highMoves)
    return;
  CrossoverBank& incoming = Fading();
  incoming = banks[inUse];
  tunings[1 - inUse] = to;
  if (lowMoves)
  {
    incoming.DesignLowEdge(Cutoff(to.lowEdgeHz));
    incoming.ClearLowEdge();
  }
  if (highMoves)
  {
    incoming.DesignHighEdge(Cutoff(to.highEdgeHz));
    incoming.ClearHighEdge();
  }
  fadeDone = 0;
  fadeLength = FadeFrames();
}

void Crossover::Split(double* low, double* mid, double* high, int frames, ParamSmoother& lowEdge,
                      ParamSmoother& highEdge)
{
  while (frames > 0)
  {
    if (!Moving() && !(lowEdge.Settled() && highEdge.Settled()))
      StartFade(lowEdge, highEdge);
    if (!Moving())
    {
      banks[inUse].Split(low, mid, high, frames);
      return;
    }
    const int fading = std::min(frames, fadeLength - fadeDone);
    Crossfade(low, mid, high, fading);
    low += 2 * fading;
    mid += 2 * fading;
    high += 2 * fading;
    frames -= fading;
  }
}

void Crossover::Crossfade(double* low, double* mid, double* high, int frames)
{
  CrossoverBank& outgoing = banks[inUse];
  CrossoverBank& incoming = Fading();
  std::array<double, 2 * kChunkFrames> incomingLow, incomingMid, incomingHigh;
  std::array<double, kChunkFrames> gains;
  for (int first = 0; first < frames; first += kChunkFrames)
  {
    const int count = std::min(kChunkFrames, frames - first);
    double* const bands[] = {low + 2 * first, mid + 2 * first, high + 2 * first};
    double* const incomingBands[] = {incomingLow.data(), incomingMid.data(), incomingHigh.data()};
    for (double* copy : incomingBands)
      std::copy(bands[0], bands[0] + 2 * count, copy);
    outgoing.Split(bands[0], bands[1], bands[2], count);
    incoming.Split(incomingBands[0], incomingBands[1], incomingBands[2], count);
    for (int i = 0; i < count; ++i)
      gains[i] = FadeIn(fadeDone + i + 1, fadeLength);
    for (int band = 0; band < 3; ++band)
      Mix(bands[band], incomingBands[band], gains.data(), count);
    fadeDone += count;
  }
  if (fadeDone == fadeLength)
    EndFade();
}
