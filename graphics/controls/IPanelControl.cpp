#include "graphics/controls/IPanelControl.h"

#include "graphics/IGraphics.h"

IPanelControl::IPanelControl(IPlugBase* plug, const IRECT& rect, const IColor& colour)
  : IControl(plug, rect), mColour(colour)
{
}

bool IPanelControl::Paint(IGraphics& graphics)
{
  graphics.FillRect(mColour, Rect(), &Blend());
  return true;
}
