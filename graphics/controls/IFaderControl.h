#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IControl.h"

// A handle image sliding along a track: value 0 at the bottom (or left), 1 at the top (or
// right). Pressing or dragging moves the handle's centre to the pointer.
class IFaderControl : public IControl
{
public:
  enum Direction : int
  {
    kVertical = 0,
    kHorizontal = 1
  };

  IFaderControl(IPlugBase* plug, int x, int y, int length, int paramIdx, const IFrameStrip& handle,
                int direction = kVertical);

  bool Paint(IGraphics& graphics) override;
  void PointerDown(int x, int y, const IPointerMods& mods) override;
  void PointerDrag(int x, int y, int dX, int dY, const IPointerMods& mods) override;
  void WheelTurn(int x, int y, const IPointerMods& mods, int delta) override;

  IRECT HandleRect() const;

private:
  void SnapToPointer(int x, int y);
  int Travel() const;

  IFrameStrip mHandle;
  int mDirection;
};
