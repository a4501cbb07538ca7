#pragma once

#include "graphics/lice/LICE_IFont.h"

#include <cstdint>
#include <memory>

// Draws text with an adopted platform font; the platform font keeps the rendered glyphs.
class LICE_CachedFont : public LICE_IFont
{
public:
  LICE_CachedFont();
  ~LICE_CachedFont() override;
  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  // With LICE_FONT_FLAG_OWNS_PLATFORM_FONT the font is taken over and destroyed with this
  // object or when another one is adopted.
  void AdoptPlatformFont(LICE_PlatformFont* font, int flags) override;
  void SetTextColour(LICE_pixel colour) override { textColour_ = colour; }
  void SetBackColour(LICE_pixel colour) override { backColour_ = colour; }
  void SetEffectColour(LICE_pixel colour) override { effectColour_ = colour; }
  void SetBackMode(int mode) override { backMode_ = mode; }
  void SetCombineMode(int mode, float alpha) override;
  int RenderText(LICE_IBitmap* bitmap, const char* text, int length, LICE_RECT* rect, int flags) override;
  LICE_pixel TextColour() override { return textColour_; }
  LICE_PlatformFont* PlatformFont() override { return font_; }
  LICE_pixel BackColour() override { return backColour_; }

  LICE_pixel EffectColour() const { return effectColour_; }
  int Flags() const { return flags_; }

private:
  int MeasureWidth(const char* text, int length);
  void DrawGlyphs(LICE_IBitmap* bitmap, const char* text, int length, int64_t penX, int64_t baseline,
                  const LICE_RECT& clip, int flags);

  LICE_PlatformFont* font_ = nullptr;
  std::unique_ptr<LICE_PlatformFont> ownedFont_;
  int flags_ = 0;
  LICE_pixel textColour_ = LICE_RGBA(0, 0, 0, 255);
  LICE_pixel backColour_ = LICE_RGBA(255, 255, 255, 255);
  LICE_pixel effectColour_ = LICE_RGBA(128, 128, 128, 255);
  int backMode_ = LICE_BACKMODE_TRANSPARENT;
  int combineMode_ = LICE_BLIT_MODE_COPY;
  float combineAlpha_ = 1.0f;
};
