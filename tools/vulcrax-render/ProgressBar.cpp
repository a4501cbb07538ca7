#include "tools/vulcrax-render/ProgressBar.h"

#include <algorithm>
#include <string>

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* out, int64_t total, bool enabled)
  : mOut(out), mTotal(std::max<int64_t>(total, 1)), mEnabled(enabled)
{
}

ProgressBar::~ProgressBar()
{
  Finish();
}

void ProgressBar::Update(int64_t done)
{
  if (!mEnabled)
    return;
  const int percent = static_cast<int>(std::clamp<int64_t>(done * 100 / mTotal, 0, 100));
  if (percent == mShownPercent)
    return;
  mShownPercent = percent;
  const int filled = percent * kWidth / 100;
  const std::string bar = std::string(filled, '#') + std::string(kWidth - filled, '-');
  std::fprintf(mOut, "\rrendering [%s] %3d%%", bar.c_str(), percent);
  std::fflush(mOut);
}

void ProgressBar::Finish()
{
  if (!mEnabled || mShownPercent < 0)
    return;
  std::fputc('\n', mOut);
  mEnabled = false;
}
