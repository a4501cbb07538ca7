#include "graphics/controls/IRadioButtonsControl.h"

#include "graphics/IGraphics.h"

IRadioButtonsControl::IRadioButtonsControl(IPlugBase* plug, const IRECT& rect, int paramIdx, int buttonCount,
                                           const IFrameStrip& strip, bool horizontal)
  : IControl(plug, rect, paramIdx), mStrip(strip)
{
  const int n = buttonCount < 1 ? 1 : buttonCount;
  const int w = strip.FrameWidth();
  const int h = strip.FrameHeight();
  // Spacing between button origins; a single button sits at the start.
  const double dx = n > 1 ? static_cast<double>(rect.W() - w) / (n - 1) : 0.0;
  const double dy = n > 1 ? static_cast<double>(rect.H() - h) / (n - 1) : 0.0;
  for (int i = 0; i < n; ++i)
  {
    const int x = horizontal ? rect.L + static_cast<int>(dx * i) : rect.L;
    const int y = horizontal ? rect.T : rect.T + static_cast<int>(dy * i);
    mButtons.emplace_back(x, y, x + w, y + h);
  }
}

int IRadioButtonsControl::SelectedButton() const
{
  const int n = static_cast<int>(mButtons.size());
  return n < 2 ? 0 : static_cast<int>(Value() * (n - 1) + 0.5);
}

bool IRadioButtonsControl::Paint(IGraphics& graphics)
{
  const int selected = SelectedButton();
  for (int i = 0; i < static_cast<int>(mButtons.size()); ++i)
    graphics.DrawStripFrame(mStrip, mButtons[i], i == selected ? 2 : 1, &Blend());
  return true;
}

void IRadioButtonsControl::PointerDown(int x, int y, const IPointerMods& mods)
{
  PressCell(mButtons, x, y, mods);
}
