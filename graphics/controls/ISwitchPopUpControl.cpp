#include "graphics/controls/ISwitchPopUpControl.h"

ISwitchPopUpControl::ISwitchPopUpControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip)
  : ISwitchControl(plug, x, y, paramIdx, strip)
{
  SetPromptDisabled(false);
}

void ISwitchPopUpControl::PointerDown(int, int, const IPointerMods&)
{
  PromptForInput();
  MarkDirty(true);
}
