#include "tools/vulcrax-render/DemoSignal.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBeatSeconds = 0.5;  // 120 beats per minute
constexpr int kHarmonics = 8;

// A minor seventh for the first half, F major seventh for the second (Hz).
constexpr double kFirstChord[] = {220.0, 261.63, 329.63, 392.0};
constexpr double kSecondChord[] = {174.61, 220.0, 261.63, 329.63};

// A band-limited sawtooth-like tone: the first harmonics with amplitudes 1/n.
double RichTone(double frequency, double t)
{
  double sum = 0.0;
  for (int n = 1; n <= kHarmonics; ++n)
    sum += std::sin(2.0 * kPi * frequency * n * t) / n;
  return sum;
}

// Soft attack at each chord start, slight fade at its end.
double ChordEnvelope(double timeInChord, double chordLength)
{
  const double attack = std::min(1.0, timeInChord / 0.08);
  const double release = std::min(1.0, (chordLength - timeInChord) / 0.2);
  return attack * std::max(0.0, release);
}

double Kick(double timeInBeat)
{
  // The pitch falls from about 120 Hz to 45 Hz; the phase is the integral of that sweep.
  const double sweep = 75.0 * 0.04 * (1.0 - std::exp(-timeInBeat / 0.04));
  const double phase = 2.0 * kPi * (45.0 * timeInBeat + sweep);
  return std::sin(phase) * std::exp(-timeInBeat / 0.15);
}

}  // namespace

int64_t DemoSignal::Frames() const
{
  return static_cast<int64_t>(kSeconds * kSampleRate);
}

int64_t DemoSignal::Read(double* interleaved, int64_t frames)
{
  const int64_t count = std::clamp<int64_t>(Frames() - mPosition, 0, frames);
  for (int64_t i = 0; i < count; ++i)
    Frame(mPosition + i, interleaved[2 * i], interleaved[2 * i + 1]);
  mPosition += count;
  return count;
}

double DemoSignal::NextNoise()
{
  mNoiseState = mNoiseState * 1664525u + 1013904223u;
  return static_cast<double>(mNoiseState >> 8) / static_cast<double>(1u << 23) - 1.0;
}

void DemoSignal::Frame(int64_t index, double& left, double& right)
{
  const double t = static_cast<double>(index) / kSampleRate;
  const double chordLength = kSeconds / 2.0;
  const bool secondHalf = t >= chordLength;
  const double* chord = secondHalf ? kSecondChord : kFirstChord;
  const double envelope = ChordEnvelope(secondHalf ? t - chordLength : t, chordLength);

  // Lower notes lean left, upper notes right.
  double chordLeft = 0.0;
  double chordRight = 0.0;
  for (int note = 0; note < 4; ++note)
  {
    const double tone = RichTone(chord[note], t);
    const double pan = 0.3 + 0.4 * note / 3.0;
    chordLeft += tone * (1.0 - pan);
    chordRight += tone * pan;
  }

  const double timeInBeat = std::fmod(t, kBeatSeconds);
  const double kick = Kick(timeInBeat);
  const double timeInOffBeat = std::fmod(t + kBeatSeconds / 2.0, kBeatSeconds);
  const double snap = NextNoise() * std::exp(-timeInOffBeat / 0.03);

  left = 0.09 * envelope * chordLeft + 0.45 * kick + 0.12 * snap;
  right = 0.09 * envelope * chordRight + 0.45 * kick + 0.08 * snap;
}
