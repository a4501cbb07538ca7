// The block routine against a plain, unoptimised model of it: fresh buffers every block,
// one filter after another, six copies per band, every step in its documented order. The
// effect keeps its buffers, runs frames in registers and fuses loops; none of that may change
// a single bit of the output, across random parameter changes, block sizes, resets and
// oversampling switches.

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"
#include "tests/effect/EffectRunner.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Buffer = std::vector<double>;

double Gain(double dB)
{
  return std::exp(dB * 0.1151292546497);
}

struct ModelChain
{
  double gain = 1.0, dcOffset = 0.0;
  int bits = 24;
  double lastOut[2] = {0.0, 0.0}, lastIn[2] = {0.0, 0.0};
  double a0 = 0.0, a1 = 0.0, b1 = 0.0;
  double even = 0.0, odd = 0.0, satMix = 1.0, bitMix = 1.0, excMix = 1.0;
  bool satBypass = true, bitBypass = true, excBypass = true;

  void SetRate(int rate)
  {
    const double p =
      std::pow(2.718281828459045, static_cast<double>(10.0f / static_cast<float>(rate)) * -6.283185307179586);
    a0 = (1.0 + p) * 0.5;
    a1 = (1.0 + p) * -0.5;
    b1 = p;
  }

  void Saturate(Buffer& b)
  {
    for (double& x : b)
    {
      const double d = x * gain + dcOffset;
      x = 0.1071000671 * d + d / (0.37011709966 * d * d + 1.1605589854);
    }
    for (size_t i = 0; i < b.size(); ++i)
    {
      const int ch = static_cast<int>(i % 2);
      const double x = b[i] + 1e-23;
      const double y = a0 * x + a1 * lastIn[ch] + b1 * lastOut[ch];
      lastIn[ch] = x;
      lastOut[ch] = y;
      b[i] = y;
    }
  }

  void ReduceBits(Buffer& b) const
  {
    const double q = static_cast<double>(static_cast<int32_t>(1u << (static_cast<unsigned>(bits - 1) & 31u)));
    for (double& x : b)
      x = static_cast<double>(static_cast<int64_t>(x * q)) / q;
  }

  void Excite(Buffer& b) const
  {
    for (double& x : b)
    {
      const double x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x, x6 = x5 * x, x7 = x6 * x;
      x = x + 0.2 * even * (0.5 * x2 + 0.25 * x4 + 0.16 * x6) - odd * (0.33 * x3 - 0.2 * x5 - 0.142 * x7);
    }
  }

  void ProcessBand(Buffer& band)
  {
    Buffer satWet = band, satDry = band, bitWet = band, bitDry = band, excWet = band, excDry = band;
    std::fill(band.begin(), band.end(), 0.0);
    if (!satBypass)
      Saturate(satWet);
    if (!bitBypass)
      ReduceBits(bitWet);
    if (!excBypass)
      Excite(excWet);
    for (size_t i = 0; i < band.size(); ++i)
    {
      satWet[i] = (satWet[i] * satMix + satDry[i] * (1.0 - satMix)) * 0.33;
      bitWet[i] = (bitWet[i] * bitMix + bitDry[i] * (1.0 - bitMix)) * 0.33;
      excWet[i] = (excWet[i] * excMix + excDry[i] * (1.0 - excMix)) * 0.33;
      band[i] += satWet[i];
      band[i] += bitWet[i];
      band[i] += excWet[i];
    }
  }
};

class ModelPath
{
public:
  explicit ModelPath(double sampleRate) : sampleRate(sampleRate) {}

  double value[kNumParams] = {};

  void Apply(int i)
  {
    const double v = value[i];
    const int kind = i % 11;
    if (i < kFreqLow && (kind == 1 || kind == 3 || kind == 5))
    {
      ModelChain& c = chains[i / 11];
      (kind == 1 ? c.satBypass : kind == 3 ? c.bitBypass : c.excBypass) = v >= 0.5;
    }
    else if (i == kOversample)
    {
      factor = v >= 0.5 ? 4 : 1;
      SetRate();
      DesignResampling(12.0);
      RetuneCrossover();
    }
    else if (i != kMultiband)
      smoothers[i].target = v;
  }

  void Reset()
  {
    SetRate();
    for (int i = 0; i < kNumParams; ++i)
      Apply(i);
    DesignResampling(12.0);
    for (ParamSmoother& smoother : smoothers)
      smoother.current = smoother.target;
    for (int b = 0; b < 3; ++b)
      UpdateChain(b, true);
    DesignCrossover();
  }

