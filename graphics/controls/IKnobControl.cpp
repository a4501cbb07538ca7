#include "graphics/controls/IKnobControl.h"

namespace {
constexpr double kFineGearingFactor = 10.0;
}  // namespace

IKnobControl::IKnobControl(IPlugBase* plug, const IRECT& rect, int paramIdx, int direction, double gearing)
  : IControl(plug, rect, paramIdx), mDirection(direction), mGearing(gearing)
{
}

void IKnobControl::PointerDrag(int, int, int dX, int dY, const IPointerMods& mods)
{
  const double gearing = WantsFineAdjustment(mods) ? mGearing * kFineGearingFactor : mGearing;
  const IRECT& r = Rect();
  if (mDirection == kVertical)
    SetValue(Value() + static_cast<double>(dY) / (r.T - r.B) / gearing);
  else
    SetValue(Value() + static_cast<double>(dX) / (r.R - r.L) / gearing);
  MarkDirty(true);
}

void IKnobControl::WheelTurn(int, int, const IPointerMods& mods, int delta)
{
  SetValue(Value() + WheelIncrement(mods, delta));
  MarkDirty(true);
}
