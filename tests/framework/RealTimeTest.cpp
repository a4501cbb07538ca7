// The per-block work of the base must not allocate: these tests count every allocation the
// process makes while the block operations run.
#include <cstdlib>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

namespace {
bool gCounting = false;
int gAllocations = 0;

void* CountedAllocation(std::size_t size)
{
  if (gCounting)
    ++gAllocations;
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

class AllocationCounter
{
public:
  AllocationCounter()
  {
    gAllocations = 0;
    gCounting = true;
  }
  ~AllocationCounter() { gCounting = false; }
  int Count() const { return gAllocations; }
};

}  // namespace

void* operator new(std::size_t size)
{
  return CountedAllocation(size);
}
void* operator new[](std::size_t size)
{
  return CountedAllocation(size);
}
void operator delete(void* p) noexcept
{
  std::free(p);
}
void operator delete[](void* p) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
  std::free(p);
}

TEST(RealTime, BlockOperationsDoNotAllocate)
{
  RecordingPlug plug(2, "1-1 2-2", 2, 16);
  plug.ParamAt(0)->DefineDouble("Mix", 50.0, 0.0, 100.0, 1.0, 1.0);
  plug.ParamAt(1)->DefineInt("Freq", 250, 50, 5000);
  plug.ParamAt(1)->SetCurveExponent(3.5);
  plug.FillDefaultPresets("-", 1);
  plug.MakeLatencyDelay();
  auto* editor = new RecordingEditor();
  plug.AttachEditor(editor);
  editor->pushes.reserve(1000);  // recording within the reserved capacity allocates nothing
  ASSERT_TRUE(plug.SetBlockLength(256));
  StateChunk image;
  ASSERT_TRUE(plug.SerializeState(&image));
  std::vector<float> fl(256, 0.1f), fr(256, 0.2f), ol(256), orr(256);
  std::vector<double> dl(256, 0.1), dr(256, 0.2), odl(256), odr(256);
  float* floatIns[] = {fl.data(), fr.data()};
  float* floatOuts[] = {ol.data(), orr.data()};
  double* doubleIns[] = {dl.data(), dr.data()};
  double* doubleOuts[] = {odl.data(), odr.data()};

  AllocationCounter counter;
  for (int block = 0; block < 4; ++block)
  {
    std::lock_guard<std::recursive_mutex> lock(plug.Mutex());
    plug.ClearScratch();
    plug.ConnectInputChannels(0, 2, true);
    plug.ConnectOutputChannels(0, 1, true);
    plug.ConnectOutputChannels(1, 1, false);
    plug.ParamAt(1)->SetFromNormalized(0.25 * block);
    plug.ApplyParamChange(1, kSourceHost);
    editor->PushParamValue(1, plug.ParamAt(1)->Value(), false);
    plug.SetParameterFromGUI(0, 0.1 * block);
    ASSERT_TRUE(plug.BindInputBuffers(0, 2, floatIns, 256));
    ASSERT_TRUE(plug.BindOutputBuffers(0, 2, floatOuts));
    ASSERT_TRUE(plug.ProcessHostBlockFloat(256));
    ASSERT_TRUE(plug.PassThroughFloat(256));
    ASSERT_TRUE(plug.BindInputBuffers(0, 2, doubleIns));
    ASSERT_TRUE(plug.BindOutputBuffers(0, 2, doubleOuts));
    ASSERT_TRUE(plug.ProcessHostBlock(256));
    ASSERT_TRUE(plug.PassThrough(256));
    ASSERT_EQ(static_cast<int>(image.Size()), plug.UnserializeState(&image, 0));
    ASSERT_TRUE(plug.LoadPreset(0));
    ASSERT_TRUE(plug.LoadFilledPreset(0));
    ASSERT_FALSE(plug.LoadFilledPreset(1));  // empty: refused rather than captured
  }
  EXPECT_EQ(0, counter.Count());
  EXPECT_FALSE(plug.PresetAt(1)->initialised);
  EXPECT_GE(editor->pushes.size(), 12u);
}

TEST(RealTime, TheCounterSeesAllocations)
{
  AllocationCounter counter;
  std::vector<int>* v = new std::vector<int>(10);
  delete v;
  EXPECT_GE(counter.Count(), 2);
}
