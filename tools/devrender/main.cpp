// devrender: runs the effect over a generated signal and writes the result as a WAV file,
// for listening and debugging without a host.
//
//   devrender [--rate HZ] [--block N] [--seconds S] [--signal sweep|tone|noise|impulses]
//             [--freq HZ] [--amp A] [--set NAME_OR_INDEX=VALUE]... OUTPUT.wav
//
// Parameters are set in their own units ("--set 'Low Sat. Gain=24'", "--set 42=1").

#include "effect/TolvexVulcrax.h"
#include "tools/devrender/TestSignal.h"

#include <sndfile.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Options
{
  double rate = 44100.0;
  int blockSize = 512;
  double seconds = 5.0;
  TestSignal::Kind signal = TestSignal::kSweep;
  double hertz = 220.0;
  double amplitude = 0.5;
  std::vector<std::pair<std::string, double>> settings;
  std::string output;
};

void PrintUsage()
{
  std::fprintf(stderr, "usage: devrender [--rate HZ] [--block N] [--seconds S] [--signal sweep|tone|noise|impulses]\n"
                       "                 [--freq HZ] [--amp A] [--set NAME_OR_INDEX=VALUE]... OUTPUT.wav\n");
}

bool ParseSetting(const char* text, std::pair<std::string, double>& setting)
{
  const char* equals = std::strrchr(text, '=');
  if (!equals || equals == text)
    return false;
  char* end = nullptr;
  setting.second = std::strtod(equals + 1, &end);
  setting.first.assign(text, equals);
  return end != equals + 1 && *end == '\0';
}

bool ParseOptions(int argc, char** argv, Options& options)
{
  for (int i = 1; i < argc; ++i)
  {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--rate" && hasValue)
      options.rate = std::atof(argv[++i]);
    else if (arg == "--block" && hasValue)
      options.blockSize = std::atoi(argv[++i]);
    else if (arg == "--seconds" && hasValue)
      options.seconds = std::atof(argv[++i]);
    else if (arg == "--signal" && hasValue)
      options.signal = TestSignal::KindFromName(argv[++i]);
    else if (arg == "--freq" && hasValue)
      options.hertz = std::atof(argv[++i]);
    else if (arg == "--amp" && hasValue)
      options.amplitude = std::atof(argv[++i]);
    else if (arg == "--set" && hasValue)
    {
      std::pair<std::string, double> setting;
      if (!ParseSetting(argv[++i], setting))
        return false;
      options.settings.push_back(setting);
    }
    else if (arg.rfind("--", 0) != 0 && options.output.empty())
      options.output = arg;
    else
      return false;
  }
  return !options.output.empty() && options.rate >= 1000.0 && options.blockSize > 0 && options.seconds > 0.0 &&
         options.signal != TestSignal::kUnknown;
}

// The parameter called `key`, or with index `key`; -1 when there is none.
int FindParam(const IPlugBase& plug, const std::string& key)
{
  char* end = nullptr;
  const long index = std::strtol(key.c_str(), &end, 10);
  if (!key.empty() && *end == '\0')
    return plug.ParamAt(static_cast<int>(index)) ? static_cast<int>(index) : -1;
  for (int i = 0; i < plug.NParams(); ++i)
    if (key == plug.ParamAt(i)->Name())
      return i;
  return -1;
}

bool ApplySettings(TolvexVulcrax& effect, const Options& options)
{
  for (const auto& [key, value] : options.settings)
  {
    const int index = FindParam(effect, key);
    if (index < 0)
    {
      std::fprintf(stderr, "devrender: no parameter \"%s\"\n", key.c_str());
      return false;
    }
    effect.ParamAt(index)->Assign(value);
    effect.ApplyParamChange(index, kSourceHost);
  }
  return true;
}

void Render(TolvexVulcrax& effect, std::vector<double>& left, std::vector<double>& right, int blockSize)
{
  const int frames = static_cast<int>(left.size());
  for (int first = 0; first < frames; first += blockSize)
  {
    double* channels[] = {left.data() + first, right.data() + first};
    effect.ProcessBlock(channels, channels, std::min(blockSize, frames - first));
  }
}

bool WriteWav(const std::string& path, double rate, const std::vector<double>& left, const std::vector<double>& right)
{
  SF_INFO info{};
  info.samplerate = static_cast<int>(rate);
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file)
  {
    std::fprintf(stderr, "devrender: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
    return false;
  }
  std::vector<double> interleaved(2 * left.size());
  for (size_t i = 0; i < left.size(); ++i)
  {
    interleaved[2 * i] = left[i];
    interleaved[2 * i + 1] = right[i];
  }
  const sf_count_t written = sf_writef_double(file, interleaved.data(), static_cast<sf_count_t>(left.size()));
  sf_close(file);
  return written == static_cast<sf_count_t>(left.size());
}

}  // namespace

int main(int argc, char** argv)
{
  Options options;
  if (!ParseOptions(argc, argv, options))
  {
    PrintUsage();
    return 2;
  }

  auto effect = std::make_unique<TolvexVulcrax>();
  effect->SetRate(options.rate);
  effect->SetBlockLength(options.blockSize);
  effect->ResetProcessing();
  if (!ApplySettings(*effect, options))
    return 2;

  const size_t frames = static_cast<size_t>(options.seconds * options.rate);
  std::vector<double> left(frames), right(frames);
  TestSignal::Generate(options.signal, options.rate, options.hertz, options.amplitude, left, right);
  Render(*effect, left, right, options.blockSize);
  return WriteWav(options.output, options.rate, left, right) ? 0 : 1;
}
