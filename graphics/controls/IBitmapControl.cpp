#include "graphics/controls/IBitmapControl.h"

#include "graphics/IGraphics.h"

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip, int blendMethod)
  : IControl(plug, IRECT(x, y, x + strip.FrameWidth(), y + strip.FrameHeight()), paramIdx, blendMethod), mStrip(strip)
{
}

bool IBitmapControl::Paint(IGraphics& graphics)
{
  graphics.DrawStripFrame(mStrip, Rect(), CurrentFrame(), &Blend());
  return true;
}
