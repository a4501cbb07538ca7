#pragma once

#include "graphics/controls/IBitmapControl.h"

// A multi-position switch that steps to its next frame on every click and wraps to the first.
class ISwitchControl : public IBitmapControl
{
public:
  ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                 int blendMethod = IBlend::BlendNone);

  void PointerDown(int x, int y, const IPointerMods& mods) override;
  // A fast double click steps twice: once for the press, once for the double click.
  void PointerDoubleClick(int x, int y, const IPointerMods& mods) override;

protected:
  void Step();
};
