#include "graphics/controls/IBitmapOverlayControl.h"

IBitmapOverlayControl::IBitmapOverlayControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                                             const IRECT& triggerArea)
  : ISwitchControl(plug, x, y, paramIdx, strip), mTriggerArea(triggerArea)
{
}

bool IBitmapOverlayControl::Paint(IGraphics& graphics)
{
  if (IsShown())
    ISwitchControl::Paint(graphics);
  return true;
}

bool IBitmapOverlayControl::Contains(int x, int y) const
{
  return IsShown() ? Rect().Contains(x, y) : mTriggerArea.Contains(x, y);
}
