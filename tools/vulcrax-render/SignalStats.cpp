#include "tools/vulcrax-render/SignalStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

SignalStats::SignalStats(int channels) : mPeaks(channels, 0.0), mSumsOfSquares(channels, 0.0) {}

void SignalStats::Add(const double* interleaved, int64_t frames)
{
  const int channels = Channels();
  for (int64_t frame = 0; frame < frames; ++frame)
  {
    for (int channel = 0; channel < channels; ++channel)
    {
      const double sample = interleaved[frame * channels + channel];
      mPeaks[channel] = std::max(mPeaks[channel], std::fabs(sample));
      mSumsOfSquares[channel] += sample * sample;
    }
  }
  mFrames += frames;
}

double SignalStats::Rms(int channel) const
{
  return mFrames > 0 ? std::sqrt(mSumsOfSquares[channel] / static_cast<double>(mFrames)) : 0.0;
}

double ToDbfs(double level)
{
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}
