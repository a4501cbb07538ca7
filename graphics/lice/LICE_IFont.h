#pragma once

#include "graphics/lice/LICE_IBitmap.h"

class LICE_PlatformFont;

// Text flags of RenderText.
enum : int
{
  LICE_DT_LEFT = 0,
  LICE_DT_CENTER = 1,
  LICE_DT_RIGHT = 2,
  LICE_DT_NOCLIP = 0x100,
  LICE_DT_CALCRECT = 0x400,
  LICE_DT_USEFGALPHA = 0x80000
};

// Font flags of AdoptPlatformFont.
enum : int
{
  LICE_FONT_FLAG_OWNS_PLATFORM_FONT = 0x200,
  LICE_FONT_FLAG_FORCE_NATIVE = 0x400
};

// Background modes: transparent leaves what lies behind the glyphs, opaque fills the
// text's extent with the back colour first.
enum : int
{
  LICE_BACKMODE_TRANSPARENT = 0,
  LICE_BACKMODE_OPAQUE = 1
};

class LICE_IFont
{
public:
  virtual ~LICE_IFont();

  virtual void AdoptPlatformFont(LICE_PlatformFont* font, int flags) = 0;
  virtual void SetTextColour(LICE_pixel colour) = 0;
  virtual void SetBackColour(LICE_pixel colour) = 0;
  virtual void SetEffectColour(LICE_pixel colour) = 0;
  virtual void SetBackMode(int mode) = 0;
  virtual void SetCombineMode(int mode, float alpha) = 0;
  // Draws `length` bytes of UTF-8 text (-1: up to the terminating NUL) on one line at the
  // top of `rect`, aligned horizontally as the flags say; returns the text height. With
  // LICE_DT_CALCRECT nothing is drawn and rect becomes (0, 0, text width, text height).
  virtual int RenderText(LICE_IBitmap* bitmap, const char* text, int length, LICE_RECT* rect, int flags) = 0;
  virtual LICE_pixel TextColour() = 0;
  virtual LICE_PlatformFont* PlatformFont() = 0;
  virtual LICE_pixel BackColour() = 0;
};
