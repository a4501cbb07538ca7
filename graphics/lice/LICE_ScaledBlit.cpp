#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_Sampler.h"

#include <algorithm>
#include <cstdint>

void ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dx, int dy, int dw, int dh, float sx, float sy, float sw,
                float sh, float opacity, int mode)
{
  const LICE_Blender blender(opacity, mode);
  const LICE_Raster to(dest);
  const LICE_Raster from(src);
  if (!blender.Visible() || to.Empty() || from.Empty() || dw <= 0 || dh <= 0)
    return;
  const LICE_Sampler sampler(from, sx, sy, sw, sh, blender.Filters());
  if (sampler.Empty())
    return;
  const double scaleX = static_cast<double>(sw) / dw;
  const double scaleY = static_cast<double>(sh) / dh;
  const int x0 = static_cast<int>(std::max<int64_t>(dx, 0));
  const int y0 = static_cast<int>(std::max<int64_t>(dy, 0));
  const int x1 = static_cast<int>(std::min<int64_t>(int64_t{dx} + dw, to.Width()));
  const int y1 = static_cast<int>(std::min<int64_t>(int64_t{dy} + dh, to.Height()));
  for (int y = y0; y < y1; ++y)
  {
    const double v = sy + (y - static_cast<double>(dy) + 0.5) * scaleY;
    LICE_pixel* row = to.Row(y);
    for (int x = x0; x < x1; ++x)
    {
      LICE_pixel s;
      if (sampler.Sample(sx + (x - static_cast<double>(dx) + 0.5) * scaleX, v, s))
        row[x] = blender.Apply(s, row[x]);
    }
  }
}
