#pragma once

#include "graphics/controls/ITextControl.h"

// Shows its parameter's display string (optionally with the unit) and asks for a new
// value when pressed.
class ICaptionControl : public ITextControl
{
public:
  ICaptionControl(IPlugBase* plug, const IRECT& rect, int paramIdx, const IText& text, bool showLabel = true);

  bool Paint(IGraphics& graphics) override;
  void PointerDown(int x, int y, const IPointerMods& mods) override;

private:
  bool mShowLabel;
};
