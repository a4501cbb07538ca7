#pragma once

#include "dsp/BiquadStage.h"
#include "dsp/PoleZeroLayout.h"
#include "dsp/StageRealisation.h"

#include <array>

namespace Dsp {

// A cascade of second-order stages in direct form I, run in place over interleaved frames
// of Channels samples. Each stage keeps its own past inputs and outputs per channel; a
// redesign replaces only the coefficients, so a running filter continues from the real
// signal history with its new response. Nothing here allocates.
template <int MaxOrder, int Channels>
class CascadeFilter
{
public:
  static_assert(MaxOrder >= 1 && MaxOrder <= PoleZeroLayout::kMaxOrder, "unsupported filter order");
  static_assert(Channels >= 1, "a filter needs at least one channel");

  static constexpr int kMaxStages = StageCountForOrder(MaxOrder);

  // Turns every designed stage into a unit pass-through; histories stay, and they keep
  // following the signal while the filter passes it.
  void SetPassThrough()
  {
    for (int i = 0; i < activeStages; ++i)
      stages[i].SetPassThrough();
  }

  // Forgets the past of every designed stage.
  void Clear()
  {
    for (auto& channel : history)
      for (int i = 0; i < activeStages; ++i)
        channel[i] = StageHistory {};
  }

  void Process(int frames, double* interleaved)
  {
    for (int frame = 0; frame < frames; ++frame)
    {
      for (int channel = 0; channel < Channels; ++channel, ++interleaved)
        *interleaved = ProcessSample(history[channel], *interleaved);
    }
  }

  int StageCount() const { return activeStages; }
  const BiquadStage& Stage(int index) const { return stages[index]; }

protected:
  static bool IsSupportedOrder(int order) { return order >= 1 && order <= MaxOrder; }

  void Install(const PoleZeroLayout& digital, double normW)
  {
    RealiseStages(digital, normW, stages.data());
    activeStages = StageCountForOrder(digital.count);
  }

private:
  struct StageHistory
  {
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
  };

  using ChannelHistory = std::array<StageHistory, kMaxStages>;

  double ProcessSample(ChannelHistory& channel, double x) const
  {
    for (int i = 0; i < activeStages; ++i)
    {
      const BiquadStage& s = stages[i];
      StageHistory& h = channel[i];
      const double y = s.b0 * x + s.b1 * h.x1 + s.b2 * h.x2 + s.a1 * h.y1 + s.a2 * h.y2;
      h.x2 = h.x1;
      h.x1 = x;
      h.y2 = h.y1;
      h.y1 = y;
      x = y;
    }
    return x;
  }

  std::array<BiquadStage, kMaxStages> stages {};
  std::array<ChannelHistory, Channels> history {};
  int activeStages = 0;
};

}  // namespace Dsp