  void Process(const StereoSignal& in, StereoSignal& out)
  {
    const int n = in.Frames();
    const unsigned savedMode = _mm_getcsr();
    _mm_setcsr(savedMode | 0x8040);
    if (n != lastBlockSize)
      SetCoefficient(n);
    const int m = n * factor * 2;
    Buffer interleaved(2 * n), oversampled(m);
    for (int k = 0; k < n; ++k)
    {
      interleaved[2 * k] = in.left[k];
      interleaved[2 * k + 1] = in.right[k];
    }
    for (int k = 0; k < n * factor; ++k)
    {
      oversampled[2 * k] = interleaved[2 * (k / factor)];
      oversampled[2 * k + 1] = interleaved[2 * (k / factor) + 1];
    }
    if (factor > 1)
    {
      if (!ran.resampling)
      {
        upsample.Clear();
        downsample.Clear();
      }
      upsample.Process(n * factor, oversampled.data());
    }
    ran.resampling = factor > 1;
    Buffer bands[3] = {oversampled, oversampled, oversampled};
    std::fill(oversampled.begin(), oversampled.end(), 0.0);

    const bool multiband = value[kMultiband] >= 0.5;
    if (multiband)
      Split(bands, n * factor);
    else
      FollowCrossover();
    ran.split = multiband;
    for (int b = 0; b < 3; ++b)
      UpdateChain(b, false);

    const int mutes[] = {kLowMute, kMidMute, kHighMute};
    const int levels[] = {kLowLevel, kMidLevel, kHighLevel};
    for (int b = 0; b < 3; ++b)
    {
      const bool runs = value[mutes[b]] < 0.5 && (b == 1 || multiband);
      const bool saturates = runs && !chains[b].satBypass;
      if (saturates && !ran.saturation[b])
        chains[b].lastIn[0] = chains[b].lastIn[1] = chains[b].lastOut[0] = chains[b].lastOut[1] = 0.0;
      ran.saturation[b] = saturates;
      if (runs)
      {
        chains[b].ProcessBand(bands[b]);
        const double g = Gain(Advance(levels[b]));
        for (double& x : bands[b])
          x *= g;
      }
      else
        std::fill(bands[b].begin(), bands[b].end(), 0.0);
    }
    for (const Buffer& band : bands)
      for (int i = 0; i < m; ++i)
        oversampled[i] += band[i];
    if (factor > 1)
      downsample.Process(n * factor, oversampled.data());
    for (int k = 0; k < n; ++k)
    {
      out.left[k] = oversampled[2 * k * factor];
      out.right[k] = oversampled[2 * k * factor + 1];
    }
    _mm_setcsr(savedMode);
  }

private:
  using LowPass = Dsp::ButterLowPass<2, 2>;
  using HighPass = Dsp::ButterHighPass<2, 2>;

  void SetRate()
  {
    rate = static_cast<int>(factor * sampleRate);
    lastBlockSize = 0;
    for (ModelChain& c : chains)
      c.SetRate(rate);
  }

  void DesignResampling(double stopBandDb)
  {
    for (auto* f : {&upsample, &downsample})
    {
      f->SetPassThrough();
      f->Setup(6, 1.0, sampleRate * 0.5 / rate, stopBandDb);
    }
  }

  void SetCoefficient(int n)
  {
    const double c = std::exp(-1.0 / ((rate / n) * 0.005));
    for (ParamSmoother& s : smoothers)
      s.coeff = c;
    lastBlockSize = n;
  }

  double Advance(int i)
  {
    ParamSmoother& s = smoothers[i];
    if (s.current != s.target)
    {
      const double next = (1.0 - s.coeff) * s.target + s.coeff * s.current;
      s.current = next == s.current ? s.target : next;
    }
    return s.current;
  }

  // The eight crossover filters at one pair of frequencies (Hz).
  struct Crossover
  {
    LowPass lowLP1, lowLP2, midLP1, midLP2;
    HighPass midHP1, midHP2, highHP1, highHP2;
    double lowHz = 0.0, highHz = 0.0;

