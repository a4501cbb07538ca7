#pragma once

#include "graphics/controls/IControl.h"

#include <string>

// An unbound caption drawn in the control's text style.
class ITextControl : public IControl
{
public:
  ITextControl(IPlugBase* plug, const IRECT& rect, const IText& text, const char* caption);

  bool Paint(IGraphics& graphics) override;

  // Replaces the caption and repaints when it actually changed.
  void SetCaption(const char* caption);
  const std::string& Caption() const { return mCaption; }

private:
  std::string mCaption;
};
