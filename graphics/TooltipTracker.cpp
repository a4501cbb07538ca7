#include "graphics/TooltipTracker.h"

void TooltipTracker::Hover(int index)
{
  if (index == mShown)
    return;
  mShown = -1;
  if (index != mResting)
    Rest(index);
}

void TooltipTracker::Engage(int index)
{
  mShown = index;
  Rest(index);
}

void TooltipTracker::Press(int index)
{
  if (index != mShown)
    mShown = -1;
  Rest(index);
}

void TooltipTracker::Hide()
{
  mShown = -1;
  Rest(-1);
}

void TooltipTracker::Tick()
{
  if (mShown >= 0 || mResting < 0)
    return;
  if (++mRestedTicks >= mDelayTicks)
    mShown = mResting;
}

void TooltipTracker::Rest(int index)
{
  mResting = index;
  mRestedTicks = 0;
}
