#pragma once

#include "effect/BufferSet.h"

#include <cstdint>

// One band's distortion stages: saturation (gain, DC offset, rational waveshaper, 10 Hz DC
// blocker), bit reduction and an even/odd harmonic exciter. The stages work side by side on
// copies of the band, each copy is mixed with its dry signal, and the three mixed copies are
// summed with a weight of 0.33 each. Buffers are interleaved stereo.
struct BandChain
{
  // The wet copies of the three stages. The dry signal is the band buffer itself, read
  // before it is overwritten, so it needs no copies of its own.
  using Scratch = BufferSet<3>;

  double gain = 1.0;
  double dcOffset = 0.0;
  int32_t bits = 24;
  double dcLastOutL = 0.0;
  double dcLastOutR = 0.0;
  double dcLastInL = 0.0;
  double dcLastInR = 0.0;
  double dcA0 = 0.0;
  double dcA1 = 0.0;
  double dcB1 = 0.0;
  // Harmonic amounts in the parameters' own 0..100, starting where those parameters start.
  double evenAmount = 0.0;
  double oddAmount = 0.0;
  double satMix = 1.0;
  double bitMix = 1.0;
  double excMix = 1.0;
  bool satBypass = true;
  bool bitBypass = true;
  bool excBypass = true;

  // Replaces the band's `count` doubles with the chain's output. scratch must hold at
  // least `count` doubles per buffer.
  void ProcessBand(double* buffer, int count, Scratch& scratch);

  void Saturate(double* buffer, int count);
  void ReduceBits(double* buffer, int count) const;
  void Excite(double* buffer, int count) const;

  // Forgets the DC blocker's past, for a saturation stage that runs again after blocks in
  // which it did not.
  void ClearDcBlocker();

  // Puts the DC blocker's corner at 10 Hz of `rate`; its histories stay.
  void SetDcBlockerRate(int rate);

  // The waveshaper alone, on an already gained and offset sample (or both samples of a
  // frame at once). Odd-symmetric, slope about 0.969 at 0, nearly flat around |d| = 3.
  template <typename Sample>
  static Sample Waveshape(Sample d)
  {
    return 0.1071000671 * d + d / (0.37011709966 * d * d + 1.1605589854);
  }

private:
  void SaturateInto(const double* in, double* out, int count);
  void ReduceBitsInto(const double* in, double* out, int count) const;
  void ExciteInto(const double* in, double* out, int count) const;
  template <typename Sample>
  Sample Harmonics(Sample x) const;
  void RunDcBlocker(double* buffer, int frames);
};
