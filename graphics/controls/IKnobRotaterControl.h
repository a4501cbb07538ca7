#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IKnobControl.h"

// A knob drawn as one image rotated about the rectangle's centre, by an angle between a
// minimum and a maximum (degrees, clockwise).
class IKnobRotaterControl : public IKnobControl
{
public:
  IKnobRotaterControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& image, double minDegrees = -135.0,
                      double maxDegrees = 135.0, int direction = kVertical, double gearing = kDefaultGearing);

  bool Paint(IGraphics& graphics) override;

private:
  IFrameStrip mImage;
  double mMinDegrees;
  double mMaxDegrees;
};
