#include "graphics/controls/ISwitchControl.h"

namespace {
// Tolerates the rounding of repeated 1 / (frames - 1) steps before wrapping.
constexpr double kWrapAbove = 1.001;
}  // namespace

ISwitchControl::ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip, int blendMethod)
  : IBitmapControl(plug, x, y, paramIdx, strip, blendMethod)
{
}

void ISwitchControl::PointerDown(int, int, const IPointerMods& mods)
{
  if (mods.right)
    PromptForInput();
  else
    Step();
  MarkDirty(true);
}

void ISwitchControl::PointerDoubleClick(int x, int y, const IPointerMods& mods)
{
  PointerDown(x, y, mods);
}

void ISwitchControl::Step()
{
  const double step = mStrip.frames < 2 ? 1.0 : 1.0 / (mStrip.frames - 1);
  const double next = Value() + step;
  SetValue(next > kWrapAbove ? 0.0 : next);
}
