#include "graphics/controls/IURLControl.h"

#include "graphics/IGraphics.h"

IURLControl::IURLControl(IPlugBase* plug, const IRECT& rect, const char* url, const char* fallbackUrl)
  : IControl(plug, rect), mUrl(url ? url : ""), mFallbackUrl(fallbackUrl ? fallbackUrl : "")
{
}

void IURLControl::PointerDown(int, int, const IPointerMods&)
{
  IGraphics* graphics = Graphics();
  if (!graphics || mUrl.empty())
    return;
  if (!graphics->OpenLink(mUrl.c_str()) && !mFallbackUrl.empty())
    graphics->OpenLink(mFallbackUrl.c_str());
}
