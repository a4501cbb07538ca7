#include "graphics/controls/IKnobRotatingMaskControl.h"

#include "graphics/IGraphics.h"

IKnobRotatingMaskControl::IKnobRotatingMaskControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& base,
                                                   const IFrameStrip& mask, const IFrameStrip& top, double minDegrees,
                                                   double maxDegrees, int direction, double gearing)
  : IKnobControl(plug, IRECT(x, y, x + base.width, y + base.height), paramIdx, direction, gearing), mBase(base),
    mMask(mask), mTop(top), mMinDegrees(minDegrees), mMaxDegrees(maxDegrees)
{
}

bool IKnobRotatingMaskControl::Paint(IGraphics& graphics)
{
  const double degrees = mMinDegrees + Value() * (mMaxDegrees - mMinDegrees);
  graphics.DrawRotatedMask(mBase, mMask, mTop, Rect().L, Rect().T, degrees, &Blend());
  return true;
}
