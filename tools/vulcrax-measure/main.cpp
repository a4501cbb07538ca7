// vulcrax-measure: what each factory preset does to sound, for choosing and documenting the
// bank. Every preset renders the built-in demo and three sine tones through the plug-in with
// the renderer's own code; the tool prints, per preset, the demo's peak, RMS and crest factor
// and mean (DC) and, per tone, the change of the fundamental's level and the total harmonic
// distortion.
//
//   vulcrax-measure [SCRATCH_FOLDER]     (default: the current folder)

#include "tools/vulcrax-render/PresetBank.h"
#include "tools/vulcrax-render/Renderer.h"
#include "tools/vulcrax-render/SoundFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 44100;
constexpr double kToneAmplitude = 0.5;
// The last second is analysed, so the window holds whole periods of every tone and harmonic.
constexpr int kSettleFrames = kRate / 2;
constexpr int kAnalysedFrames = kRate;
constexpr int kHarmonics = 9;
constexpr int kToneHz[] = {100, 1000, 5000};

struct Audio
{
  int channels = 0;
  std::vector<double> samples;
};

bool ReadAll(const std::string& path, Audio& audio)
{
  std::string error;
  auto reader = SoundFileReader::Open(path, error);
  if (!reader)
    return false;
  audio.channels = reader->Channels();
  audio.samples.resize(static_cast<size_t>(reader->Frames() * audio.channels));
  return reader->Read(audio.samples.data(), reader->Frames()) == reader->Frames();
}

bool WriteTone(const std::string& path, int hertz)
{
  std::string error;
  auto writer = SoundFileWriter::Create(path, SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1, kRate, error);
  std::vector<double> samples(kSettleFrames + kAnalysedFrames);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = kToneAmplitude * std::sin(2.0 * kPi * hertz * static_cast<double>(i) / kRate);
  return writer && writer->Write(samples.data(), static_cast<int64_t>(samples.size())) && writer->Close();
}

bool Render(const std::string& preset, const std::string& input, const std::string& output)
{
  RenderOptions options;
  options.preset = preset;
  options.inputPath = input;
  options.outputPath = output;
  options.floatOutput = true;
  return Renderer(std::move(options)).Run() == EXIT_SUCCESS;
}

// Amplitude of one frequency over the analysed second of a mono signal, Hann-windowed.
double Amplitude(const std::vector<double>& samples, double hertz)
{
  double re = 0.0;
  double im = 0.0;
  for (int i = 0; i < kAnalysedFrames; ++i)
  {
    const double window = 0.5 - 0.5 * std::cos(2.0 * kPi * i / kAnalysedFrames);
    const double phase = 2.0 * kPi * hertz * i / kRate;
    const double sample = samples[kSettleFrames + i] * window;
    re += sample * std::cos(phase);
    im -= sample * std::sin(phase);
  }
  return 4.0 * std::hypot(re, im) / kAnalysedFrames;
}

double Db(double ratio)
{
  return 20.0 * std::log10(std::max(ratio, 1e-12));
}

void PrintDemoLevels(const Audio& demo)
{
  double peak = 0.0;
  double sum = 0.0;
  double sumOfSquares = 0.0;
  for (const double sample : demo.samples)
  {
    peak = std::max(peak, std::fabs(sample));
    sum += sample;
    sumOfSquares += sample * sample;
  }
  const auto count = static_cast<double>(demo.samples.size());
  const double rms = std::sqrt(sumOfSquares / count);
  std::printf("  demo: peak %6.2f dBFS  RMS %6.2f dBFS  crest %5.2f dB  DC %+.4f\n", Db(peak), Db(rms), Db(peak / rms),
              sum / count);
}

void PrintTone(int hertz, const Audio& tone)
{
  const double fundamental = Amplitude(tone.samples, hertz);
  double harmonicPower = 0.0;
  for (int k = 2; k <= kHarmonics && k * hertz < kRate / 2; ++k)
    harmonicPower += std::pow(Amplitude(tone.samples, k * hertz), 2.0);
  std::printf("  %5d Hz: fundamental %+6.2f dB  THD %7.3f %%  2nd %7.1f dB  3rd %7.1f dB\n", hertz,
              Db(fundamental / kToneAmplitude), 100.0 * std::sqrt(harmonicPower) / fundamental,
              Db(Amplitude(tone.samples, 2 * hertz) / fundamental),
              Db(Amplitude(tone.samples, 3 * hertz) / fundamental));
}

bool Measure(const FactoryPreset& preset, const std::string& scratch)
{
  std::printf("%s\n", preset.name.c_str());
  const std::string output = scratch + "/measure-out.wav";
  Audio audio;
  if (!Render(preset.name, "", output) || !ReadAll(output, audio))
    return false;
  PrintDemoLevels(audio);
  for (const int hertz : kToneHz)
  {
    const std::string tone = scratch + "/measure-tone.wav";
    if (!WriteTone(tone, hertz) || !Render(preset.name, tone, output) || !ReadAll(output, audio))
      return false;
    PrintTone(hertz, audio);
  }
  std::remove(output.c_str());
  std::remove((scratch + "/measure-tone.wav").c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv)
{
  const std::string scratch = argc > 1 ? argv[1] : ".";
  PresetBank bank;
  std::string error;
  if (!bank.Parse(FactoryBankText(), error))
  {
    std::fprintf(stderr, "vulcrax-measure: %s\n", error.c_str());
    return EXIT_FAILURE;
  }
  for (const FactoryPreset& preset : bank.Presets())
  {
    if (!Measure(preset, scratch))
    {
      std::fprintf(stderr, "vulcrax-measure: cannot measure \"%s\"\n", preset.name.c_str());
      return EXIT_FAILURE;
    }
  }
  return EXIT_SUCCESS;
}
