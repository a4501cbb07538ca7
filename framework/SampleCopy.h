#pragma once

#include <cstring>

// Copies nFrames samples from source to destination, or writes zeros when there is no source.
inline void CopyOrClearFrames(const double* source, double* destination, int nFrames)
{
  if (nFrames <= 0)
    return;
  if (source)
    std::memmove(destination, source, sizeof(double) * static_cast<size_t>(nFrames));
  else
    std::memset(destination, 0, sizeof(double) * static_cast<size_t>(nFrames));
}

inline void ClearFrames(double* destination, int nFrames)
{
  CopyOrClearFrames(nullptr, destination, nFrames);
}
