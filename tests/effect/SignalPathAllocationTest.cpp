// The audio path must not allocate: blocks, parameter changes applied between blocks and the
// filter redesigns they cause. The global allocator is replaced here to count calls, which
// is why these tests live in an executable of their own.

#include "tests/effect/EffectRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

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

// The editor's image decoder allocates with the nothrow form; it must come from the same heap
// as the plain form, which the replaced delete below gives back.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  ++allocations;
  return std::malloc(size ? size : 1);
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

TEST(AudioPath, TheCounterSeesAllocations)
{
  const int before = allocations;
  delete new std::vector<int>(10);
  delete new (std::nothrow) int(1);
  EXPECT_GE(allocations - before, 3);
}

TEST(AudioPath, DoesNotAllocate)
{
  EffectRunner runner(44100.0, 512);
  StereoSignal in = Tone(512, 440.0, 44100.0), out(512);
  double* inputs[] = {in.left.data(), in.right.data()};
  double* outputs[] = {out.left.data(), out.right.data()};
  const auto countWhile = [&](auto&& action) {
    const int before = allocations;
    action();
    return allocations - before;
  };
  const auto blocks = [&](int frames) {
    for (int b = 0; b < 10; ++b)
      runner.effect.ProcessBlock(inputs, outputs, frames);
  };

  EXPECT_EQ(countWhile([&] {
              for (const int bypass : {kLowSatBypass, kMidBitRedBypass, kHighExcBypass})
                runner.Set(bypass, 0.0);
              runner.Set(kFreqLow, 1200.0);
              runner.Set(kLowSatGain, 24.0);
            }),
            0);
  EXPECT_EQ(countWhile([&] { blocks(512); }), 0);
  EXPECT_EQ(countWhile([&] { blocks(100); }), 0) << "a shorter block reuses the buffers";
  EXPECT_EQ(countWhile([&] { runner.Set(kOversample, 1.0); }), 0);
  EXPECT_EQ(countWhile([&] { blocks(512); }), 0);
  EXPECT_EQ(countWhile([&] {
              runner.Set(kOversampleQuality, kQualityClassic);
              blocks(512);
              runner.Set(kOversampleQuality, kQualityClean);
              blocks(512);
            }),
            0)
    << "the buffers hold the largest factor of either quality";
  EXPECT_EQ(countWhile([&] {
              runner.Set(kMultiband, 0.0);
              runner.Set(kOversample, 0.0);
              blocks(512);
            }),
            0);
}

}  // namespace
