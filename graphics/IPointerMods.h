#pragma once

// Buttons and modifier keys that came with a pointer event.
struct IPointerMods
{
  bool left = false;
  bool right = false;
  bool shift = false;
  bool control = false;
  bool alt = false;

  IPointerMods() = default;
  IPointerMods(bool l, bool r, bool s = false, bool c = false, bool a = false)
    : left(l), right(r), shift(s), control(c), alt(a)
  {
  }
};
