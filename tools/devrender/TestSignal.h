#pragma once

#include <string>
#include <vector>

// Generated stereo test material for listening to the effect.
class TestSignal
{
public:
  enum Kind
  {
    kSweep,
    kTone,
    kNoise,
    kImpulses,
    kUnknown
  };

  static Kind KindFromName(const std::string& name);

  // Fills left and right with `frames` frames at `rate`: a logarithmic sweep from 20 Hz to
  // the Nyquist frequency, a tone at `hertz`, white noise, or one click every half second.
  static void Generate(Kind kind, double rate, double hertz, double amplitude, std::vector<double>& left,
                       std::vector<double>& right);
};
