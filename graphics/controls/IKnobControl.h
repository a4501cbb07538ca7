#pragma once

#include "graphics/controls/IControl.h"

// A control whose value follows pointer drags and the wheel.
class IKnobControl : public IControl
{
public:
  enum Direction : int
  {
    kVertical = 0,
    kHorizontal = 1
  };
  static constexpr double kDefaultGearing = 4.0;

  IKnobControl(IPlugBase* plug, const IRECT& rect, int paramIdx, int direction = kVertical,
               double gearing = kDefaultGearing);

  // Upward and rightward drags raise the value; a full sweep takes `gearing` times the
  // control's height (or width). Shift or control gear ten times finer.
  void PointerDrag(int x, int y, int dX, int dY, const IPointerMods& mods) override;
  void WheelTurn(int x, int y, const IPointerMods& mods, int delta) override;

  int Direction() const { return mDirection; }
  double Gearing() const { return mGearing; }
  void SetGearing(double gearing) { mGearing = gearing; }

private:
  int mDirection;
  double mGearing;
};
