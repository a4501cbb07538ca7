#include "tools/vulcrax-render/PendingFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;

// "dir/out.wav" becomes "dir/.out.wav.<pid>-<n>.part": hidden, in the same folder (a rename
// across file systems would not be atomic) and never a name the user asked for.
std::string TemporaryName(const std::string& path, int attempt)
{
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".part";
}

// A file being replaced keeps its permissions, as it did when it was overwritten in place.
void TakeOverPermissions(const std::string& from, const std::string& to)
{
  struct stat info
  {
  };
  if (stat(from.c_str(), &info) == 0 && S_ISREG(info.st_mode))
    chmod(to.c_str(), info.st_mode & 07777);
}

}  // namespace

std::unique_ptr<PendingFile> PendingFile::Create(const std::string& path, std::string& error)
{
  for (int attempt = 0; attempt < kNameAttempts; ++attempt)
  {
    std::string temporaryPath = TemporaryName(path, attempt);
    // O_EXCL: a leftover of another run is never reused or truncated.
    const int descriptor = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0)
    {
      close(descriptor);
      return std::unique_ptr<PendingFile>(new PendingFile(path, std::move(temporaryPath)));
    }
    if (errno != EEXIST)
      break;
  }
  error = std::strerror(errno);
  return nullptr;
}

PendingFile::PendingFile(std::string path, std::string temporaryPath)
  : mPath(std::move(path)), mTemporaryPath(std::move(temporaryPath))
{
}

PendingFile::~PendingFile()
{
  if (!mCommitted)
    unlink(mTemporaryPath.c_str());
}

bool PendingFile::Commit(std::string& error)
{
  TakeOverPermissions(mPath, mTemporaryPath);
  if (std::rename(mTemporaryPath.c_str(), mPath.c_str()) != 0)
  {
    error = std::strerror(errno);
    return false;
  }
  mCommitted = true;
  return true;
}
