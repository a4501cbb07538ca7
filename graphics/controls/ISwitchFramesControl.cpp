#include "graphics/controls/ISwitchFramesControl.h"

ISwitchFramesControl::ISwitchFramesControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                                           bool horizontalLayout)
  : ISwitchControl(plug, x, y, paramIdx, strip), mHorizontalLayout(horizontalLayout)
{
  LayOutFrameRects();
}

void ISwitchFramesControl::LayOutFrameRects()
{
  mFrameRects.clear();
  const IRECT& r = Rect();
  const int n = mStrip.frames;
  for (int i = 0; i < n; ++i)
  {
    if (mHorizontalLayout)
      mFrameRects.emplace_back(r.L + r.W() * i / n, r.T, r.L + r.W() * (i + 1) / n, r.B);
    else
      mFrameRects.emplace_back(r.L, r.T + r.H() * i / n, r.R, r.T + r.H() * (i + 1) / n);
  }
}

void ISwitchFramesControl::PointerDown(int x, int y, const IPointerMods& mods)
{
  PressCell(mFrameRects, x, y, mods);
}

void ISwitchFramesControl::MoveTo(int x, int y)
{
  ISwitchControl::MoveTo(x, y);
  LayOutFrameRects();
}
