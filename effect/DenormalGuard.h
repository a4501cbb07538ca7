#pragma once

#include <xmmintrin.h>

// Turns on flush-to-zero and denormals-are-zero for its lifetime and restores the caller's
// mode afterwards. Decaying filter tails would otherwise run into subnormal numbers, which
// are slow on x86 and useless for audio. Reading and writing MXCSR is not a system call.
class DenormalGuard
{
public:
  DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
  ~DenormalGuard() { _mm_setcsr(saved); }

  DenormalGuard(const DenormalGuard&) = delete;
  DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;

  unsigned saved;
};
