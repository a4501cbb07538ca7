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

void Oversampler::Upsample(const double* in, int frames, double* out, double* scratch)
{
  if (mode != ranLastBlock)
  {
    if (mode == kClassicMode)
      classic.Clear();
    else if (mode == kCleanMode)
      clean.Clear();
  }
  ranLastBlock = mode;
  if (mode == kCleanMode)
    clean.Upsample(in, frames, out, scratch);
  else
    classic.Upsample(in, frames, factor, out);
}

void Oversampler::Downsample(double* oversampled, int frames, double* out)
{
  if (mode == kCleanMode)
    clean.Downsample(oversampled, frames, out);
  else
    classic.Downsample(oversampled, frames, factor, out);
}
