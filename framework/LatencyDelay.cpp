#include "framework/LatencyDelay.h"

#include <algorithm>

LatencyDelay::LatencyDelay(int inputChannels, int outputChannels, int length)
  : mInputChannels(std::max(0, inputChannels)), mOutputChannels(std::max(0, outputChannels))
{
  SetLength(length);
}

void LatencyDelay::SetLength(int length)
{
  mLength = std::max(0, length);
  mStore.assign(static_cast<size_t>(mLength) * static_cast<size_t>(mInputChannels), 0.0);
  mWritePosition = 0;
}

void LatencyDelay::Process(double* const* inputs, double* const* outputs, int channels, int frames)
{
  channels = std::min({channels, mInputChannels, mOutputChannels});
  if (mLength <= 0)
    return;
  for (int s = 0; s < frames; ++s)
  {
    for (int j = 0; j < channels; ++j)
    {
      // The input is read before the output is written: hosts may pass one array for both.
      const double input = inputs[j][s];
      double& stored = mStore[static_cast<size_t>(j) * mLength + mWritePosition];
      outputs[j][s] = stored;
      stored = input;
    }
    mWritePosition = (mWritePosition + 1) % static_cast<uint64_t>(mLength);
  }
}
