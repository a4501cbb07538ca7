#pragma once

#include "graphics/lice/LICE_Pixel.h"

// A straight-alpha colour, each component 0..255.
struct IColor
{
  int A = 255, R = 0, G = 0, B = 0;

  constexpr IColor() = default;
  constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  constexpr LICE_pixel ToPixel() const { return LICE_RGBA(R, G, B, A); }

  constexpr bool operator==(const IColor& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
  constexpr bool operator!=(const IColor& o) const { return !(*this == o); }
};

constexpr IColor ColourTransparent(0, 0, 0, 0);
constexpr IColor ColourBlack(255, 0, 0, 0);
constexpr IColor ColourGray(255, 127, 127, 127);
constexpr IColor ColourWhite(255, 255, 255, 255);
constexpr IColor ColourRed(255, 255, 0, 0);
constexpr IColor ColourGreen(255, 0, 255, 0);
constexpr IColor ColourBlue(255, 0, 0, 255);
constexpr IColor ColourYellow(255, 255, 255, 0);
constexpr IColor ColourOrange(255, 255, 127, 0);
