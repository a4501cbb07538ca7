#include "framework/ReplacingFile.h"

#include <cstdarg>

ReplacingFile::ReplacingFile(const char* path)
{
  if (!path || path[0] == '\0')
    return;
  mPath = path;
  mPartPath = mPath + ".part";
  mFile.reset(std::fopen(mPartPath.c_str(), "w"));
}

ReplacingFile::~ReplacingFile()
{
  if (mCommitted || mPartPath.empty())
    return;
  mFile.reset();
  std::remove(mPartPath.c_str());
}

void ReplacingFile::Print(const char* format, ...)
{
  if (!mFile)
    return;
  std::va_list args;
  va_start(args, format);
  if (std::vfprintf(mFile.get(), format, args) < 0)
    mWriteFailed = true;
  va_end(args);
}

// Buffered bytes reach the disk only at the flush, so a full disk shows there or at the close.
bool ReplacingFile::CloseChecked()
{
  std::FILE* file = mFile.release();
  const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
  const bool closed = std::fclose(file) == 0;
  return flushed && closed && !mWriteFailed;
}

bool ReplacingFile::Commit()
{
  if (!mFile)
    return false;
  mCommitted = CloseChecked() && std::rename(mPartPath.c_str(), mPath.c_str()) == 0;
  return mCommitted;
}
