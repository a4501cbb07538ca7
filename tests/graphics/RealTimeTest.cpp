// Parameter changes reach an open editor on the audio thread: pushing values, greying and
// marking controls dirty must not allocate. Every allocation of the process is counted.
#include "EditorFixture.h"

#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/controls/ITextControl.h"

#include <cstdlib>
#include <memory>
#include <new>

namespace {
bool gCounting = false;
int gAllocations = 0;

void* CountedAllocation(std::size_t size)
{
  gAllocations += gCounting ? 1 : 0;
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void* CountedNothrowAllocation(std::size_t size) noexcept
{
  gAllocations += gCounting ? 1 : 0;
  return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size)
{
  return CountedAllocation(size);
}
void* operator new[](std::size_t size)
{
  return CountedAllocation(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedNothrowAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedNothrowAllocation(size);
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

namespace {
using RealTimeTest = EditorFixture;

TEST_F(RealTimeTest, AudioThreadEditorCallsDoNotAllocate)
{
  AddBackground();
  auto* knob =
    new IKnobMultiControlText(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 30, 30, 101), IText());
  auto* display = new ITextControl(&plug, IRECT(100, 10, 150, 30), IText(), "");
  knob->SetValueDisplay(display);
  knob->AddAuxParam(RecordingPlug::kBits);
  graphics->AddControl(knob);
  graphics->AddControl(new ISwitchControl(&plug, 60, 10, RecordingPlug::kBypass, MakeStrip(*graphics, 20, 10, 2)));
  graphics->AddControl(display);
  Attach();
  graphics->RenderAll();

  gAllocations = 0;
  gCounting = true;
  for (int i = 0; i < 100; ++i)
  {
    graphics->PushParamValue(RecordingPlug::kGain, i / 100.0, true);
    graphics->PushParamValue(RecordingPlug::kBits, 4.0 + i % 20, false);
    graphics->PushParamValue(RecordingPlug::kBypass, i % 2, false);
    graphics->GreyParamControls(RecordingPlug::kGain, i % 2 == 0);
    graphics->MarkAllDirty();
  }
  gCounting = false;
  EXPECT_EQ(gAllocations, 0);

  // The counter does see allocations.
  gCounting = true;
  auto probe = std::make_unique<int>(1);
  gCounting = false;
  EXPECT_EQ(gAllocations, 1);
}
}  // namespace
