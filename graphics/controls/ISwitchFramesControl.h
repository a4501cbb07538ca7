#pragma once

#include "graphics/controls/ISwitchControl.h"

#include <vector>

// A switch whose area is cut into one rectangle per frame; pressing a rectangle selects
// that frame directly.
class ISwitchFramesControl : public ISwitchControl
{
public:
  ISwitchFramesControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                       bool horizontalLayout = false);

  void PointerDown(int x, int y, const IPointerMods& mods) override;
  void MoveTo(int x, int y) override;

  const std::vector<IRECT>& FrameRects() const { return mFrameRects; }

private:
  void LayOutFrameRects();

  bool mHorizontalLayout;
  std::vector<IRECT> mFrameRects;
};
