#include "graphics/linux/X11Display.h"

Display* OpenX11Display()
{
  constexpr int kAttempts = 3;
  Display* display = nullptr;
  for (int attempt = 0; attempt < kAttempts && display == nullptr; ++attempt)
  {
    display = XOpenDisplay(nullptr);
  }
  return display;
}
