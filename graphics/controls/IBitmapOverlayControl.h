#pragma once

#include "graphics/controls/ISwitchControl.h"

// An image shown only while switched on. While off it is hit in a separate trigger area;
// while on, the image itself is what the pointer hits.
class IBitmapOverlayControl : public ISwitchControl
{
public:
  IBitmapOverlayControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                        const IRECT& triggerArea);

  bool Paint(IGraphics& graphics) override;
  bool Contains(int x, int y) const override;

private:
  bool IsShown() const { return Value() >= 0.5; }

  IRECT mTriggerArea;
};
