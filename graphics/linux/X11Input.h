#pragma once

#include "graphics/IPointerMods.h"

// How X pointer buttons, modifier state and keys map onto the editor's pointer calls and
// key codes.
namespace X11Input {
// Buttons 1 and 3 are the left and right buttons; Shift, Control and Mod1 (Alt) come from
// the state the event carries.
IPointerMods PointerMods(unsigned int state, unsigned int button);
// Buttons 4 and 5 are one wheel step up (+1) and down (-1); other buttons 0.
int WheelSteps(unsigned int button);
// Space, arrows, digits and letters (either case) as the editor's key codes (KeyCodes.h);
// false for any other key.
bool EditorKey(unsigned long keysym, int& key);

// A second press close enough in time and place to the first one is a double click; a third
// press starts over.
class DoubleClickDetector
{
public:
  static constexpr unsigned long kIntervalMs = 400;
  static constexpr int kSlopPixels = 4;

  // The press at server time timeMs and window position (x, y): true for a double click.
  bool Press(unsigned long timeMs, int x, int y);

private:
  bool mArmed = false;
  unsigned long mTime = 0;
  int mX = 0;
  int mY = 0;
};
}  // namespace X11Input
