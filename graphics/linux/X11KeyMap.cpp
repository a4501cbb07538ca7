// The key mapping lives apart from the pointer code: the editor's KeyCode and Xlib's
// KeyCode type cannot be declared in one file.
#include "graphics/KeyCodes.h"
#include "graphics/linux/X11Input.h"

#include <X11/keysym.h>

namespace X11Input {
namespace {
constexpr int kLetterCount = 26;
constexpr int kDigitCount = 10;

int KeyCodeOf(unsigned long keysym)
{
  switch (keysym)
  {
    case XK_space:
      return kKeySpace;
    case XK_Up:
      return kKeyUp;
    case XK_Down:
      return kKeyDown;
    case XK_Left:
      return kKeyLeft;
    case XK_Right:
      return kKeyRight;
    default:
      break;
  }
  if (keysym >= XK_0 && keysym < XK_0 + kDigitCount)
  {
    return kKeyDigit0 + static_cast<int>(keysym - XK_0);
  }
  if (keysym >= XK_A && keysym < XK_A + kLetterCount)
  {
    return kKeyLetterA + static_cast<int>(keysym - XK_A);
  }
  if (keysym >= XK_a && keysym < XK_a + kLetterCount)
  {
    return kKeyLetterA + static_cast<int>(keysym - XK_a);
  }
  return kKeyNone;
}
}  // namespace

bool EditorKey(unsigned long keysym, int& key)
{
  key = KeyCodeOf(keysym);
  return key != kKeyNone;
}
}  // namespace X11Input
