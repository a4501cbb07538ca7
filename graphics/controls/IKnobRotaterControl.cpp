#include "graphics/controls/IKnobRotaterControl.h"

#include "graphics/IGraphics.h"

IKnobRotaterControl::IKnobRotaterControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& image,
                                         double minDegrees, double maxDegrees, int direction, double gearing)
  : IKnobControl(plug, IRECT(x, y, x + image.width, y + image.height), paramIdx, direction, gearing), mImage(image),
    mMinDegrees(minDegrees), mMaxDegrees(maxDegrees)
{
}

bool IKnobRotaterControl::Paint(IGraphics& graphics)
{
  const IRECT& r = Rect();
  const double degrees = mMinDegrees + Value() * (mMaxDegrees - mMinDegrees);
  graphics.DrawRotated(mImage, (r.L + r.R) / 2, (r.T + r.B) / 2, degrees, &Blend());
  return true;
}