    void DesignLow(double cutoff)
    {
      lowLP1.Setup(2, 1.0, cutoff);
      lowLP2.Setup(2, 1.0, cutoff);
      midHP1.Setup(2, 1.0, cutoff);
      midHP2.Setup(2, 1.0, cutoff);
    }
    void DesignHigh(double cutoff)
    {
      highHP1.Setup(2, 1.0, cutoff);
      highHP2.Setup(2, 1.0, cutoff);
      midLP1.Setup(2, 1.0, cutoff);
      midLP2.Setup(2, 1.0, cutoff);
    }
    // What a move of the low edge changes: its filters and the mid band's low-pass after them.
    void ClearLow()
    {
      for (auto* f : {&lowLP1, &lowLP2, &midLP1, &midLP2})
        f->Clear();
      midHP1.Clear();
      midHP2.Clear();
    }
    void ClearHigh()
    {
      for (auto* f : {&midLP1, &midLP2})
        f->Clear();
      highHP1.Clear();
      highHP2.Clear();
    }
    bool Designed() const
    {
      for (const auto* f : {&lowLP1, &lowLP2, &midLP1, &midLP2})
        if (f->StageCount() == 0)
          return false;
      for (const auto* f : {&midHP1, &midHP2, &highHP1, &highHP2})
        if (f->StageCount() == 0)
          return false;
      return true;
    }
    // Frames [first, first + frames) of each band.
    void Run(Buffer* bands, int first, int frames)
    {
      lowLP1.Process(frames, bands[0].data() + 2 * first);
      lowLP2.Process(frames, bands[0].data() + 2 * first);
      midHP1.Process(frames, bands[1].data() + 2 * first);
      midHP2.Process(frames, bands[1].data() + 2 * first);
      midLP1.Process(frames, bands[1].data() + 2 * first);
      midLP2.Process(frames, bands[1].data() + 2 * first);
      highHP1.Process(frames, bands[2].data() + 2 * first);
      highHP2.Process(frames, bands[2].data() + 2 * first);
    }
  };

  double Cutoff(double hertz) const { return std::min(hertz / crossoverRate, 0.49); }
  int FadeLength() const { return std::max(1, static_cast<int>(crossoverRate * 0.02)); }

  void DesignBoth(Crossover& c)
  {
    c.DesignLow(Cutoff(c.lowHz));
    c.DesignHigh(Cutoff(c.highHz));
  }

  void EndFade()
  {
    if (fadeLength == 0)
      return;
    inUse = 1 - inUse;
    fadeDone = fadeLength = 0;
  }

  // At a reset: the frequencies in force at once; an edge that changes starts from silence.
  void DesignCrossover()
  {
    EndFade();
    crossoverRate = rate;
    Crossover& c = crossovers[inUse];
    const double low = smoothers[kFreqLow].current, high = smoothers[kFreqHigh].current;
    if (c.Designed() && low != c.lowHz)
      c.ClearLow();
    if (c.Designed() && high != c.highHz)
      c.ClearHigh();
    c.lowHz = low;
    c.highHz = high;
    DesignBoth(c);
  }

  // After an oversampling change: the same frequencies at the new rate, a crossfade stretched.
  void RetuneCrossover()
  {
    if (!crossovers[inUse].Designed())
      return;
    const int oldLength = FadeLength();
    crossoverRate = rate;
    DesignBoth(crossovers[inUse]);
    if (fadeLength == 0)
      return;
    DesignBoth(crossovers[1 - inUse]);
    fadeLength = FadeLength();
    fadeDone = static_cast<int>(static_cast<int64_t>(fadeDone) * fadeLength / oldLength);
  }

  bool CrossoverSettled() const
  {
    return smoothers[kFreqLow].current == smoothers[kFreqLow].target &&
           smoothers[kFreqHigh].current == smoothers[kFreqHigh].target;
  }

  void FollowCrossover()
  {
    EndFade();
    if (CrossoverSettled())
      return;
    smoothers[kFreqLow].current = smoothers[kFreqLow].target;
    smoothers[kFreqHigh].current = smoothers[kFreqHigh].target;
    crossovers[inUse].lowHz = smoothers[kFreqLow].current;
    crossovers[inUse].highHz = smoothers[kFreqHigh].current;
    DesignBoth(crossovers[inUse]);
  }

  void StartFade()
  {
    smoothers[kFreqLow].current = smoothers[kFreqLow].target;
    smoothers[kFreqHigh].current = smoothers[kFreqHigh].target;
    const Crossover& from = crossovers[inUse];
    const bool lowMoves = smoothers[kFreqLow].current != from.lowHz;
    const bool highMoves = smoothers[kFreqHigh].current != from.highHz;
    if (!lowMoves && !highMoves)
      return;
    Crossover& to = crossovers[1 - inUse];
    to = from;
    to.lowHz = smoothers[kFreqLow].current;
    to.highHz = smoothers[kFreqHigh].current;
    if (lowMoves)
    {
      to.DesignLow(Cutoff(to.lowHz));
      to.ClearLow();
    }
    if (highMoves)
    {
      to.DesignHigh(Cutoff(to.highHz));
      to.ClearHigh();
    }
    fadeDone = 0;
    fadeLength = FadeLength();
  }

