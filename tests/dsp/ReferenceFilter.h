#pragma once

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"

// One design as the reference data lists it.
struct ReferenceDesign
{
  int kind = 0;  // 0 Butterworth low-pass, 1 Butterworth high-pass, 2 Chebyshev II low-pass
  int order = 0;
  double sampleRate = 1.0;
  double cutoff = 0.0;
  double stopBandDb = 0.0;
};

// The three filter types the effect uses behind one face, so that the data-driven tests
// can pick the type from the reference files.
class ReferenceFilter
{
public:
  explicit ReferenceFilter(int kind) : kind(kind) {}

  bool Setup(const ReferenceDesign& d)
  {
    switch (kind)
    {
      case 0: return lowPass.Setup(d.order, d.sampleRate, d.cutoff);
      case 1: return highPass.Setup(d.order, d.sampleRate, d.cutoff);
      default: return cheby.Setup(d.order, d.sampleRate, d.cutoff, d.stopBandDb);
    }
  }

  template <typename Action>
  auto With(Action action)
  {
    switch (kind)
    {
      case 0: return action(lowPass);
      case 1: return action(highPass);
      default: return action(cheby);
    }
  }

  void Process(int frames, double* data)
  {
    With([&](auto& f) { f.Process(frames, data); });
  }
  void SetPassThrough()
  {
    With([](auto& f) { f.SetPassThrough(); });
  }
  void Clear()
  {
    With([](auto& f) { f.Clear(); });
  }
  int StageCount()
  {
    return With([](auto& f) { return f.StageCount(); });
  }
  Dsp::BiquadStage Stage(int i)
  {
    return With([i](auto& f) { return f.Stage(i); });
  }

private:
  int kind;
  Dsp::ButterLowPass<2, 2> lowPass;
  Dsp::ButterHighPass<2, 2> highPass;
  Dsp::ChebyIILowPass<6, 2> cheby;
};
