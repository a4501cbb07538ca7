#pragma once

#include <cstdint>
#include <vector>

// Peak and RMS level of each channel of a stream of interleaved frames.
class SignalStats
{
public:
  explicit SignalStats(int channels);

  void Add(const double* interleaved, int64_t frames);

  int Channels() const { return static_cast<int>(mPeaks.size()); }
  int64_t Frames() const { return mFrames; }
  double Peak(int channel) const { return mPeaks[channel]; }
  double Rms(int channel) const;

private:
  std::vector<double> mPeaks;
  std::vector<double> mSumsOfSquares;
  int64_t mFrames = 0;
};

// Level in dB relative to full scale; -inf for silence.
double ToDbfs(double level);
