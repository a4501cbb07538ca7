#include "graphics/linux/X11Input.h"

#include <X11/X.h>

#include <cstdlib>

namespace X11Input {
namespace {
constexpr unsigned int kLeftButton = Button1;
constexpr unsigned int kRightButton = Button3;
constexpr unsigned int kWheelUp = Button4;
constexpr unsigned int kWheelDown = Button5;
}  // namespace

IPointerMods PointerMods(unsigned int state, unsigned int button)
{
  const bool right = button == kRightButton || (button == 0 && (state & Button3Mask) != 0);
  const bool left = !right && (button == kLeftButton || (button == 0 && (state & Button1Mask) != 0));
  return IPointerMods(left, right, (state & ShiftMask) != 0, (state & ControlMask) != 0, (state & Mod1Mask) != 0);
}

int WheelSteps(unsigned int button)
{
  if (button == kWheelUp)
  {
    return 1;
  }
  return button == kWheelDown ? -1 : 0;
}

bool DoubleClickDetector::Press(unsigned long timeMs, int x, int y)
{
  const bool isDouble =
    mArmed && timeMs - mTime <= kIntervalMs && std::abs(x - mX) <= kSlopPixels && std::abs(y - mY) <= kSlopPixels;
  mArmed = !isDouble;
  mTime = timeMs;
  mX = x;
  mY = y;
  return isDouble;
}
}  // namespace X11Input
