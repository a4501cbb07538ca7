#include "effect/CleanResampler.h"

#include "dsp/HalfBandDesign.h"

namespace {

// The top of the host band each stage keeps flat, as a fraction of the host rate:
// 20 kHz at 44.1 kHz.
constexpr double kPassBandShare = 20000.0 / 44100.0;

constexpr double kStopBandDb = 100.0;

constexpr double kLowestOversampledRate = 700000.0;

// A stage between k and 2k times the host rate keeps the host band and must stop what lies
// within the host band's width of k times the host rate (its own Nyquist frequency's
// mirror); as a fraction of 2k times the host rate the gap between is 1/2 - share/k.
Dsp::HalfBandCoefficients DesignStage(int stage)
{
  const double share = kPassBandShare / (1 << stage);
  return Dsp::DesignHalfBand(0.5 - share, kStopBandDb);
}

}  // namespace

CleanResampler::CleanResampler()
{
  for (int stage = 0; stage < kMaxStages; ++stage)
  {
    const Dsp::HalfBandCoefficients design = DesignStage(stage);
    for (auto& stream : interpolators)
      stream[stage].SetCoefficients(design);
    decimators[stage].SetCoefficients(design);
  }
}

int CleanResampler::FactorFor(double hostRate)
{
  int factor = 2;
  while (factor < kMaxFactor && factor * hostRate < kLowestOversampledRate)
    factor *= 2;
  return factor;
}

void CleanResampler::SetFactor(int factor)
{
  stageCount = 1;
  while ((1 << stageCount) < factor && stageCount < kMaxStages)
    ++stageCount;
}

void CleanResampler::ClearUpsampling(int stream)
{
  for (Dsp::HalfBandInterpolator& stage : interpolators[stream])
    stage.Clear();
}

void CleanResampler::ClearDownsampling()
{
  for (Dsp::HalfBandDecimator& stage : decimators)
    stage.Clear();
}

// The stages alternate between out and scratch so that the last one writes into out.
void CleanResampler::Upsample(int stream, const double* in, int frames, double* out, double* scratch)
{
  const double* source = in;
  for (int stage = 0; stage < stageCount; ++stage, frames *= 2)
  {
    double* const target = (stageCount - 1 - stage) % 2 == 0 ? out : scratch;
    interpolators[stream][stage].Process(source, frames, target);
    source = target;
  }
}

void CleanResampler::Downsample(double* oversampled, int frames, double* out)
{
  for (int stage = stageCount - 1; stage > 0; --stage)
    decimators[stage].Process(oversampled, frames << stage, oversampled);
  decimators[0].Process(oversampled, frames, out);
}
