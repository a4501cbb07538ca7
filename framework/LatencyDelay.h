#pragma once

#include <cstdint>
#include <vector>

// Delays the pass-through signal by the plug-in's latency so a bypassed plug-in stays
// time-aligned with its processed output. The store is channel-major: channel j occupies
// entries j * length .. (j + 1) * length - 1.
class LatencyDelay
{
public:
  LatencyDelay(int inputChannels, int outputChannels, int length);

  // New length; the store is resized and zeroed and the write position rewound.
  void SetLength(int length);
  int Length() const { return mLength; }

  // Delays one block: out[j][s] takes the sample written length frames earlier.
  void Process(double* const* inputs, double* const* outputs, int channels, int frames);

private:
  std::vector<double> mStore;
  uint64_t mWritePosition = 0;
  int mInputChannels = 0;
  int mOutputChannels = 0;
  int mLength = 0;
};
