// "Oversample Quality" through the bundle: what "Clean" promises against oversampling off
// and "Classic". Tones sit on exact bins of the analysis window, so every harmonic and
// every alias is a single line, and a rectangular window leaks nothing that would hide a
// line 100 dB down.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/vst3/CrossoverJumps.h"
#include "tests/vst3/PluginTestHost.h"
#include "tests/vst3/StreamRunner.h"

using namespace VstTest;

namespace {

constexpr Steinberg::Vst::ParamID kMidSatBypassId = 12;
constexpr Steinberg::Vst::ParamID kMidExcBypassId = 16;
constexpr Steinberg::Vst::ParamID kMidSatGainId = 17;
constexpr Steinberg::Vst::ParamID kMidOddHarmId = 21;
constexpr Steinberg::Vst::ParamID kMidMuteId = 38;
constexpr Steinberg::Vst::ParamID kMutes[] = {kLowMuteId, kMidMuteId, kHighMuteId};

constexpr double kClassic = 0.0;
constexpr double kClean = 1.0;

constexpr int kWindow = 1 << 16;
constexpr int kSettle = 1 << 14;

// In-place radix-2 transform of a power-of-two length.
void Fft(std::vector<std::complex<double>>& x)
{
  const std::size_t n = x.size();
  for (std::size_t i = 1, j = 0; i < n; ++i)
  {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1)
      j ^= bit;
    j ^= bit;
    if (i < j)
      std::swap(x[i], x[j]);
  }
  for (std::size_t length = 2; length <= n; length <<= 1)
  {
    const std::complex<double> step = std::polar(1.0, -2.0 * M_PI / length);
    for (std::size_t first = 0; first < n; first += length)
    {
      std::complex<double> w = 1.0;
      for (std::size_t k = 0; k < length / 2; ++k, w *= step)
      {
        const std::complex<double> a = x[first + k];
        const std::complex<double> b = x[first + k + length / 2] * w;
        x[first + k] = a + b;
        x[first + k + length / 2] = a - b;
      }
    }
  }
}

// Line amplitudes of the left channel's last kWindow frames, bin by bin up to Nyquist.
std::vector<double> Spectrum(const StereoBuffer& s)
{
  std::vector<std::complex<double>> x(kWindow);
  for (int i = 0; i < kWindow; ++i)
    x[i] = s.left[s.Frames() - kWindow + i];
  Fft(x);
  std::vector<double> amplitude(kWindow / 2);
  for (int i = 0; i < kWindow / 2; ++i)
    amplitude[i] = 2.0 * std::abs(x[i]) / kWindow;
  return amplitude;
}

double Db(double ratio)
{
  return 20.0 * std::log10(ratio + 1e-300);
}

// The bin nearest to `hertz`; a tone there has a whole number of cycles in the window.
int BinOf(double hertz, double rate)
{
  return static_cast<int>(std::lround(hertz * kWindow / rate));
}

double NormalisedFrequency(int bin)
{
  return static_cast<double>(bin) / kWindow;
}

std::shared_ptr<TvHost::PluginModule> Bundle()
{
  static std::string error;
  static const std::shared_ptr<TvHost::PluginModule> module = TvHost::PluginModule::Open(TV_PLUGIN_PATH, error);
  EXPECT_TRUE(module) << error;
  return module;
}

// The sum of sines of `amplitude` on `bins` through one instance that starts with `settings`.
StereoBuffer Render(double rate, const Settings& settings, const std::vector<int>& bins, double amplitude)
{
  StreamRunner runner(Bundle(), rate);
  EXPECT_TRUE(runner.Ready()) << runner.Error();
  runner.Preset(settings);
  EXPECT_TRUE(runner.Activate());
  EXPECT_EQ(runner.LatencySamples(), 0u);
  StereoBuffer in(kSettle + kWindow);
  for (const int bin : bins)
  {
    const StereoBuffer tone = Sine(in.Frames(), NormalisedFrequency(bin), 1.0, amplitude);
    for (int i = 0; i < in.Frames(); ++i)
      in.left[i] = in.right[i] += tone.left[i];
  }
  return runner.Stream(in, {StreamRunner::kMaxBlock});
}

Settings With(Settings settings, const Settings& more)
{
  settings.insert(settings.end(), more.begin(), more.end());
  return settings;
}

const Settings kOversamplingOff = {{kOversampleId, 0.0}};
const Settings kClassicOn = {{kOversampleId, 1.0}, {kOversampleQualityId, kClassic}};
const Settings kCleanOn = {{kOversampleId, 1.0}, {kOversampleQualityId, kClean}};

// ---- Aliasing --------------------------------------------------------------------------------

struct AliasCase
{
  const char* stage;
  Settings settings;
};

// The largest line below 20 kHz that is no harmonic of the tone on `bin`, in dB below the tone.
double WorstAliasDbc(const std::vector<double>& spectrum, int bin, double rate)
{
  const int top = std::min(BinOf(20000.0, rate), kWindow / 2 - 1);
  double worst = 0.0;
  for (int b = 1; b <= top; ++b)
    if (b % bin != 0)
      worst = std::max(worst, spectrum[b]);
  return Db(worst / spectrum[bin]);
}

