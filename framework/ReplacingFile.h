#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Writes a file that is either complete or not there at all. The bytes go to "<path>.part"
// beside it; only when every write, the flush and the close have succeeded does Commit rename
// that over path. On any failure, or without Commit, the partial file is removed and whatever
// path held before stays as it was.
class ReplacingFile
{
public:
  explicit ReplacingFile(const char* path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False when the partial file could not be created (no path, no such folder, no access).
  bool IsOpen() const { return mFile != nullptr; }
  // For writers that need the stream itself; Commit still checks everything written to it.
  std::FILE* Stream() const { return mFile.get(); }
  // Formats into the file; a failed write makes Commit fail.
  void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // True only when the complete file now stands at path.
  bool Commit();

private:
  struct FileCloser
  {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  bool CloseChecked();

  std::string mPath;
  std::string mPartPath;
  std::unique_ptr<std::FILE, FileCloser> mFile;
  bool mWriteFailed = false;
  bool mCommitted = false;
};
