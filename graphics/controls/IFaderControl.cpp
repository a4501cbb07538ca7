#include "graphics/controls/IFaderControl.h"

#include "graphics/IGraphics.h"

#include <algorithm>

namespace {
IRECT TrackRect(int x, int y, int length, const IFrameStrip& handle, int direction)
{
  if (direction == IFaderControl::kVertical)
    return IRECT(x, y, x + handle.FrameWidth(), y + length);
  return IRECT(x, y, x + length, y + handle.FrameHeight());
}
}  // namespace

IFaderControl::IFaderControl(IPlugBase* plug, int x, int y, int length, int paramIdx, const IFrameStrip& handle,
                             int direction)
  : IControl(plug, TrackRect(x, y, length, handle, direction), paramIdx), mHandle(handle), mDirection(direction)
{
}

int IFaderControl::Travel() const
{
  return mDirection == kVertical ? Rect().H() - mHandle.FrameHeight() : Rect().W() - mHandle.FrameWidth();
}

IRECT IFaderControl::HandleRect() const
{
  const IRECT& r = Rect();
  const int offset = static_cast<int>(Value() * Travel());
  const int w = mHandle.FrameWidth();
  const int h = mHandle.FrameHeight();
  if (mDirection == kVertical)
    return IRECT(r.L, r.B - h - offset, r.L + w, r.B - offset);
  return IRECT(r.L + offset, r.T, r.L + offset + w, r.T + h);
}

bool IFaderControl::Paint(IGraphics& graphics)
{
  graphics.DrawStripFrame(mHandle, HandleRect(), 1, &Blend());
  return true;
}

void IFaderControl::SnapToPointer(int x, int y)
{
  const int travel = Travel();
  if (travel <= 0)
    return;
  const IRECT& r = Rect();
  const double position =
    mDirection == kVertical ? r.B - y - mHandle.FrameHeight() / 2.0 : x - r.L - mHandle.FrameWidth() / 2.0;
  SetValue(std::clamp(position / travel, 0.0, 1.0));
  MarkDirty(true);
}

void IFaderControl::PointerDown(int x, int y, const IPointerMods& mods)
{
  if (mods.right)
  {
    PromptForInput();
    return;
  }
  SnapToPointer(x, y);
}

void IFaderControl::PointerDrag(int x, int y, int, int, const IPointerMods& mods)
{
  if (!mods.right)
    SnapToPointer(x, y);
}

void IFaderControl::WheelTurn(int, int, const IPointerMods& mods, int delta)
{
  SetValue(Value() + WheelIncrement(mods, delta));
  MarkDirty(true);
}
