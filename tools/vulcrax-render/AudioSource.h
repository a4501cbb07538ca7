#pragma once

#include <cstdint>

// Interleaved audio the renderer feeds to the plug-in: a file or the built-in demo.
class AudioSource
{
public:
  virtual ~AudioSource() = default;

  virtual int Channels() const = 0;
  virtual int SampleRate() const = 0;
  virtual int64_t Frames() const = 0;
  // Reads up to frames frames into interleaved; returns the frames read (0 at the end) or -1
  // when reading fails.
  virtual int64_t Read(double* interleaved, int64_t frames) = 0;
};
