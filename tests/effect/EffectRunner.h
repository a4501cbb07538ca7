#pragma once

#include "effect/TolvexVulcrax.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <vector>

// Planar stereo audio.
struct StereoSignal
{
  std::vector<double> left;
  std::vector<double> right;

  explicit StereoSignal(int frames = 0) : left(frames, 0.0), right(frames, 0.0) {}
  int Frames() const { return static_cast<int>(left.size()); }
};

inline StereoSignal Tone(int frames, double hertz, double rate, double amplitude = 0.5, int firstFrame = 0)
{
  StereoSignal s(frames);
  for (int i = 0; i < frames; ++i)
  {
    const double phase = 2.0 * M_PI * hertz * (firstFrame + i) / rate;
    s.left[i] = amplitude * std::sin(phase);
    s.right[i] = amplitude * std::cos(1.3 * phase);
  }
  return s;
}

// Exact equality of two signals, reporting the first frame that differs.
inline ::testing::AssertionResult SameSignal(const StereoSignal& actual, const StereoSignal& expected)
{
  if (actual.Frames() != expected.Frames())
    return ::testing::AssertionFailure() << actual.Frames() << " frames instead of " << expected.Frames();
  for (int i = 0; i < actual.Frames(); ++i)
  {
    if (actual.left[i] != expected.left[i] || actual.right[i] != expected.right[i])
      return ::testing::AssertionFailure()
             << std::setprecision(17) << "frame " << i << ": (" << actual.left[i] << ", " << actual.right[i]
             << ") instead of (" << expected.left[i] << ", " << expected.right[i] << ")";
  }
  return ::testing::AssertionSuccess();
}

// The effect as the plug-in base drives it, without any host adapter: rate and block size
// set, reset, parameters changed the way the host's automation changes them.
class EffectRunner
{
public:
  explicit EffectRunner(double rate = 44100.0, int blockSize = 512)
  {
    effect.SetRate(rate);
    effect.SetBlockLength(blockSize);
    effect.ResetProcessing();
  }

  void Set(int paramIdx, double value)
  {
    effect.ParamAt(paramIdx)->Assign(value);
    effect.ApplyParamChange(paramIdx, kSourceHost);
  }

  // Processes `in` in blocks of blockSize frames (the last one may be shorter).
  StereoSignal Run(const StereoSignal& in, int blockSize = 512)
  {
    StereoSignal out(in.Frames());
    for (int first = 0; first < in.Frames(); first += blockSize)
    {
      const int n = std::min(blockSize, in.Frames() - first);
      double* inputs[] = {const_cast<double*>(in.left.data()) + first, const_cast<double*>(in.right.data()) + first};
      double* outputs[] = {out.left.data() + first, out.right.data() + first};
      effect.ProcessBlock(inputs, outputs, n);
    }
    return out;
  }

  const SignalPath& Path() const { return effect.Signal(); }

  TolvexVulcrax effect;
};
