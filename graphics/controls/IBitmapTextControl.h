#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IControl.h"

#include <string>

// Draws text character by character from a bitmap font: a grid of equally sized cells
// holding the printable ASCII characters from the space on, row by row.
class IBitmapTextControl : public IControl
{
public:
  static constexpr char kFirstChar = ' ';
  static constexpr char kLastChar = '~';

  IBitmapTextControl(IPlugBase* plug, const IRECT& rect, const IFrameStrip& font, int charWidth, int charHeight,
                     const char* text = "");

  bool Paint(IGraphics& graphics) override;
  void SetTextFromPlugin(const char* text);
  const std::string& String() const { return mString; }

private:
  IFrameStrip mFont;
  int mCharWidth;
  int mCharHeight;
  std::string mString;
};
