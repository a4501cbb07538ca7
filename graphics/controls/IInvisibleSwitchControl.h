#pragma once

#include "graphics/controls/IControl.h"

// An invisible area that toggles its value between 0 and 1 when pressed.
class IInvisibleSwitchControl : public IControl
{
public:
  IInvisibleSwitchControl(IPlugBase* plug, const IRECT& rect, int paramIdx);

  bool Paint(IGraphics&) override { return true; }
  void PointerDown(int x, int y, const IPointerMods& mods) override;
};
