#include "tools/vulcrax-render/OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

namespace {

struct ContainerName
{
  const char* extension;
  int container;
  const char* shown;
};

constexpr ContainerName kContainers[] = {{"wav", SF_FORMAT_WAV, "WAV"},
                                         {"flac", SF_FORMAT_FLAC, "FLAC"},
                                         {"aif", SF_FORMAT_AIFF, "AIFF"},
                                         {"aiff", SF_FORMAT_AIFF, "AIFF"}};

std::string LowerCaseExtension(const std::string& path)
{
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

const char* ShownName(int container)
{
  for (const auto& entry : kContainers)
    if (entry.container == container)
      return entry.shown;
  return "this";
}

bool Holds(int format, int channels, int sampleRate)
{
  SF_INFO info{};
  info.format = format;
  info.channels = channels;
  info.samplerate = sampleRate;
  return sf_format_check(&info) != 0;
}

}  // namespace

int ContainerOfName(const std::string& path)
{
  const std::string extension = LowerCaseExtension(path);
  for (const auto& entry : kContainers)
    if (extension == entry.extension)
      return entry.container;
  return 0;
}

bool ChooseOutputFormat(int container, int inputFormat, bool floatSamples, int channels, int sampleRate, int& format,
                        std::string& error)
{
  if (floatSamples)
  {
    format = container | SF_FORMAT_FLOAT;
    if (Holds(format, channels, sampleRate))
      return true;
    error = std::string(ShownName(container)) + " cannot hold 32-bit float samples (--float)";
    return false;
  }
  const int substitute = container == SF_FORMAT_FLAC ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT;
  for (const int samples : {inputFormat & SF_FORMAT_SUBMASK, substitute})
  {
    format = container | samples;
    if (Holds(format, channels, sampleRate))
      return true;
  }
  error = std::string(ShownName(container)) + " cannot hold " + std::to_string(channels) + " channel(s) at " +
          std::to_string(sampleRate) + " Hz";
  return false;
}
