#include "tools/vulcrax-render/SoundFile.h"

std::unique_ptr<SoundFileReader> SoundFileReader::Open(const std::string& path, std::string& error)
{
  SF_INFO info{};
  SoundFileHandle file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file)
  {
    error = "cannot read " + path + ": " + sf_strerror(nullptr);
    return nullptr;
  }
  return std::unique_ptr<SoundFileReader>(new SoundFileReader(std::move(file), info));
}

int64_t SoundFileReader::Read(double* interleaved, int64_t frames)
{
  const sf_count_t read = sf_readf_double(mFile.get(), interleaved, frames);
  if (read < frames && sf_error(mFile.get()) != SF_ERR_NO_ERROR)
    return -1;
  return read;
}

std::unique_ptr<SoundFileWriter> SoundFileWriter::Create(const std::string& path, int format, int channels,
                                                         int sampleRate, std::string& error)
{
  SF_INFO info{};
  info.format = format;
  info.channels = channels;
  info.samplerate = sampleRate;
  if (!sf_format_check(&info))
  {
    error = "libsndfile cannot write this format";
    return nullptr;
  }
  SoundFileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file)
  {
    error = sf_strerror(nullptr);
    return nullptr;
  }
  const int subtype = format & SF_FORMAT_SUBMASK;
  if (subtype != SF_FORMAT_FLOAT && subtype != SF_FORMAT_DOUBLE)
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return std::unique_ptr<SoundFileWriter>(new SoundFileWriter(std::move(file)));
}

bool SoundFileWriter::Write(const double* interleaved, int64_t frames)
{
  return sf_writef_double(mFile.get(), interleaved, frames) == frames;
}

bool SoundFileWriter::Close()
{
  if (!mFile)
    return true;
  sf_write_sync(mFile.get());
  return sf_close(mFile.release()) == 0;
}

std::string SoundFileWriter::LastError() const
{
  return sf_strerror(mFile.get());
}