  void Split(Buffer* bands, int frames)
  {
    if (!ran.split)
      for (Crossover& c : crossovers)
        for (auto* f : {&c.lowLP1, &c.lowLP2, &c.midLP1, &c.midLP2})
          f->Clear();
    if (!ran.split)
      for (Crossover& c : crossovers)
        for (auto* f : {&c.midHP1, &c.midHP2, &c.highHP1, &c.highHP2})
          f->Clear();
    for (int done = 0; done < frames;)
    {
      if (fadeLength == 0 && !CrossoverSettled())
        StartFade();
      if (fadeLength == 0)
      {
        crossovers[inUse].Run(bands, done, frames - done);
        return;
      }
      const int n = std::min(frames - done, fadeLength - fadeDone);
      Buffer incoming[3];
      for (Buffer& b : incoming)
        b.assign(bands[0].begin() + 2 * done, bands[0].begin() + 2 * (done + n));
      crossovers[inUse].Run(bands, done, n);
      crossovers[1 - inUse].Run(incoming, 0, n);
      for (int k = 0; k < n; ++k)
      {
        const double t = static_cast<double>(fadeDone + k + 1) / fadeLength;
        const double g = t * t * (3.0 - 2.0 * t);
        for (int b = 0; b < 3; ++b)
          for (int ch = 0; ch < 2; ++ch)
          {
            double& x = bands[b][2 * (done + k) + ch];
            x = x * (1.0 - g) + incoming[b][2 * k + ch] * g;
          }
      }
      fadeDone += n;
      done += n;
      if (fadeDone == fadeLength)
        EndFade();
    }
  }

  // A value is written when its smoother moves, and every value after a reset.
  void UpdateChain(int band, bool all)
  {
    ModelChain& c = chains[band];
    const int first = band * 11;
    const auto moved = [&](int lowParam, double& v) {
      const int i = first + lowParam;
      if (all)
        v = smoothers[i].current;
      else if (smoothers[i].current == smoothers[i].target)
        return false;
      else
        v = Advance(i);
      return true;
    };
    double v = 0.0;
    if (moved(kLowSatGain, v))
      c.gain = Gain(v);
    if (moved(kLowDcOffset, v))
      c.dcOffset = v / 100.0;
    if (moved(kLowSatMix, v))
      c.satMix = v / 100.0;
    if (moved(kLowBitRes, v))
      c.bits = static_cast<int>(v);
    if (moved(kLowBitRedMix, v))
      c.bitMix = v / 100.0;
    if (moved(kLowEvenHarm, v))
      c.even = v;
    if (moved(kLowOddHarm, v))
      c.odd = v;
    if (moved(kLowExcMix, v))
      c.excMix = v / 100.0;
  }

  double sampleRate;
  int factor = 1;
  int rate = 0;
  int lastBlockSize = 0;
  int crossoverRate = 0;
  int inUse = 0, fadeDone = 0, fadeLength = 0;
  struct
  {
    bool split = false, resampling = false, saturation[3] = {false, false, false};
  } ran;
  ParamSmoother smoothers[kNumParams];
  ModelChain chains[3];
  Crossover crossovers[2];
  Dsp::ChebyIILowPass<6, 2> upsample, downsample;
};

TEST(SignalPathModel, RandomSessionsMatchThePlainModelBitForBit)
{
  for (int seed = 1; seed <= 6; ++seed)
  {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const double rate = seed % 2 ? 44100.0 : 48000.0;
    EffectRunner runner(rate, 1024);
    ModelPath model(rate);
    for (int i = 0; i < kNumParams; ++i)
      model.value[i] = runner.effect.ParamAt(i)->Value();
    model.Reset();

    int position = 0;
    for (int block = 0; block < 200; ++block)
    {
      for (int change = 0; uniform(random) < 0.5 && change < 3; ++change)
      {
        const int i = static_cast<int>(uniform(random) * kNumParams);
        runner.effect.ParamAt(i)->SetFromNormalized(uniform(random));
        runner.effect.ApplyParamChange(i, kSourceHost);
        model.value[i] = runner.effect.ParamAt(i)->Value();
        model.Apply(i);
      }
      if (uniform(random) < 0.02)
      {
        runner.effect.ResetProcessing();
        model.Reset();
      }
      const int n = uniform(random) < 0.1 ? 1 + static_cast<int>(uniform(random) * 1023) : 512;
      StereoSignal in = Tone(n, 300.0 + 100.0 * seed, rate, 0.9, position);
      for (int k = 0; k < n; ++k)
        in.left[k] += 0.3 * std::sin(0.9 * (position + k));
      position += n;
      StereoSignal expected(n);
      model.Process(in, expected);
      ASSERT_TRUE(SameSignal(runner.Run(in, n), expected)) << "seed " << seed << ", block " << block;
    }
  }
}

}  // namespace
