#include "graphics/controls/IKnobLineControl.h"

#include "graphics/IGraphics.h"

#include <cmath>

IKnobLineControl::IKnobLineControl(IPlugBase* plug, const IRECT& rect, int paramIdx, const IColor& colour,
                                   double innerRadius, double outerRadius, double minAngle, double maxAngle,
                                   int direction, double gearing)
  : IKnobControl(plug, rect, paramIdx, direction, gearing), mColour(colour), mInnerRadius(innerRadius),
    mOuterRadius(outerRadius), mMinAngle(minAngle), mMaxAngle(maxAngle)
{
}

bool IKnobLineControl::Paint(IGraphics& graphics)
{
  const IRECT& r = Rect();
  const double cx = (r.L + r.R) * 0.5;
  const double cy = (r.T + r.B) * 0.5;
  const double angle = mMinAngle + Value() * (mMaxAngle - mMinAngle);
  const double sinA = std::sin(angle);
  const double cosA = std::cos(angle);
  graphics.DrawLine(mColour, static_cast<float>(cx + mInnerRadius * sinA), static_cast<float>(cy - mInnerRadius * cosA),
                    static_cast<float>(cx + mOuterRadius * sinA), static_cast<float>(cy - mOuterRadius * cosA),
                    &Blend(), true);
  return true;
}
