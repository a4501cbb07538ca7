#include "graphics/lice/LICE_Coverage.h"
#include "graphics/lice/LICE_Draw.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTwoPi = 6.283185307179586;

bool Finite(double a, double b, double c)
{
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// Whether the direction from the centre to (dx, dy) lies on the arc from minAngle to
// maxAngle (0 up, clockwise).
struct ArcRange
{
  double start, sweep;

  bool Contains(double dx, double dy) const
  {
    if (sweep >= kTwoPi)
      return true;
    const double angle = std::atan2(dx, -dy);
    const double along = std::fmod(std::fmod(angle - start, kTwoPi) + kTwoPi, kTwoPi);
    return along <= sweep;
  }
};

// Signed distance from (px, py) to a rectangle with rounded corners centred on (cx, cy)
// with half sizes hw, hh: negative inside.
double RoundRectDistance(double px, double py, double cx, double cy, double hw, double hh, double r)
{
  const double qx = std::abs(px - cx) - hw + r;
  const double qy = std::abs(py - cy) - hh + r;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - r;
}

struct RoundRect
{
  double cx, cy, hw, hh, r;
};

// The rectangle whose edges pass through the centres of pixels x .. x + w - 1 (outline),
// or whose edges lie half a pixel outside them (fill), so both cover w pixels.
RoundRect MakeRoundRect(float x, float y, float w, float h, int cornerRadius, bool fill)
{
  const double grow = fill ? 0.5 : 0.0;
  const double hw = (w - 1) * 0.5 + grow;
  const double hh = (h - 1) * 0.5 + grow;
  const double r = std::clamp<double>(cornerRadius, 0.0, std::min(hw, hh));
  return {x + (w - 1) * 0.5, y + (h - 1) * 0.5, hw, hh, r};
}

void PaintRoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerRadius, LICE_pixel colour,
                    float opacity, int mode, bool antialias, bool fill)
{
  if (!Finite(x, y, w) || !std::isfinite(h) || w < 1 || h < 1)
    return;
  const RoundRect rr = MakeRoundRect(x, y, w, h, cornerRadius, fill);
  PaintCoverage(LICE_Raster(dest), rr.cx - rr.hw - 1, rr.cy - rr.hh - 1, rr.cx + rr.hw + 1, rr.cy + rr.hh + 1, colour,
                LICE_Blender(opacity, mode), antialias, [&rr, fill](double px, double py) {
                  const double d = RoundRectDistance(px, py, rr.cx, rr.cy, rr.hw, rr.hh, rr.r);
                  return fill ? 0.5 - d : 1.0 - std::abs(d);
                });
}
}

void DrawArc(LICE_IBitmap* dest, float cx, float cy, float r, float minAngle, float maxAngle, LICE_pixel colour,
             float opacity, int mode, bool antialias)
{
  if (!Finite(cx, cy, r) || !std::isfinite(minAngle) || !std::isfinite(maxAngle) || r < 0)
    return;
  const double low = std::min(minAngle, maxAngle);
  const ArcRange arc{low, std::max(minAngle, maxAngle) - low};
  PaintCoverage(LICE_Raster(dest), cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1, colour, LICE_Blender(opacity, mode),
                antialias, [&](double px, double py) {
                  const double dx = px - cx, dy = py - cy;
                  if (!arc.Contains(dx, dy))
                    return 0.0;
                  return 1.0 - std::abs(std::hypot(dx, dy) - r);
                });
}

void DrawCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel colour, float opacity, int mode,
                bool antialias)
{
  DrawArc(dest, cx, cy, r, 0.0f, static_cast<float>(kTwoPi), colour, opacity, mode, antialias);
}

void FillCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel colour, float opacity, int mode,
                bool antialias)
{
  if (!Finite(cx, cy, r) || r < 0)
    return;
  PaintCoverage(LICE_Raster(dest), cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1, colour, LICE_Blender(opacity, mode),
                antialias, [&](double px, double py) { return r + 0.5 - std::hypot(px - cx, py - cy); });
}

void DrawRoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerRadius, LICE_pixel colour,
                   float opacity, int mode, bool antialias)
{
  PaintRoundRect(dest, x, y, w, h, cornerRadius, colour, opacity, mode, antialias, false);
}

void FillRoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerRadius, LICE_pixel colour,
                   float opacity, int mode, bool antialias)
{
  PaintRoundRect(dest, x, y, w, h, cornerRadius, colour, opacity, mode, antialias, true);
}
