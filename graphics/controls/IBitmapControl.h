#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IControl.h"

// Shows the strip frame that matches its value.
class IBitmapControl : public IControl
{
public:
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip,
                 int blendMethod = IBlend::BlendNone);

  bool Paint(IGraphics& graphics) override;

  const IFrameStrip& Strip() const { return mStrip; }
  int CurrentFrame() const { return FrameForValue(Value(), mStrip.frames); }

protected:
  IFrameStrip mStrip;
};
