#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_Raster.h"

#include <algorithm>
#include <cmath>

namespace {
struct Segment
{
  double x1, y1, x2, y2;
};

// Liang-Barsky: trims the segment to the box, false when nothing of it is inside.
bool ClipToBox(Segment& s, double minX, double minY, double maxX, double maxY)
{
  const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {s.x1 - minX, maxX - s.x1, s.y1 - minY, maxY - s.y1};
  double enter = 0.0, leave = 1.0;
  for (int i = 0; i < 4; ++i)
  {
    if (p[i] == 0.0)
    {
      if (q[i] < 0.0)
        return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      enter = std::max(enter, t);
    else
      leave = std::min(leave, t);
  }
  if (enter > leave)
    return false;
  s = {s.x1 + enter * dx, s.y1 + enter * dy, s.x1 + leave * dx, s.y1 + leave * dy};
  return true;
}

// Walks the major axis one pixel at a time; `plot` receives the major coordinate and the
// exact minor coordinate there.
template <typename Plot>
void WalkMajorAxis(double a1, double b1, double a2, double b2, Plot plot)
{
  if (a1 > a2)
  {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const double slope = a2 > a1 ? (b2 - b1) / (a2 - a1) : 0.0;
  const long first = std::lround(a1), last = std::lround(a2);
  for (long a = first; a <= last; ++a)
    plot(static_cast<int>(a), b1 + (a - a1) * slope);
}

void Draw(const LICE_Raster& to, const Segment& s, LICE_pixel colour, const LICE_Blender& blender, bool antialias)
{
  const bool steep = std::abs(s.y2 - s.y1) > std::abs(s.x2 - s.x1);
  auto put = [&](int major, int minor, const LICE_Blender& b) {
    if (steep)
      to.Blend(minor, major, colour, b);
    else
      to.Blend(major, minor, colour, b);
  };
  auto plot = [&](int major, double minor) {
    if (!antialias)
    {
      put(major, static_cast<int>(std::lround(minor)), blender);
      return;
    }
    // Share the pixel between the two rows (or columns) the line passes between.
    const double base = std::floor(minor);
    const double frac = minor - base;
    const int near = static_cast<int>(base);
    if (frac < 1.0 / 256)
    {
      put(major, near, blender);
      return;
    }
    put(major, near, blender.Covering(static_cast<float>(1.0 - frac)));
    put(major, near + 1, blender.Covering(static_cast<float>(frac)));
  };
  if (steep)
    WalkMajorAxis(s.y1, s.x1, s.y2, s.x2, plot);
  else
    WalkMajorAxis(s.x1, s.y1, s.x2, s.y2, plot);
}
}

void DrawLine(LICE_IBitmap* dest, float x1, float y1, float x2, float y2, LICE_pixel colour, float opacity, int mode,
              bool antialias)
{
  const LICE_Blender blender(opacity, mode);
  const LICE_Raster to(dest);
  if (!blender.Visible() || to.Empty())
    return;
  Segment s{x1, y1, x2, y2};
  if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) || !std::isfinite(s.y2))
    return;
  // A pixel of margin keeps the antialiased fringe of lines along the border.
  if (ClipToBox(s, -1.0, -1.0, to.Width(), to.Height()))
    Draw(to, s, colour, blender, antialias);
}
