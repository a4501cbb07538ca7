#include "effect/Oversampler.h"

int Oversampler::Choose(bool on, Quality quality, double hostRate)
{
  if (!on)
  {
    mode = kOff;
    factor = 1;
  }
  else if (quality == kClean)
  {
    mode = kCleanMode;
    clean.SetFactor(CleanResampler::FactorFor(hostRate));
    factor = clean.Factor();
  }
  else
  {
    mode = kClassicMode;
    factor = kClassicFactor;
  }
  return factor;
}

void Oversampler::DesignClassicFilters(double stopBandDb, double hostRate, int oversampledRate)
{
  classic.Design(stopBandDb, hostRate, oversampledRate);
}

void Oversampler::Upsample(const double* in, int frames, double* out)
{
  if (mode == kClassicMode && ranLastBlock != kClassicMode)
    classic.Clear();
  classic.Upsample(in, frames, factor, out);
}

void Oversampler::UpsampleBand(int band, const double* in, int frames, double* out, double* scratch)
{
  if (!bandRanLastBlock[band])
    clean.ClearUpsampling(band);
  bandRuns[band] = true;
  clean.Upsample(band, in, frames, out, scratch);
}

void Oversampler::Downsample(double* oversampled, int frames, double* out)
{
  if (mode == kCleanMode)
  {
    if (ranLastBlock != kCleanMode)
      clean.ClearDownsampling();
    clean.Downsample(oversampled, frames, out);
  }
  else
  {
    classic.Downsample(oversampled, frames, factor, out);
  }
  ranLastBlock = mode;
  bandRanLastBlock = bandRuns;
  bandRuns = {};
}

void Oversampler::SkipBlock()
{
  ranLastBlock = kOff;
  bandRanLastBlock = {};
  bandRuns = {};
}
