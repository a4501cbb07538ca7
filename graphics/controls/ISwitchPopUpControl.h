#pragma once

#include "graphics/controls/ISwitchControl.h"

// A switch image that asks for the value with a menu or text field when pressed.
class ISwitchPopUpControl : public ISwitchControl
{
public:
  ISwitchPopUpControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip);

  void PointerDown(int x, int y, const IPointerMods& mods) override;
};
