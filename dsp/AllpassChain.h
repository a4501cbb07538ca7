#pragma once

#include "dsp/StereoFrame.h"

#include <array>

namespace Dsp {

// One branch of a polyphase half-band filter: first-order allpass sections in z^-2, run at
// the lower of the two rates so that each step is one of the branch's samples, on stereo
// frames. Neighbouring sections share a history value (one section's last output is the
// next one's last input), so n sections keep n + 1 frames.
class AllpassChain
{
public:
  static constexpr int kMaxSections = 6;

  // Takes every stride-th coefficient from first on; count of them at most kMaxSections.
  // Histories stay.
  void SetCoefficients(const double* first, int count, int stride)
  {
    sections = count;
    for (int i = 0; i < count; ++i)
      coefficients[i] = BothChannels(first[i * stride]);
  }

  void Clear() { history = {}; }

  StereoFrame Step(StereoFrame x)
  {
    for (int i = 0; i < sections; ++i)
    {
      const StereoFrame y = coefficients[i] * (x - history[i + 1]) + history[i];
      history[i] = x;
      x = y;
    }
    history[sections] = x;
    return x;
  }

private:
  std::array<StereoFrame, kMaxSections> coefficients{};
  std::array<StereoFrame, kMaxSections + 1> history{};
  int sections = 0;
};

}  // namespace Dsp
