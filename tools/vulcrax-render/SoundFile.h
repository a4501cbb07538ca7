#pragma once

#include "tools/vulcrax-render/AudioSource.h"

#include <sndfile.h>

#include <memory>
#include <string>

// Owns one open libsndfile handle.
struct SoundFileCloser
{
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFileHandle = std::unique_ptr<SNDFILE, SoundFileCloser>;

// An audio file read through libsndfile (WAV, FLAC, AIFF and the other formats it knows).
class SoundFileReader : public AudioSource
{
public:
  // nullptr and a message in error when the file cannot be opened as audio.
  static std::unique_ptr<SoundFileReader> Open(const std::string& path, std::string& error);

  int Channels() const override { return mInfo.channels; }
  int SampleRate() const override { return mInfo.samplerate; }
  int64_t Frames() const override { return mInfo.frames; }
  int Format() const { return mInfo.format; }
  int64_t Read(double* interleaved, int64_t frames) override;

private:
  SoundFileReader(SoundFileHandle file, const SF_INFO& info) : mFile(std::move(file)), mInfo(info) {}

  SoundFileHandle mFile;
  SF_INFO mInfo;
};

// An audio file written through libsndfile. Integer formats clip samples beyond full scale
// rather than letting them wrap around.
class SoundFileWriter
{
public:
  // nullptr and the cause in error (without the path) when the file cannot be written.
  static std::unique_ptr<SoundFileWriter> Create(const std::string& path, int format, int channels, int sampleRate,
                                                 std::string& error);

  bool Write(const double* interleaved, int64_t frames);
  // Flushes and closes the file; false when that fails.
  bool Close();
  std::string LastError() const;

private:
  explicit SoundFileWriter(SoundFileHandle file) : mFile(std::move(file)) {}

  SoundFileHandle mFile;
};
