#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IControl.h"

#include <vector>

// A row or column of buttons, one selected: frame 2 of the strip for the selected button,
// frame 1 for the others. The buttons are spread evenly along the control's rectangle.
class IRadioButtonsControl : public IControl
{
public:
  IRadioButtonsControl(IPlugBase* plug, const IRECT& rect, int paramIdx, int buttonCount, const IFrameStrip& strip,
                       bool horizontal = false);

  bool Paint(IGraphics& graphics) override;
  void PointerDown(int x, int y, const IPointerMods& mods) override;

  const std::vector<IRECT>& ButtonRects() const { return mButtons; }
  int SelectedButton() const;

private:
  IFrameStrip mStrip;
  std::vector<IRECT> mButtons;
};
