#pragma once

#include "dsp/StereoFrame.h"

#include <array>
#include <type_traits>

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

  int Sections() const { return sections; }

  void Clear() { history = {}; }

  // The chain taken into local variables for a processing loop, with its length known to
  // the compiler, so that the histories stay in registers; Store writes them back.
  template <int Sections>
  class Unrolled
  {
  public:
    explicit Unrolled(const AllpassChain& chain)
    {
      for (int i = 0; i < Sections; ++i)
        a[i] = chain.coefficients[i];
      for (int i = 0; i <= Sections; ++i)
        h[i] = chain.history[i];
    }

    void Store(AllpassChain& chain) const
    {
      for (int i = 0; i <= Sections; ++i)
        chain.history[i] = h[i];
    }

    // y = a x + x1 - a y1: only the last product and difference wait for the previous output.
    StereoFrame Step(StereoFrame x)
    {
      for (int i = 0; i < Sections; ++i)
      {
        const StereoFrame y = (a[i] * x + h[i]) - a[i] * h[i + 1];
        h[i] = x;
        x = y;
      }
      h[Sections] = x;
      return x;
    }

  private:
    StereoFrame a[Sections > 0 ? Sections : 1];
    StereoFrame h[Sections + 1];
  };

private:
  std::array<StereoFrame, kMaxSections> coefficients{};
  std::array<StereoFrame, kMaxSections + 1> history{};
  int sections = 0;
};

// Calls body(direct, delayed) with the section counts of a half-band's two branches as
// compile-time constants: the even-numbered of `count` coefficients form the direct
// branch, the odd-numbered ones the delayed branch.
template <typename Body>
void WithBranchLengths(int count, Body body)
{
  using std::integral_constant;
  switch (count)
  {
    case 1:
      return body(integral_constant<int, 1>{}, integral_constant<int, 0>{});
    case 2:
      return body(integral_constant<int, 1>{}, integral_constant<int, 1>{});
    case 3:
      return body(integral_constant<int, 2>{}, integral_constant<int, 1>{});
    case 4:
      return body(integral_constant<int, 2>{}, integral_constant<int, 2>{});
    case 5:
      return body(integral_constant<int, 3>{}, integral_constant<int, 2>{});
    case 6:
      return body(integral_constant<int, 3>{}, integral_constant<int, 3>{});
    case 7:
      return body(integral_constant<int, 4>{}, integral_constant<int, 3>{});
    case 8:
      return body(integral_constant<int, 4>{}, integral_constant<int, 4>{});
    case 9:
      return body(integral_constant<int, 5>{}, integral_constant<int, 4>{});
    case 10:
      return body(integral_constant<int, 5>{}, integral_constant<int, 5>{});
    case 11:
      return body(integral_constant<int, 6>{}, integral_constant<int, 5>{});
    default:
      return body(integral_constant<int, 6>{}, integral_constant<int, 6>{});
  }
}

}  // namespace Dsp
