#pragma once

#include "graphics/controls/IKnobMultiControl.h"

#include <string>

// A strip knob with its parameter's display string (and unit) read out below the image.
// Clicking the read-out asks for a typed value or a list choice; the image is dragged.
class IKnobMultiControlText : public IKnobMultiControl
{
public:
  static constexpr int kTextGap = 4;

  IKnobMultiControlText(IPlugBase* plug, int x, int y, int paramIdx, const IFrameStrip& strip, const IText& text,
                        bool showLabel = true);

  bool Paint(IGraphics& graphics) override;
  void PointerDown(int x, int y, const IPointerMods& mods) override;
  // The read-out lies below the image, so it is repainted along with it.
  IRECT DrawnRect() const override;
  // Over the read-out, as a click on it opens.
  IRECT ValueEntryRect() const override { return mTextRect; }

  const IRECT& TextRect() const { return mTextRect; }
  const IRECT& ImageRect() const { return mImageRect; }
  const std::string& ReadOut() const { return mReadOut; }

private:
  void FormatReadOut(char* value);

  IRECT mTextRect;
  IRECT mImageRect;
  IRECT mTextBox;
  std::string mReadOut;
  bool mShowLabel;
};
