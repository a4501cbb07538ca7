#include "effect/CrossoverBank.h"

#include "dsp/StereoSection.h"

namespace {

constexpr int kOrder = 2;

}  // namespace

void CrossoverBank::DesignLowEdge(double cutoff)
{
  for (LowPass* f : {&lowSplitLP1, &lowSplitLP2})
    f->Setup(kOrder, 1.0, cutoff);
  for (HighPass* f : {&midSplitHP1, &midSplitHP2})
    f->Setup(kOrder, 1.0, cutoff);
}

void CrossoverBank::DesignHighEdge(double cutoff)
{
  for (HighPass* f : {&highSplitHP1, &highSplitHP2})
    f->Setup(kOrder, 1.0, cutoff);
  for (LowPass* f : {&midSplitLP1, &midSplitLP2})
    f->Setup(kOrder, 1.0, cutoff);
}

void CrossoverBank::ClearLowEdge()
{
  for (LowPass* f : {&lowSplitLP1, &lowSplitLP2, &midSplitLP1, &midSplitLP2})
    f->Clear();
  for (HighPass* f : {&midSplitHP1, &midSplitHP2})
    f->Clear();
}

void CrossoverBank::ClearHighEdge()
{
  for (LowPass* f : {&midSplitLP1, &midSplitLP2})
    f->Clear();
  for (HighPass* f : {&highSplitHP1, &highSplitHP2})
    f->Clear();
}

void CrossoverBank::Clear()
{
  for (LowPass* f : {&lowSplitLP1, &lowSplitLP2, &midSplitLP1, &midSplitLP2})
    f->Clear();
  for (HighPass* f : {&midSplitHP1, &midSplitHP2, &highSplitHP1, &highSplitHP2})
    f->Clear();
}

// The sections run frame by frame from registers, several side by side (low and high band
// together, then the mid band's four): one filter after another would leave the processor
// waiting on each section's feedback in turn. Two loops keep the state within the registers.
void CrossoverBank::Split(double* low, double* mid, double* high, int frames)
{
  if (!AllDesigned())
  {
    SplitFilterByFilter(low, mid, high, frames);
    return;
  }

  using Dsp::StereoSection;
  StereoSection lowLP1(lowSplitLP1.SectionAt(0)), lowLP2(lowSplitLP2.SectionAt(0));
  StereoSection midHP1(midSplitHP1.SectionAt(0)), midHP2(midSplitHP2.SectionAt(0));
  StereoSection midLP1(midSplitLP1.SectionAt(0)), midLP2(midSplitLP2.SectionAt(0));
  StereoSection highHP1(highSplitHP1.SectionAt(0)), highHP2(highSplitHP2.SectionAt(0));
  for (int i = 0; i < 2 * frames; i += 2)
  {
    Dsp::StoreFrame(low + i, lowLP2.Step(lowLP1.Step(Dsp::LoadFrame(low + i))));
    Dsp::StoreFrame(high + i, highHP2.Step(highHP1.Step(Dsp::LoadFrame(high + i))));
  }
  for (int i = 0; i < 2 * frames; i += 2)
  {
    const Dsp::StereoFrame midAboveLowEdge = midHP2.Step(midHP1.Step(Dsp::LoadFrame(mid + i)));
    Dsp::StoreFrame(mid + i, midLP2.Step(midLP1.Step(midAboveLowEdge)));
  }
  lowLP1.StoreHistory(lowSplitLP1.SectionAt(0));
  lowLP2.StoreHistory(lowSplitLP2.SectionAt(0));
  midHP1.StoreHistory(midSplitHP1.SectionAt(0));
  midHP2.StoreHistory(midSplitHP2.SectionAt(0));
  midLP1.StoreHistory(midSplitLP1.SectionAt(0));
  midLP2.StoreHistory(midSplitLP2.SectionAt(0));
  highHP1.StoreHistory(highSplitHP1.SectionAt(0));
  highHP2.StoreHistory(highSplitHP2.SectionAt(0));
}

// Before its first design a filter has no stage: it passes its input and keeps no history.
bool CrossoverBank::AllDesigned() const
{
  for (const LowPass* f : {&lowSplitLP1, &lowSplitLP2, &midSplitLP1, &midSplitLP2})
    if (f->StageCount() == 0)
      return false;
  for (const HighPass* f : {&midSplitHP1, &midSplitHP2, &highSplitHP1, &highSplitHP2})
    if (f->StageCount() == 0)
      return false;
  return true;
}

void CrossoverBank::SplitFilterByFilter(double* low, double* mid, double* high, int frames)
{
  lowSplitLP1.Process(frames, low);
  lowSplitLP2.Process(frames, low);
  midSplitHP1.Process(frames, mid);
  midSplitHP2.Process(frames, mid);
  midSplitLP1.Process(frames, mid);
  midSplitLP2.Process(frames, mid);
  highSplitHP1.Process(frames, high);
  highSplitHP2.Process(frames, high);
}
