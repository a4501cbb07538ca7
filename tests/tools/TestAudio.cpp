#include "tests/tools/TestAudio.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TestAudio MakeTestSignal(int channels, int sampleRate, double seconds, int format)
{
  TestAudio audio;
  audio.channels = channels;
  audio.sampleRate = sampleRate;
  audio.format = format;
  const long frames = static_cast<long>(seconds * sampleRate);
  for (long frame = 0; frame < frames; ++frame)
  {
    const double t = static_cast<double>(frame) / sampleRate;
    const double fade = std::min(1.0, t / 0.01);
    for (int channel = 0; channel < channels; ++channel)
    {
      const double low = std::sin(2.0 * kPi * (110.0 + 40.0 * channel) * t);
      const double high = std::sin(2.0 * kPi * (1500.0 + 300.0 * channel) * t);
      audio.samples.push_back(fade * (0.3 * low + 0.2 * high));
    }
  }
  return audio;
}

bool WriteAudio(const std::string& path, const TestAudio& audio)
{
  SF_INFO info{};
  info.channels = audio.channels;
  info.samplerate = audio.sampleRate;
  info.format = audio.format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file)
    return false;
  const sf_count_t written = sf_writef_double(file, audio.samples.data(), audio.Frames());
  return sf_close(file) == 0 && written == audio.Frames();
}

TestAudio ReadAudio(const std::string& path)
{
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  TestAudio audio;
  if (!file)
    return audio;
  audio.samples.resize(static_cast<size_t>(info.frames * info.channels));
  const sf_count_t read = sf_readf_double(file, audio.samples.data(), info.frames);
  sf_close(file);
  if (read != info.frames)
    return TestAudio();
  audio.channels = info.channels;
  audio.sampleRate = info.samplerate;
  audio.format = info.format;
  return audio;
}

double Rms(const TestAudio& audio, int channel, long firstFrame)
{
  double sum = 0.0;
  for (long frame = firstFrame; frame < audio.Frames(); ++frame)
    sum += audio.At(frame, channel) * audio.At(frame, channel);
  const long count = audio.Frames() - firstFrame;
  return count > 0 ? std::sqrt(sum / count) : 0.0;
}

double Peak(const TestAudio& audio, int channel)
{
  double peak = 0.0;
  for (long frame = 0; frame < audio.Frames(); ++frame)
    peak = std::max(peak, std::fabs(audio.At(frame, channel)));
  return peak;
}

double MaxDifference(const TestAudio& a, const TestAudio& b)
{
  if (a.samples.size() != b.samples.size())
    return INFINITY;
  double difference = 0.0;
  for (size_t i = 0; i < a.samples.size(); ++i)
    difference = std::max(difference, std::fabs(a.samples[i] - b.samples[i]));
  return difference;
}
