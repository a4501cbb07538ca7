#include "graphics/controls/IPanelControl.h"

#include "graphics/IGraphics.h"

IPanelControl::IPanelControl(IPlugBase* plug, const IRECT& rect, const IColor& colour)
  : IControl(plug, rect), mColour(colour)
{
}

bool IPanelControl::Paint(IGraphics& graphics)
{
  // A fill is no bitmap draw and so not clipped by the editor: clip it here, or repainting
  // one small region would wipe every control that is not repainted with it.
  graphics.FillRect(mColour, Rect().Intersection(graphics.DrawRect()), &Blend());
  return true;
}
