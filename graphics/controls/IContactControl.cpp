#include "graphics/controls/IContactControl.h"

void IContactControl::PointerUp(int, int, const IPointerMods&)
{
  SetValue(0.0);
  MarkDirty(true);
}
