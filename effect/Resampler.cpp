#include "effect/Resampler.h"

#include <algorithm>

void Resampler::Design(double stopBandDb, double hostRate, int oversampledRate)
{
  const double cutoff = hostRate * 0.5 / oversampledRate;
  upsampleFilter.SetPassThrough();
  downsampleFilter.SetPassThrough();
  upsampleFilter.Setup(6, 1.0, cutoff, stopBandDb);
  downsampleFilter.Setup(6, 1.0, cutoff, stopBandDb);
}

void Resampler::Clear()
{
  upsampleFilter.Clear();
  downsampleFilter.Clear();
}

void Resampler::Upsample(const double* in, int frames, int factor, double* out)
{
  if (factor < 2)
  {
    std::copy(in, in + 2 * frames, out);
    return;
  }
  double* held = out;
  for (int frame = 0; frame < frames; ++frame)
  {
    for (int repeat = 0; repeat < factor; ++repeat, held += 2)
    {
      held[0] = in[2 * frame];
      held[1] = in[2 * frame + 1];
    }
  }
  upsampleFilter.Process(frames * factor, out);
}

void Resampler::Downsample(double* oversampled, int frames, int factor, double* out)
{
  if (factor >= 2)
    downsampleFilter.Process(frames * factor, oversampled);
  for (int frame = 0; frame < frames; ++frame)
  {
    out[2 * frame] = oversampled[2 * frame * factor];
    out[2 * frame + 1] = oversampled[2 * frame * factor + 1];
  }
}
