#pragma once

#include "tools/host/HostApplication.h"
#include "tools/host/ParameterDirectory.h"
#include "tools/host/PluginInstance.h"
#include "tools/vulcrax-render/AudioSource.h"
#include "tools/vulcrax-render/ParameterSetting.h"
#include "tools/vulcrax-render/RenderOptions.h"
#include "tools/vulcrax-render/SignalStats.h"

#include <memory>
#include <string>
#include <vector>

class PendingFile;
class SoundFileWriter;
namespace TvHost {
class MemoryStream;
class ParameterChanges;
}

// One run of vulcrax-render: loads the plug-in the way a host does, applies the state and
// parameter settings, and streams the input through it block by block into the output file.
class Renderer
{
public:
  explicit Renderer(RenderOptions options);

  // Returns the process exit code; a failure has been reported on stderr in one line.
  int Run();

private:
  bool ListPresets();
  bool OpenSource();
  bool SelectOutputFormat();
  bool LoadPlugin(int channels);
  bool LoadState();
  bool LoadStateBytes(TvHost::MemoryStream& stream, const std::string& path);
  bool LoadPreset();
  bool LoadPresetFile(const std::string& path);
  bool ApplySettings(const std::vector<std::string>& texts);
  bool SaveState();
  bool SavePreset();
  bool WriteWhole(const TvHost::MemoryStream& bytes, const std::string& path, const std::string& what);
  bool Keep(PendingFile& file, const std::string& path);
  bool Render();
  Steinberg::int32 SampleSize() const;
  bool SetupProcessing(double sampleRate);
  bool ApplyWithoutAudio(int channels);
  bool ProcessAll(SoundFileWriter& writer, SignalStats& stats);
  void CaptureStartValues();
  void QueueStartValues(TvHost::ParameterChanges& changes) const;
  std::string OutputPath() const;
  bool Fail(const std::string& message);

  RenderOptions mOptions;
  TvHost::HostApplication mHost{"vulcrax-render"};
  std::unique_ptr<AudioSource> mSource;
  int mSourceFormat = 0;  // the demo has none, so its output gets the container's substitute
  int mOutputFormat = 0;
  std::unique_ptr<TvHost::PluginInstance> mInstance;
  std::unique_ptr<TvHost::ParameterDirectory> mDirectory;
  std::vector<ParameterSetting> mSettings;
  std::vector<ParameterSetting> mStartValues;
};
