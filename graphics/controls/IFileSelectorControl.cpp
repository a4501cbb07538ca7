#include "graphics/controls/IFileSelectorControl.h"

#include "graphics/IGraphics.h"

IFileSelectorControl::IFileSelectorControl(IPlugBase* plug, const IRECT& rect, int paramIdx, const IFrameStrip& strip,
                                           int action, const char* folder, const char* extensions)
  : IControl(plug, rect, paramIdx), mStrip(strip), mAction(action), mFolder(folder ? folder : ""),
    mExtensions(extensions ? extensions : "")
{
}

bool IFileSelectorControl::Paint(IGraphics& graphics)
{
  if (mSelecting)
    graphics.DrawStripFrame(mStrip, Rect(), 1, &Blend());
  return true;
}

void IFileSelectorControl::PointerDown(int, int, const IPointerMods&)
{
  IGraphics* graphics = Graphics();
  if (!graphics)
    return;
  mSelecting = true;
  graphics->AskForFile(mFile, mAction, mFolder, mExtensions.c_str());
  mSelecting = false;
  const double next = Value() + 1.0;
  SetValue(next > 1.0 ? 0.0 : next);
  MarkDirty(true);
}
