#pragma once

#include <memory>
#include <string>

// An output file that is whole or absent: it is written under a temporary name in the same
// folder and renamed over its own name only when complete, so an interrupted or failed run
// never leaves a partial file there and never touches a file that was there before.
class PendingFile
{
public:
  // Creates the empty temporary file beside path; nullptr and the cause in error when the
  // folder does not take it.
  static std::unique_ptr<PendingFile> Create(const std::string& path, std::string& error);

  // Removes the temporary file unless it was committed.
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Where the writer writes until Commit.
  const std::string& TemporaryPath() const { return mTemporaryPath; }
  // Gives the complete file its name, with the permissions of the file it replaces; false
  // and the cause in error when the rename fails (the temporary file is removed then).
  bool Commit(std::string& error);

private:
  PendingFile(std::string path, std::string temporaryPath);

  std::string mPath;
  std::string mTemporaryPath;
  bool mCommitted = false;
};
