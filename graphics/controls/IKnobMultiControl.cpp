#include "graphics/controls/IKnobMultiControl.h"

#include "graphics/IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                                     int direction, double gearing)
  : IKnobControl(plug, IRECT(x, y, x + strip.FrameWidth(), y + strip.FrameHeight()), paramIdx, direction, gearing),
    mStrip(strip)
{
}

bool IKnobMultiControl::Paint(IGraphics& graphics)
{
  graphics.DrawStripFrame(mStrip, Rect(), CurrentFrame(), &Blend());
  return true;
}
