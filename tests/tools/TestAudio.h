#pragma once

#include <string>
#include <vector>

// Interleaved audio with its layout, as the renderer tests write and read it.
struct TestAudio
{
  int channels = 0;
  int sampleRate = 0;
  int format = 0;
  std::vector<double> samples;

  long Frames() const { return channels > 0 ? static_cast<long>(samples.size()) / channels : 0; }
  double At(long frame, int channel) const { return samples[frame * channels + channel]; }
};

// A test signal: a low and a high sine per channel (different per channel), amplitude about
// 0.5, with a short fade-in so the start has no click.
TestAudio MakeTestSignal(int channels, int sampleRate, double seconds, int format);

bool WriteAudio(const std::string& path, const TestAudio& audio);
// Empty audio (0 channels) when the file cannot be read.
TestAudio ReadAudio(const std::string& path);

double Rms(const TestAudio& audio, int channel, long firstFrame = 0);
double Peak(const TestAudio& audio, int channel);
// Largest sample-by-sample difference between two signals of the same layout.
double MaxDifference(const TestAudio& a, const TestAudio& b);
