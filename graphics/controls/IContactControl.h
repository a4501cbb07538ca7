#pragma once

#include "graphics/controls/ISwitchControl.h"

// A momentary switch: steps when pressed and returns to 0 when released.
class IContactControl : public ISwitchControl
{
public:
  using ISwitchControl::ISwitchControl;

  void PointerUp(int x, int y, const IPointerMods& mods) override;
};
