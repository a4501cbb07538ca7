#include "tools/vulcrax-render/Renderer.h"

#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/PresetFileIO.h"
#include "tools/host/ProcessDataBuilder.h"
#include "tools/vulcrax-render/DemoSignal.h"
#include "tools/vulcrax-render/OutputFormat.h"
#include "tools/vulcrax-render/ParameterListing.h"
#include "tools/vulcrax-render/ParameterText.h"
#include "tools/vulcrax-render/PendingFile.h"
#include "tools/vulcrax-render/PresetBank.h"
#include "tools/vulcrax-render/ProgressBar.h"
#include "tools/vulcrax-render/SoundFile.h"
#include "tools/vulcrax-render/StopSignal.h"

#include "public.sdk/source/vst/vstpresetfile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#ifndef TV_DEFAULT_PLUGIN_PATH
#define TV_DEFAULT_PLUGIN_PATH "TolvexVulcrax.vst3"
#endif
#ifndef TV_INSTALLED_PLUGIN_PATH
#define TV_INSTALLED_PLUGIN_PATH "../lib/vst3/TolvexVulcrax.vst3"
#endif

using namespace Steinberg;

namespace {

constexpr const char* kDemoOutput = "vulcrax-demo.wav";
constexpr double kProgressBarSeconds = 5.0;
constexpr double kListingSampleRate = 44100.0;

std::string ResolvedPath(const std::string& path)
{
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool IsFile(const std::string& path)
{
  struct stat info
  {
  };
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// An installed renderer uses the bundle installed with it, wherever the package was unpacked;
// one run from the build tree finds no such bundle and uses the one built beside it.
std::string DefaultPluginPath()
{
  const std::string executable = ResolvedPath("/proc/self/exe");
  const std::string folder = executable.substr(0, executable.find_last_of('/') + 1);
  const std::string installed = ResolvedPath(folder + TV_INSTALLED_PLUGIN_PATH);
  return !executable.empty() && !installed.empty() ? installed : std::string(TV_DEFAULT_PLUGIN_PATH);
}

// "dir/name.ext" becomes "dir/name-vulcrax.ext", or "dir/name-vulcrax.wav" for float output
// and for an extension the renderer does not write.
std::string DerivedOutputPath(const std::string& input, bool forceWav)
{
  const size_t slash = input.find_last_of('/');
  const size_t dot = input.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? input.substr(0, dot) : input;
  const bool keepsExtension = hasExtension && !forceWav && ContainerOfName(input) != 0;
  return stem + "-vulcrax" + (keepsExtension ? input.substr(dot) : ".wav");
}

// The first line names the plug-in that made the output, so a run shows which bundle it used.
void PrintStats(std::FILE* out, const std::string& path, const std::string& pluginPath, const SignalStats& stats)
{
  std::fprintf(out, "%s: %d channel(s), %lld frames, through %s\n", path.c_str(), stats.Channels(),
               static_cast<long long>(stats.Frames()), pluginPath.c_str());
  for (int channel = 0; channel < stats.Channels(); ++channel)
    std::fprintf(out, "  channel %d: peak %.6f (%.2f dBFS), RMS %.6f (%.2f dBFS)\n", channel + 1, stats.Peak(channel),
                 ToDbfs(stats.Peak(channel)), stats.Rms(channel), ToDbfs(stats.Rms(channel)));
}

}  // namespace

Renderer::Renderer(RenderOptions options) : mOptions(std::move(options))
{
  if (mOptions.pluginPath.empty())
    mOptions.pluginPath = DefaultPluginPath();
}

bool Renderer::Fail(const std::string& message)
{
  std::fprintf(stderr, "vulcrax-render: %s\n", message.c_str());
  return false;
}

int Renderer::Run()
{
  if (mOptions.listPresets)
    return ListPresets() ? EXIT_SUCCESS : EXIT_FAILURE;
  const bool listOnly = mOptions.list;
  if (!listOnly && (!OpenSource() || !SelectOutputFormat()))
    return EXIT_FAILURE;
  const int channels = mSource ? mSource->Channels() : 2;
  if (!LoadPlugin(channels) || !LoadState() || !LoadPreset() || !ApplySettings(mOptions.settings))
    return EXIT_FAILURE;
  CaptureStartValues();
  if (listOnly)
  {
    if (!ApplyWithoutAudio(channels))
      return EXIT_FAILURE;
    PrintParameterTable(stdout, *mDirectory, *mInstance->Controller());
  }
  else if (!Render())
  {
    return EXIT_FAILURE;
  }
  return SaveState() && SavePreset() ? EXIT_SUCCESS : EXIT_FAILURE;
}

bool Renderer::ListPresets()
{
  PresetBank bank;
  std::string error;
  if (!bank.Parse(FactoryBankText(), error))
    return Fail(error);
  size_t nameWidth = 0;
  for (const auto& preset : bank.Presets())
    nameWidth = std::max(nameWidth, preset.name.size());
  for (const auto& preset : bank.Presets())
    std::printf("%-*s  %s\n", static_cast<int>(nameWidth), preset.name.c_str(), preset.description.c_str());
  return true;
}

bool Renderer::OpenSource()
{
  if (mOptions.inputPath.empty())
  {
    mSource = std::make_unique<DemoSignal>();
    return true;
  }
  std::string error;
  auto reader = SoundFileReader::Open(mOptions.inputPath, error);
  if (!reader)
    return Fail(error);
  if (reader->Channels() != 1 && reader->Channels() != 2)
    return Fail(mOptions.inputPath + " has " + std::to_string(reader->Channels()) +
                " channels; only mono and stereo files can be processed");
  mSourceFormat = reader->Format();
  mSource = std::move(reader);
  return true;
}

bool Renderer::SelectOutputFormat()
{
  const std::string outputPath = OutputPath();
  const int container = ContainerOfName(outputPath);
  if (container == 0)
    return Fail("cannot tell the file type of " + outputPath + ": name it .wav, .flac, .aif or .aiff");
  std::string error;
  if (!ChooseOutputFormat(container, mSourceFormat, mOptions.floatOutput, mSource->Channels(), mSource->SampleRate(),
                          mOutputFormat, error))
    return Fail("cannot write " + outputPath + ": " + error);
  return true;
}

bool Renderer::LoadPlugin(int channels)
{
  std::string error;
  auto module = TvHost::PluginModule::Open(mOptions.pluginPath, error);
  if (!module)
    return Fail("cannot load the plug-in: " + error);
  mInstance = TvHost::PluginInstance::Create(std::move(module), &mHost, error);
  if (!mInstance)
    return Fail("cannot start the plug-in: " + error);
  if (!mInstance->SetChannels(channels))
    return Fail("the plug-in does not accept " + std::string(channels == 1 ? "mono" : "stereo") + " buses");
  mDirectory = std::make_unique<TvHost::ParameterDirectory>(*mInstance->Controller());
  return true;
}

bool Renderer::LoadState()
{
  if (mOptions.loadStatePath.empty())
    return true;
  TvHost::MemoryStream stream;
  if (!stream.LoadFile(mOptions.loadStatePath))
    return Fail("cannot read state file " + mOptions.loadStatePath);
  return LoadStateBytes(stream, mOptions.loadStatePath);
}

bool Renderer::LoadStateBytes(TvHost::MemoryStream& stream, const std::string& path)
{
  // Reading past the end is reported as an error, so that a truncated or foreign state is
  // refused by the plug-in instead of being taken as far as it goes.
  stream.SetEndOfData(TvHost::MemoryStream::EndOfData::kFailEmpty);
  if (!mInstance->LoadState(stream))
    return Fail("the plug-in refused the state in " + path);
  return true;
}

bool Renderer::LoadPreset()
{
  if (mOptions.preset.empty())
    return true;
  PresetBank bank;
  std::string error;
  if (!bank.Parse(FactoryBankText(), error))
    return Fail(error);
  if (const FactoryPreset* preset = bank.Find(mOptions.preset))
    return ApplySettings(preset->settings);
  if (IsFile(mOptions.preset))
    return LoadPresetFile(mOptions.preset);
  return Fail("\"" + mOptions.preset + "\" is neither a factory preset nor a preset file (--list-presets names them)");
}

bool Renderer::LoadPresetFile(const std::string& path)
{
  TvHost::PresetContents contents;
  std::string error;
  if (!TvHost::ReadPresetFile(path, contents, error))
    return Fail(error);
  if (contents.classId != mInstance->ClassId())
    return Fail(path + " is a preset of another plug-in");
  TvHost::MemoryStream stream(std::move(contents.componentState));
  return LoadStateBytes(stream, path);
}

bool Renderer::ApplySettings(const std::vector<std::string>& texts)
{
  Vst::IEditController& controller = *mInstance->Controller();
  for (const std::string& text : texts)
  {
    ParameterSetting setting;
    std::string error;
    if (!ResolveParameterSetting(text, *mDirectory, controller, setting, error))
      return Fail(error);
    // The controller keeps the value for listings and state; host-level parameters such as
    // the bypass refuse it and reach the processor through the first block's queue only.
    controller.setParamNormalized(setting.id, setting.normalized);
    mSettings.push_back(setting);
  }
  return true;
}

bool Renderer::SaveState()
{
  if (mOptions.saveStatePath.empty())
    return true;
  TvHost::MemoryStream stream;
  if (!mInstance->SaveState(stream))
    return Fail("the plug-in did not give its state");
  return WriteWhole(stream, mOptions.saveStatePath, "state file");
}

bool Renderer::SavePreset()
{
  if (mOptions.savePresetPath.empty())
    return true;
  TvHost::MemoryStream stream;
  if (!Vst::PresetFile::savePreset(&stream, mInstance->ClassId(), mInstance->Component()))
    return Fail("the plug-in did not give its state for " + mOptions.savePresetPath);
  return WriteWhole(stream, mOptions.savePresetPath, "preset file");
}

bool Renderer::WriteWhole(const TvHost::MemoryStream& bytes, const std::string& path, const std::string& what)
{
  std::string error;
  const auto pending = PendingFile::Create(path, error);
  if (!pending)
    return Fail("cannot write " + what + " " + path + ": " + error);
  if (!bytes.SaveFile(pending->TemporaryPath()))
    return Fail("cannot write " + what + " " + path);
  return Keep(*pending, path);
}

// The last check for a stop request: after it the file takes its name whole.
bool Renderer::Keep(PendingFile& file, const std::string& path)
{
  if (StopSignal::Received())
    return Fail("interrupted: nothing was written to " + path);
  std::string error;
  if (!file.Commit(error))
    return Fail("cannot write " + path + ": " + error);
  return true;
}

std::string Renderer::OutputPath() const
{
  if (!mOptions.outputPath.empty())
    return mOptions.outputPath;
  return mOptions.inputPath.empty() ? kDemoOutput : DerivedOutputPath(mOptions.inputPath, mOptions.floatOutput);
}

bool Renderer::Render()
{
  const std::string outputPath = OutputPath();
  const std::string resolvedInput = ResolvedPath(mOptions.inputPath);
  if (!resolvedInput.empty() && resolvedInput == ResolvedPath(outputPath))
    return Fail("the output " + outputPath + " would overwrite the input");

  if (!SetupProcessing(mSource->SampleRate()))
    return false;

  std::string error;
  const auto pending = PendingFile::Create(outputPath, error);
  if (!pending)
    return Fail("cannot write " + outputPath + ": " + error);
  const auto writer =
    SoundFileWriter::Create(pending->TemporaryPath(), mOutputFormat, mSource->Channels(), mSource->SampleRate(), error);
  if (!writer)
    return Fail("cannot write " + outputPath + ": " + error);
  SignalStats stats(mSource->Channels());
  if (!ProcessAll(*writer, stats))
    return false;
  if (!writer->Close())
    return Fail("cannot finish writing " + outputPath);
  if (!Keep(*pending, outputPath))
    return false;
  if (mOptions.stats)
    PrintStats(stdout, outputPath, mOptions.pluginPath, stats);
  return true;
}

void Renderer::CaptureStartValues()
{
  // Taken before setupProcessing, which may reset host-level values such as the bypass.
  Vst::IEditController& controller = *mInstance->Controller();
  for (const auto& entry : mDirectory->Entries())
  {
    if (entry.IsProgramChange())
      continue;
    double value = controller.getParamNormalized(entry.id);
    for (const auto& setting : mSettings)
      if (setting.id == entry.id)
        value = setting.normalized;
    mStartValues.push_back({entry.id, entry.title, value});
  }
}

void Renderer::QueueStartValues(TvHost::ParameterChanges& changes) const
{
  // The first block brings the processor in line with the controller: every parameter goes
  // through the queues, so a render depends only on the values, not on whether they came
  // from a state file or from the command line.
  for (const auto& value : mStartValues)
    changes.AddChange(value.id, value.normalized);
}

int32 Renderer::SampleSize() const
{
  return mOptions.precision == 64 ? Vst::kSample64 : Vst::kSample32;
}

bool Renderer::SetupProcessing(double sampleRate)
{
  if (mInstance->SetupProcessing(sampleRate, mOptions.blockSize, SampleSize()))
    return true;
  return Fail("the plug-in refused " + std::to_string(mOptions.precision) + "-bit processing at " +
              FormatNumber(sampleRate) + " Hz");
}

bool Renderer::ApplyWithoutAudio(int channels)
{
  // A block of no frames hands the queued values to the processor, so the listing and a
  // saved state show everything that was set, the host-level bypass included.
  if (!SetupProcessing(kListingSampleRate))
    return false;
  TvHost::ProcessDataBuilder buffers(SampleSize(), channels, channels, mOptions.blockSize, kListingSampleRate);
  TvHost::ParameterChanges changes(static_cast<int32>(mDirectory->Entries().size()));
  QueueStartValues(changes);
  if (!mInstance->SetActive(true))
    return Fail("the plug-in refused to activate");
  const bool processed = mInstance->Process(buffers.Prepare(0, &changes));
  if (!mInstance->SetActive(false) || !processed)
    return Fail("the plug-in failed to take the parameter values");
  return true;
}

bool Renderer::ProcessAll(SoundFileWriter& writer, SignalStats& stats)
{
  const int channels = mSource->Channels();
  const int32 blockSize = mOptions.blockSize;
  TvHost::ProcessDataBuilder buffers(SampleSize(), channels, channels, blockSize, mSource->SampleRate());
  TvHost::ParameterChanges changes(static_cast<int32>(mDirectory->Entries().size()));
  std::vector<double> input(static_cast<size_t>(blockSize) * channels);
  std::vector<double> output(input.size());

  QueueStartValues(changes);
  if (!mInstance->SetActive(true))
    return Fail("the plug-in refused to activate");
  const bool showProgress = isatty(STDERR_FILENO) && mSource->Frames() > kProgressBarSeconds * mSource->SampleRate();
  ProgressBar progress(stderr, mSource->Frames(), showProgress);
  // A message starts on a line of its own, not after the bar.
  const auto stop = [&](const std::string& message) {
    progress.Finish();
    return Fail(message);
  };
  int64_t done = 0;
  for (;;)
  {
    if (StopSignal::Received())
      return stop("interrupted: nothing was written to " + OutputPath());
    const int64_t frames = mSource->Read(input.data(), blockSize);
    if (frames < 0)
      return stop("cannot read " + mOptions.inputPath);
    if (frames == 0)
      break;
    buffers.WriteInputInterleaved(input.data(), static_cast<int32>(frames));
    if (!mInstance->Process(buffers.Prepare(static_cast<int32>(frames), &changes)))
      return stop("the plug-in failed to process a block");
    changes.Clear();
    buffers.AdvanceTransport(static_cast<int32>(frames));
    buffers.ReadOutputInterleaved(output.data(), static_cast<int32>(frames));
    stats.Add(output.data(), frames);
    if (!writer.Write(output.data(), frames))
      return stop("cannot write the output: " + writer.LastError());
    progress.Update(done += frames);
  }
  progress.Finish();
  return mInstance->SetActive(false);
}