// Single band, a sine at 0.5: the saturator driven hard (harmonics falling some 2 dB each,
// far beyond any oversampled rate) and the exciter's odd harmonics up to the seventh.
TEST(CleanOversampling, AliasingStaysNinetyDecibelsDown)
{
  const Settings singleBand = {{kMultibandId, 0.0}};
  const AliasCase stages[] = {
    {"saturator", With(singleBand, {{kMidSatBypassId, 0.0}, {kMidSatGainId, 24.0 / 60.0}})},
    {"exciter", With(singleBand, {{kMidExcBypassId, 0.0}, {kMidOddHarmId, 1.0}})},
  };
  for (const AliasCase& stage : stages)
    for (const double rate : {44100.0, 48000.0})
      for (const double hertz : {1000.0, 2000.0, 5000.0, 7000.0, 10000.0})
      {
        const int bin = BinOf(hertz, rate);
        const double classic =
          WorstAliasDbc(Spectrum(Render(rate, With(stage.settings, kClassicOn), {bin}, 0.5)), bin, rate);
        const double clean =
          WorstAliasDbc(Spectrum(Render(rate, With(stage.settings, kCleanOn), {bin}, 0.5)), bin, rate);
        std::printf("%-9s %6.0f Hz %5.0f Hz: Classic %7.1f dBc, Clean %7.1f dBc\n", stage.stage, rate, hertz, classic,
                    clean);
        EXPECT_LE(clean, -90.0) << stage.stage << " at " << rate << " Hz, tone " << hertz << " Hz";
      }
}

// ---- Levels ----------------------------------------------------------------------------------

constexpr double kRates[] = {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0};

// 20 Hz to 18 kHz at 44.1 kHz, to 20 kHz at 48 kHz and above, to the same share of the rate below.
std::vector<int> TestTones(double rate)
{
  const double top = rate < 48000.0 ? rate * 18000.0 / 44100.0 : 20000.0;
  std::vector<int> bins;
  for (const double hertz : {20.0, 35.0, 50.0, 80.0, 150.0, 250.0, 400.0, 1000.0, 2500.0, 5000.0, 9000.0, 12000.0,
                             15000.0, 18000.0, 20000.0})
    if (hertz <= top)
      bins.push_back(BinOf(hertz, rate));
  return bins;
}

// The level of every tone with `quality` against the same settings with oversampling off;
// returns the largest difference in dB.
double LevelsAgainstOversamplingOff(double rate, const Settings& settings, const Settings& quality,
                                    const std::string& what, double tolerance)
{
  const std::vector<int> bins = TestTones(rate);
  const std::vector<double> off = Spectrum(Render(rate, With(settings, kOversamplingOff), bins, 0.05));
  const std::vector<double> on = Spectrum(Render(rate, With(settings, quality), bins, 0.05));
  double largest = 0.0;
  for (const int bin : bins)
  {
    const double difference = Db(on[bin] / off[bin]);
    largest = std::max(largest, std::fabs(difference));
    EXPECT_NEAR(difference, 0.0, tolerance) << what << " at " << rate << " Hz, tone " << bin * rate / kWindow << " Hz ("
                                            << Db(off[bin] / 0.05) << " dB without oversampling)";
  }
  return largest;
}

// All stages bypassed, one band and three. "Classic" is measured for comparison only.
TEST(CleanOversampling, PassBandIsFlatAsWithoutOversampling)
{
  for (const double rate : kRates)
  {
    double clean = 0.0;
    double classic = 0.0;
    for (const Settings& bands : {Settings{{kMultibandId, 0.0}}, Settings{}})
    {
      const std::string what = bands.empty() ? "three bands" : "single band";
      clean = std::max(clean, LevelsAgainstOversamplingOff(rate, bands, kCleanOn, what, 0.1));
      classic = std::max(classic, LevelsAgainstOversamplingOff(rate, bands, kClassicOn, what, 1e9));
    }
    std::printf("%6.0f Hz: largest level difference to oversampling off: Classic %.3f dB, Clean %.1e dB\n", rate,
                classic, clean);
  }
}

// At rest, every stage bypassed, each band muted in turn: "Clean" splits at the host rate,
// so even the tones the remaining bands reject keep their level.
TEST(CleanOversampling, BandsSplitAsWithoutOversampling)
{
  for (const double rate : kRates)
  {
    double largest = 0.0;
    for (const Steinberg::Vst::ParamID mute : kMutes)
      largest = std::max(
        largest, LevelsAgainstOversamplingOff(rate, {{mute, 1.0}}, kCleanOn, "muted " + std::to_string(mute), 0.1));
    std::printf("%6.0f Hz, one band muted at a time: largest level difference %.1e dB\n", rate, largest);
  }
}

// ---- Crossover moves ---------------------------------------------------------------------------

// Both crossover frequencies jumping before every block, ±1 white noise. "Clean" sits higher
// at rest than "Classic" on such noise: its steep filters at the band's edge turn the evenly
// spread samples into nearly Gaussian ones of the same power, which peak at some 2.5 over a
// second with every stage bypassed; and it rebuilds the peaks between the samples, which the
// exciter's seventh power magnifies to some 640 with odd harmonics at 100 % in every band.
// The bounds leave room above those figures at rest; a crossover that blasts goes far beyond.
TEST(CleanOversampling, CrossoverJumpsStayWithinTheBoundsAtRest)
{
  unsigned seed = 1;
  for (const double rate : {44100.0, 48000.0, 96000.0})
    for (const int block : {16, 512, 8192})
      for (const Stages stages : {Stages::kAllBypassed, Stages::kOddHarmonicsFull})
        for (const Jumps jumps : {Jumps::kAnywhere, Jumps::kExtremes})
        {
          JumpRun run{rate, block, true, stages, jumps};
          run.clean = true;
          const double peak = JumpPeak(Bundle(), run, seed++);
          EXPECT_GE(peak, 0.0);
          EXPECT_LE(peak, stages == Stages::kAllBypassed ? 3.0 : 1000.0)
            << rate << " Hz, " << block << " frames, " << Name(stages) << ", jumps " << Name(jumps);
        }
}

}  // namespace
