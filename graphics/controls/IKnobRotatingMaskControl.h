#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IKnobControl.h"

// A knob whose base image and mask turn together under a fixed top image.
class IKnobRotatingMaskControl : public IKnobControl
{
public:
  IKnobRotatingMaskControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& base,
                           const IFrameStrip& mask, const IFrameStrip& top, double minDegrees = -151.0,
                           double maxDegrees = 151.0, int direction = kVertical, double gearing = kDefaultGearing);

  bool Paint(IGraphics& graphics) override;

private:
  IFrameStrip mBase;
  IFrameStrip mMask;
  IFrameStrip mTop;
  double mMinDegrees;
  double mMaxDegrees;
};
