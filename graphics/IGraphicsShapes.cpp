// Blend modes and the drawing primitives controls use: points, lines, arcs, rectangles,
// circles and polygons, straight onto the editor surface.
#include "graphics/IGraphics.h"

#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <algorithm>
#include <vector>

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
  const IRECT to =
    LayoutToWindow(IRECT(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + 1, static_cast<int>(y) + 1));
  if (to.W() == 1 && to.H() == 1)
    ::PutPixel(mDrawSurface.get(), to.L, to.T, colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
  else
    ::FillRect(mDrawSurface.get(), to.L, to.T, to.W(), to.H(), colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}

void IGraphics::ForcePixel(const IColor& colour, int x, int y)
{
  LICE_IBitmap* surface = mDrawSurface.get();
  if (!surface)
    return;
  const IRECT to =
    LayoutToWindow(IRECT(x, y, x + 1, y + 1)).Intersection(IRECT(0, 0, surface->Width(), surface->Height()));
  for (int row = to.T; row < to.B; ++row)
    for (int column = to.L; column < to.R; ++column)
      surface->Bits()[row * surface->RowSpan() + column] = colour.ToPixel();
}

void IGraphics::DrawLine(const IColor& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                         bool antialias)
{
  ::DrawLine(mDrawSurface.get(), ToWindow(x1), ToWindow(y1), ToWindow(x2), ToWindow(y2), colour.ToPixel(),
             BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::DrawArc(const IColor& colour, float cx, float cy, float r, float minAngle, float maxAngle,
                        const IBlend* blend, bool antialias)
{
  ::DrawArc(mDrawSurface.get(), ToWindow(cx), ToWindow(cy), static_cast<float>(r * mScale), minAngle, maxAngle,
            colour.ToPixel(), BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::DrawCircle(const IColor& colour, float cx, float cy, float r, const IBlend* blend, bool antialias)
{
  ::DrawCircle(mDrawSurface.get(), ToWindow(cx), ToWindow(cy), static_cast<float>(r * mScale), colour.ToPixel(),
               BlendWeight(blend), BlendMode(blend), antialias);
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
  const IRECT to = LayoutToWindow(rect);
  ::FillRect(mDrawSurface.get(), to.L, to.T, to.W(), to.H(), colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}

void IGraphics::DrawRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius,
                              bool antialias)
{
  const IRECT to = LayoutToWindow(rect);
  ::DrawRoundRect(mDrawSurface.get(), static_cast<float>(to.L), static_cast<float>(to.T), static_cast<float>(to.W()),
                  static_cast<float>(to.H()), ToWindow(cornerRadius), colour.ToPixel(), BlendWeight(blend),
                  BlendMode(blend), antialias);
}

void IGraphics::FillRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius,
                              bool antialias)
{
  const IRECT to = LayoutToWindow(rect);
  ::FillRoundRect(mDrawSurface.get(), static_cast<float>(to.L), static_cast<float>(to.T), static_cast<float>(to.W()),
                  static_cast<float>(to.H()), ToWindow(cornerRadius), colour.ToPixel(), BlendWeight(blend),
                  BlendMode(blend), antialias);
}

void IGraphics::FillCircle(const IColor& colour, int cx, int cy, float r, const IBlend* blend, bool antialias)
{
  ::FillCircle(mDrawSurface.get(), ToWindow(static_cast<float>(cx)), ToWindow(static_cast<float>(cy)),
               static_cast<float>(r * mScale), colour.ToPixel(), BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillTriangle(const IColor& colour, int x1, int y1, int x2, int y2, int x3, int y3, const IBlend* blend)
{
  ::FillTriangle(mDrawSurface.get(), ToWindow(x1), ToWindow(y1), ToWindow(x2), ToWindow(y2), ToWindow(x3), ToWindow(y3),
                 colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}

void IGraphics::FillConvexPolygon(const IColor& colour, const int* x, const int* y, int count, const IBlend* blend)
{
  if (mScale == 1.0 || count <= 0)
  {
    ::FillConvexPolygon(mDrawSurface.get(), x, y, count, colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
    return;
  }
  std::vector<int> wx(x, x + count);
  std::vector<int> wy(y, y + count);
  for (int i = 0; i < count; ++i)
  {
    wx[i] = ToWindow(wx[i]);
    wy[i] = ToWindow(wy[i]);
  }
  ::FillConvexPolygon(mDrawSurface.get(), wx.data(), wy.data(), count, colour.ToPixel(), BlendWeight(blend),
                      BlendMode(blend));
}
