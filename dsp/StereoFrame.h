#pragma once

#include <cstring>

namespace Dsp {

// One interleaved stereo frame (left, right) held in one SSE2 register. Every arithmetic
// operation acts on each lane exactly as it would on a scalar double, so code written on
// frames gives the same results as the same code written per channel, at half the work.
typedef double StereoFrame __attribute__((vector_size(16)));

inline StereoFrame LoadFrame(const double* samples)
{
  StereoFrame frame;
  std::memcpy(&frame, samples, sizeof frame);
  return frame;
}

inline void StoreFrame(double* samples, StereoFrame frame)
{
  std::memcpy(samples, &frame, sizeof frame);
}

inline StereoFrame BothChannels(double value)
{
  return StereoFrame{value, value};
}

}  // namespace Dsp
