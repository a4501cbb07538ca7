#include "graphics/controls/IInvisibleSwitchControl.h"

IInvisibleSwitchControl::IInvisibleSwitchControl(IPlugBase* plug, const IRECT& rect, int paramIdx)
  : IControl(plug, rect, paramIdx)
{
}

void IInvisibleSwitchControl::PointerDown(int, int, const IPointerMods&)
{
  SetValue(Value() < 0.5 ? 1.0 : 0.0);
  MarkDirty(true);
}
