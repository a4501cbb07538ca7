#pragma once

#include <cstdint>
#include <cstdio>

// A one-line progress bar on a terminal, redrawn only when the shown percentage changes.
class ProgressBar
{
public:
  // enabled false makes every call do nothing (output not a terminal, short job).
  ProgressBar(std::FILE* out, int64_t total, bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Update(int64_t done);
  // Ends the line; the destructor does it when it has not been done.
  void Finish();

private:
  std::FILE* mOut;
  int64_t mTotal;
  bool mEnabled;
  int mShownPercent = -1;
};
