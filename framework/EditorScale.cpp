#include "framework/EditorScale.h"

#include <cmath>

namespace EditorScale {

double Clamp(double scale)
{
  if (std::isnan(scale))
    return 1.0;
  return scale < kSmallest ? kSmallest : (scale > kLargest ? kLargest : scale);
}

// Rounds to the nearest pixel edge, so that a control lands where its scaled position is
// closest to, and every window pixel belongs to exactly one layout pixel.
int LayoutToWindow(int v, double scale)
{
  return static_cast<int>(std::floor(v * scale + 0.5));
}

// Estimated by division, then corrected against the forward mapping so that the two agree
// exactly despite rounding.
int WindowToLayout(int v, double scale)
{
  if (!(scale > 0.0))
    return v;
  int layout = static_cast<int>(std::floor((v + 0.5) / scale));
  while (LayoutToWindow(layout, scale) > v)
    --layout;
  while (LayoutToWindow(layout + 1, scale) <= v)
    ++layout;
  return layout;
}

}  // namespace EditorScale
