// Blend modes and the drawing primitives controls use: points, lines, arcs, rectangles,
// circles and polygons, straight onto the editor surface.
#include "graphics/IGraphics.h"

#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <algorithm>

int IGraphics::BlendMode(const IBlend* blend)
{
  if (!blend)
    return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  switch (blend->method)
  {
    case IBlend::BlendCopy:
      return LICE_BLIT_MODE_COPY;
    case IBlend::BlendAdd:
      return LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA;
    case IBlend::BlendDodge:
      return LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA;
    default:
      return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  }
}

float IGraphics::BlendWeight(const IBlend* blend)
{
  return blend ? blend->weight : 1.0f;
}

void IGraphics::DrawPoint(const IColor& colour, float x, float y, const IBlend* blend)
{
  ::PutPixel(mDrawSurface.get(), static_cast<int>(x), static_cast<int>(y), colour.ToPixel(), BlendWeight(blend),
             BlendMode(blend));
}

void IGraphics::ForcePixel(const IColor& colour, int x, int y)
{
  LICE_IBitmap* surface = mDrawSurface.get();
  if (!surface || x < 0 || y < 0 || x >= surface->Width() || y >= surface->Height())
    return;
  surface->Bits()[y * surface->RowSpan() + x] = colour.ToPixel();
}

void IGraphics::DrawLine(const IColor& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                         bool antialias)
{
  ::DrawLine(mDrawSurface.get(), x1, y1, x2, y2, colour.ToPixel(), BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::DrawArc(const IColor& colour, float cx, float cy, float r, float minAngle, float maxAngle,
                        const IBlend* blend, bool antialias)
{
  ::DrawArc(mDrawSurface.get(), cx, cy, r, minAngle, maxAngle, colour.ToPixel(), BlendWeight(blend), BlendMode(blend),
            antialias);
}

void IGraphics::DrawCircle(const IColor& colour, float cx, float cy, float r, const IBlend* blend, bool antialias)
{
  ::DrawCircle(mDrawSurface.get(), cx, cy, r, colour.ToPixel(), BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::DrawRect(const IColor& colour, const IRECT& rect)
{
  const float l = static_cast<float>(rect.L), t = static_cast<float>(rect.T);
  const float r = static_cast<float>(rect.R), b = static_cast<float>(rect.B);
  DrawLine(colour, l, t, r, t);
  DrawLine(colour, l, b, r, b);
  DrawLine(colour, l, t, l, b);
  DrawLine(colour, r, t, r, b);
}

void IGraphics::DrawVerticalLine(const IColor& colour, const IRECT& rect, float fraction)
{
  const float f = std::min(std::max(fraction, 0.0f), 1.0f);
  const float x = rect.L + static_cast<float>(rect.W()) * f;
  DrawLine(colour, x, static_cast<float>(rect.T), x, static_cast<float>(rect.B));
}

void IGraphics::DrawHorizontalLine(const IColor& colour, const IRECT& rect, float fraction)
{
  const float f = std::min(std::max(fraction, 0.0f), 1.0f);
  const float y = rect.B - static_cast<float>(rect.H()) * f;
  DrawLine(colour, static_cast<float>(rect.L), y, static_cast<float>(rect.R), y);
}

void IGraphics::FillRect(const IColor& colour, const IRECT& rect, const IBlend* blend)
{
  ::FillRect(mDrawSurface.get(), rect.L, rect.T, rect.W(), rect.H(), colour.ToPixel(), BlendWeight(blend),
             BlendMode(blend));
}

void IGraphics::DrawRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius,
                              bool antialias)
{
  ::DrawRoundRect(mDrawSurface.get(), static_cast<float>(rect.L), static_cast<float>(rect.T),
                  static_cast<float>(rect.W()), static_cast<float>(rect.H()), cornerRadius, colour.ToPixel(),
                  BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius,
                              bool antialias)
{
  ::FillRoundRect(mDrawSurface.get(), static_cast<float>(rect.L), static_cast<float>(rect.T),
                  static_cast<float>(rect.W()), static_cast<float>(rect.H()), cornerRadius, colour.ToPixel(),
                  BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillCircle(const IColor& colour, int cx, int cy, float r, const IBlend* blend, bool antialias)
{
  ::FillCircle(mDrawSurface.get(), static_cast<float>(cx), static_cast<float>(cy), r, colour.ToPixel(),
               BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillTriangle(const IColor& colour, int x1, int y1, int x2, int y2, int x3, int y3, const IBlend* blend)
{
  ::FillTriangle(mDrawSurface.get(), x1, y1, x2, y2, x3, y3, colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}

void IGraphics::FillConvexPolygon(const IColor& colour, const int* x, const int* y, int count, const IBlend* blend)
{
  ::FillConvexPolygon(mDrawSurface.get(), x, y, count, colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}
