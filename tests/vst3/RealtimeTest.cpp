// The audio path of the loaded module allocates no memory and locks no mutex but the
// plug-in's own. This program replaces malloc and pthread_mutex_lock for the whole process
// (the module's calls bind to them too) and counts what happens while process runs.

#include <dlfcn.h>
#include <pthread.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <random>
#include <vector>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

thread_local bool tWatching = false;
thread_local int tAllocations = 0;
thread_local int tMutexCount = 0;
thread_local std::array<pthread_mutex_t*, 8> tMutexes = {};

void NoteAllocation()
{
  if (tWatching)
    ++tAllocations;
}

void NoteLock(pthread_mutex_t* mutex)
{
  if (!tWatching)
    return;
  for (int i = 0; i < tMutexCount; ++i)
    if (tMutexes[i] == mutex)
      return;
  if (tMutexCount < static_cast<int>(tMutexes.size()))
    tMutexes[tMutexCount++] = mutex;
}

using LockFunc = int (*)(pthread_mutex_t*);
const LockFunc gRealLock = reinterpret_cast<LockFunc>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));

}  // namespace

extern "C" {

void* malloc(size_t size)
{
  NoteAllocation();
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
  NoteAllocation();
  return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size)
{
  NoteAllocation();
  return __libc_realloc(pointer, size);
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
  NoteAllocation();
  *out = __libc_memalign(alignment, size);
  return *out != nullptr ? 0 : 12;
}

void* aligned_alloc(size_t alignment, size_t size)
{
  NoteAllocation();
  return __libc_memalign(alignment, size);
}

int pthread_mutex_lock(pthread_mutex_t* mutex)
{
  NoteLock(mutex);
  return gRealLock(mutex);
}

}  // extern "C"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class RealtimeTest : public VstTest::PluginTest, public ::testing::WithParamInterface<int32>
{
protected:
  // Every parameter and bypass moved at once, with the next block's values, and a program
  // change to the given value.
  void QueueChanges(std::mt19937& random, ParamValue program)
  {
    std::uniform_real_distribution<double> value(0.0, 1.0);
    changes.Clear();
    for (int i = 0; i < VstTest::kParamCount; ++i)
      changes.AddChange(i, value(random));
    changes.AddChange(VstTest::kBypassId, value(random));
    changes.AddChange(VstTest::kPresetId, program);
  }

  // The value of every step of the program-change parameter: each preset slot, and the step
  // past the last slot that the parameter also announces.
  std::vector<ParamValue> ProgramSteps() const
  {
    std::vector<ParamValue> steps;
    for (int32 i = 0; i < Controller()->getParameterCount(); ++i)
    {
      ParameterInfo info = {};
      if (Controller()->getParameterInfo(i, info) != kResultOk || info.id != VstTest::kPresetId)
        continue;
      for (int32 step = 0; step <= info.stepCount; ++step)
        steps.push_back(static_cast<ParamValue>(step) / std::max(info.stepCount, 1));
    }
    return steps;
  }

  TvHost::ParameterChanges changes;
};

class RealtimeCounterTest : public VstTest::PluginTest
{
};

}  // namespace

TEST_P(RealtimeTest, ProcessAllocatesNothingAndLocksOnlyThePluginMutex)
{
  constexpr int32 kBlock = 256;
  ASSERT_TRUE(Setup(GetParam(), kBlock));
  TvHost::ProcessDataBuilder buffers(GetParam(), 2, 2, 3 * kBlock);
  for (int32 c = 0; c < 2; ++c)
    for (int32 f = 0; f < 3 * kBlock; ++f)
      buffers.SetInput(c, f, 0.5 * ((f * (c + 3)) % 17 - 8) / 8.0);
  const std::vector<ParamValue> programs = ProgramSteps();
  ASSERT_GE(programs.size(), 2u);
  std::mt19937 random(11);
  QueueChanges(random, 0.0);
  ASSERT_EQ(Processor()->process(buffers.Prepare(kBlock, &changes)), kResultOk);

  int allocations = 0;
  tMutexCount = 0;
  const int blocks = std::max(40, 3 * static_cast<int>(programs.size()));
  for (int block = 0; block < blocks; ++block)
  {
    QueueChanges(random, programs[block % programs.size()]);
    const int32 frames = block % 3 == 0 ? 3 * kBlock : kBlock - block % kBlock;
    ProcessData& data = buffers.Prepare(frames, &changes);
    tAllocations = 0;
    tWatching = true;
    Processor()->process(data);
    tWatching = false;
    allocations += tAllocations;
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(tMutexCount, 1);
}

// The counters above would pass a silent instrument: a controller call known to allocate and
// to take the plug-in's mutex must move both.
TEST_F(RealtimeCounterTest, SeeTheModulesAllocationsAndLocks)
{
  TvHost::MemoryStream state;
  tAllocations = 0;
  tMutexCount = 0;
  tWatching = true;
  const tresult result = Controller()->getState(&state);
  tWatching = false;
  EXPECT_EQ(result, kResultOk);
  EXPECT_GT(tAllocations, 0);
  EXPECT_GE(tMutexCount, 1);
  tMutexCount = 0;
}

INSTANTIATE_TEST_SUITE_P(BothSampleSizes, RealtimeTest, ::testing::Values(kSample32, kSample64));
