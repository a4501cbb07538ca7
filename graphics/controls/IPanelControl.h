#pragma once

#include "graphics/controls/IControl.h"

// A rectangle filled with one colour.
class IPanelControl : public IControl
{
public:
  IPanelControl(IPlugBase* plug, const IRECT& rect, const IColor& colour);

  bool Paint(IGraphics& graphics) override;

private:
  IColor mColour;
};
