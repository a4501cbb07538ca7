#pragma once

#include "dsp/BiquadSection.h"
#include "dsp/BiquadStage.h"
#include "dsp/PoleZeroLayout.h"
#include "dsp/StageRealisation.h"
#include "dsp/StereoSection.h"

#include <array>
#include <utility>

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
  using Section = BiquadSection<Channels>;

  // Turns every designed stage into a unit pass-through; histories stay, and they keep
  // following the signal while the filter passes it.
  void SetPassThrough()
  {
    for (int i = 0; i < activeStages; ++i)
      sections[i].coeffs.SetPassThrough();
  }

  // Forgets the past of every designed stage.
  void Clear()
  {
    for (int i = 0; i < activeStages; ++i)
      sections[i].history = {};
  }

  void Process(int frames, double* interleaved)
  {
    if (activeStages == kMaxStages)
      ProcessAllStages(frames, interleaved);
    else
      for (int i = 0; i < activeStages; ++i)
        ProcessOneStage(sections[i], frames, interleaved);
  }

  int StageCount() const { return activeStages; }
  const BiquadStage& Stage(int index) const { return sections[index].coeffs; }

  // Direct access for loops that run several filters side by side; index < StageCount().
  Section& SectionAt(int index) { return sections[index]; }

protected:
  static bool IsSupportedOrder(int order) { return order >= 1 && order <= MaxOrder; }

  void Install(const PoleZeroLayout& digital, double normW)
  {
    std::array<BiquadStage, kMaxStages> designed;
    RealiseStages(digital, normW, designed.data());
    activeStages = StageCountForOrder(digital.count);
    for (int i = 0; i < activeStages; ++i)
      sections[i].coeffs = designed[i];
  }

private:
  // Frame by frame through every stage, all of them held in locals: successive stages of
  // neighbouring frames can then overlap in the processor. The loops are unrolled so that
  // every section is addressed by a constant and can live in registers.
  void ProcessAllStages(int frames, double* interleaved)
  {
    if constexpr (Channels == 2)
      ProcessAllStagesStereo(frames, interleaved);
    else
    {
      std::array<Section, kMaxStages> local = sections;
      for (int frame = 0; frame < frames; ++frame, interleaved += Channels)
      {
#pragma GCC unroll 16
        for (int channel = 0; channel < Channels; ++channel)
        {
          double x = interleaved[channel];
#pragma GCC unroll 16
          for (Section& section : local)
            x = section.Step(channel, x);
          interleaved[channel] = x;
        }
      }
      sections = local;
    }
  }

  void ProcessAllStagesStereo(int frames, double* interleaved)
  {
    StereoSections local = LoadStereo(std::make_index_sequence<kMaxStages>());
    for (int frame = 0; frame < frames; ++frame, interleaved += 2)
    {
      StereoFrame x = LoadFrame(interleaved);
#pragma GCC unroll 16
      for (StereoSection& section : local)
        x = section.Step(x);
      StoreFrame(interleaved, x);
    }
    for (int i = 0; i < kMaxStages; ++i)
      local[i].StoreHistory(sections[i]);
  }

  using StereoSections = std::array<StereoSection, kMaxStages>;

  template <std::size_t... I>
  StereoSections LoadStereo(std::index_sequence<I...>) const
  {
    return {StereoSection(sections[I])...};
  }

  static void ProcessOneStage(Section& stored, int frames, double* interleaved)
  {
    Section section = stored;
    for (int frame = 0; frame < frames; ++frame, interleaved += Channels)
      for (int channel = 0; channel < Channels; ++channel)
        interleaved[channel] = section.Step(channel, interleaved[channel]);
    stored = section;
  }

  std::array<Section, kMaxStages> sections{};
  int activeStages = 0;
};

}  // namespace Dsp
