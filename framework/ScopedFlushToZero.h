#pragma once

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

// For the lifetime of the object, results too small for a normal number become 0 and
// subnormal inputs count as 0, so a block never hands the host subnormal samples (and the
// filters never crawl through subnormal arithmetic). The caller's mode is restored after.
class ScopedFlushToZero
{
public:
#if defined(__SSE__)
  ScopedFlushToZero() : mSaved(_mm_getcsr())
  {
    _mm_setcsr(mSaved | kFlushToZero | kDenormalsAreZero);
  }
  ~ScopedFlushToZero()
  {
    _mm_setcsr(mSaved);
  }
#else
  ScopedFlushToZero() = default;
#endif

  ScopedFlushToZero(const ScopedFlushToZero&) = delete;
  ScopedFlushToZero& operator=(const ScopedFlushToZero&) = delete;

private:
#if defined(__SSE__)
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;
  unsigned mSaved;
#endif
};
