#pragma once

#include "graphics/controls/IKnobControl.h"

// A knob drawn as one line from an inner to an outer radius about the rectangle's centre,
// at an angle between a minimum and a maximum (radians, 0 pointing up, clockwise).
class IKnobLineControl : public IKnobControl
{
public:
  IKnobLineControl(IPlugBase* plug, const IRECT& rect, int paramIdx, const IColor& colour, double innerRadius,
                   double outerRadius, double minAngle = -0.75 * kPi, double maxAngle = 0.75 * kPi,
                   int direction = kVertical, double gearing = kDefaultGearing);

  bool Paint(IGraphics& graphics) override;

  static constexpr double kPi = 3.14159265358979323846;

private:
  IColor mColour;
  double mInnerRadius;
  double mOuterRadius;
  double mMinAngle;
  double mMaxAngle;
};
