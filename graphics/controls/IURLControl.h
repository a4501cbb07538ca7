#pragma once

#include "graphics/controls/IControl.h"

#include <string>

// An invisible area that opens a link when pressed, or a fallback link when that fails.
class IURLControl : public IControl
{
public:
  IURLControl(IPlugBase* plug, const IRECT& rect, const char* url, const char* fallbackUrl = nullptr);

  bool Paint(IGraphics&) override { return true; }
  void PointerDown(int x, int y, const IPointerMods& mods) override;

private:
  std::string mUrl;
  std::string mFallbackUrl;
};
