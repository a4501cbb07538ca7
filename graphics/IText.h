#pragma once

#include "graphics/IColor.h"

#include <cstring>

class LICE_IFont;

// How a control draws text and styles its text-entry field.
struct IText
{
  enum Style : int
  {
    kStyleNormal = 0,
    kStyleBold = 1,
    kStyleItalic = 2
  };
  enum Align : int
  {
    kAlignNear = 0,
    kAlignCenter = 1,
    kAlignFar = 2
  };
  enum Quality : int
  {
    kQualityDefault = 0,
    kQualityNonAntiAliased = 1,
    kQualityAntiAliased = 2,
    kQualityClearType = 3
  };
  static constexpr int kFontNameSize = 32;

  char font[kFontNameSize] = "Arial";
  int size = 11;
  IColor colour = ColourBlack;
  IColor entryBackground = ColourWhite;
  IColor entryForeground = ColourBlack;
  int style = kStyleNormal;
  int align = kAlignCenter;
  int orientation = 0;
  int quality = kQualityDefault;
  // Belongs to the process-wide font cache; filled on first use.
  LICE_IFont* cachedFont = nullptr;

  IText() = default;
  IText(int textSize, const IColor& textColour, const char* fontName = "Arial", int textStyle = kStyleNormal,
        int alignment = kAlignCenter, int orientationDegrees = 0, int textQuality = kQualityDefault,
        const IColor& background = ColourWhite, const IColor& foreground = ColourBlack)
    : size(textSize), colour(textColour), entryBackground(background), entryForeground(foreground), style(textStyle),
      align(alignment), orientation(orientationDegrees), quality(textQuality)
  {
    SetFont(fontName);
  }

  void SetFont(const char* name)
  {
    std::strncpy(font, name ? name : "", kFontNameSize - 1);
    font[kFontNameSize - 1] = '\0';
  }
};
