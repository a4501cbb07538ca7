#include "tools/devrender/TestSignal.h"

#include <cmath>
#include <random>

TestSignal::Kind TestSignal::KindFromName(const std::string& name)
{
  if (name == "sweep")
    return kSweep;
  if (name == "tone")
    return kTone;
  if (name == "noise")
    return kNoise;
  if (name == "impulses")
    return kImpulses;
  return kUnknown;
}

void TestSignal::Generate(Kind kind, double rate, double hertz, double amplitude, std::vector<double>& left,
                          std::vector<double>& right)
{
  const size_t frames = left.size();
  const double seconds = frames / rate;
  const double lowest = 20.0;
  const double sweepRatio = std::log(rate * 0.5 / lowest);
  std::mt19937 random(1);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  for (size_t i = 0; i < frames; ++i)
  {
    const double t = i / rate;
    double value = 0.0;
    switch (kind)
    {
      case kSweep:
        // Phase of a sweep whose frequency rises exponentially from `lowest` to Nyquist.
        value = std::sin(2.0 * M_PI * lowest * seconds / sweepRatio * (std::exp(sweepRatio * t / seconds) - 1.0));
        break;
      case kTone:
        value = std::sin(2.0 * M_PI * hertz * t);
        break;
      case kNoise:
        value = uniform(random);
        break;
      case kImpulses:
        value = i % static_cast<size_t>(rate * 0.5) == 0 ? 1.0 : 0.0;
        break;
      case kUnknown:
        break;
    }
    left[i] = amplitude * value;
    right[i] = kind == kNoise ? amplitude * uniform(random) : left[i];
  }
}
