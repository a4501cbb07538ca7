// The audio path must not allocate: blocks, parameter changes applied between blocks and the
// filter redesigns they cause. The global allocator is replaced here to count calls, which
// is why these tests live in an executable of their own.

#include "tests/effect/EffectRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

int allocations = 0;

}  // namespace

void* operator new(std::size_t size)
{
  ++allocations;
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}

namespace {

class AudioPathAllocation : public ::testing::Test
{
protected:
  // Runs `blocks` blocks of `frames` straight through the block routine, counting allocations.
  int AllocationsWhileProcessing(int blocks, int frames)
  {
    const int before = allocations;
    for (int b = 0; b < blocks; ++b)
    {
      double* inputs[] = {in.left.data(), in.right.data()};
      double* outputs[] = {out.left.data(), out.right.data()};
      runner.effect.ProcessBlock(inputs, outputs, frames);
    }
    return allocations - before;
  }

  EffectRunner runner {44100.0, 512};
  StereoSignal in = Tone(512, 440.0, 44100.0);
  StereoSignal out {512};
};

TEST_F(AudioPathAllocation, BlocksDoNotAllocate)
{
  runner.Set(kLowSatBypass, 0.0);
  runner.Set(kMidBitRedBypass, 0.0);
  runner.Set(kHighExcBypass, 0.0);
  EXPECT_EQ(AllocationsWhileProcessing(20, 512), 0);
  EXPECT_EQ(AllocationsWhileProcessing(20, 100), 0) << "a shorter block reuses the buffers";
}

TEST_F(AudioPathAllocation, OversampledBlocksDoNotAllocate)
{
  runner.Set(kOversample, 1.0);
  EXPECT_EQ(AllocationsWhileProcessing(20, 512), 0);
}

TEST_F(AudioPathAllocation, ParameterChangesAndRedesignsDoNotAllocate)
{
  const int before = allocations;
  runner.Set(kFreqLow, 1200.0);
  runner.Set(kFreqHigh, 9000.0);
  runner.Set(kLowSatGain, 24.0);
  runner.Set(kOversample, 1.0);
  runner.Set(kMultiband, 0.0);
  runner.Set(kMidMute, 1.0);
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(AllocationsWhileProcessing(5, 512), 0);
  runner.Set(kOversample, 0.0);
  EXPECT_EQ(AllocationsWhileProcessing(5, 512), 0);
}

}  // namespace
