#pragma once

#include "tools/vulcrax-render/AudioSource.h"

#include <cstdint>

// A few seconds of stereo music made on the fly, for trying the effect without a file: two
// sustained seventh chords with a bright, harmonic-rich timbre, a kick drum on every beat and
// a noise snap on the off-beats, panned apart so both channels differ.
class DemoSignal : public AudioSource
{
public:
  static constexpr int kSampleRate = 44100;
  static constexpr double kSeconds = 4.0;

  int Channels() const override { return 2; }
  int SampleRate() const override { return kSampleRate; }
  int64_t Frames() const override;
  int64_t Read(double* interleaved, int64_t frames) override;

private:
  void Frame(int64_t index, double& left, double& right);
  double NextNoise();

  int64_t mPosition = 0;
  uint32_t mNoiseState = 0x9E3779B9u;
};
