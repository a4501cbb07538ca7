#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IKnobControl.h"

// A knob drawn as one frame of a strip, frame 1 at value 0 and the last frame at value 1.
class IKnobMultiControl : public IKnobControl
{
public:
  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip, int direction = kVertical,
                    double gearing = kDefaultGearing);

  bool Paint(IGraphics& graphics) override;

  const IFrameStrip& Strip() const { return mStrip; }
  int CurrentFrame() const { return FrameForValue(Value(), mStrip.frames); }

private:
  IFrameStrip mStrip;
};
