#include "graphics/lice/LICE_Sampler.h"

#include <algorithm>
#include <cmath>

namespace {
int ClampToInt(double v, int low, int high)
{
  if (!(v > low))
    return low;
  return v < high ? static_cast<int>(v) : high;
}
}

LICE_Sampler::LICE_Sampler(const LICE_Raster& src, float sx, float sy, float sw, float sh, bool bilinear)
  : src_(src), left_(std::max<double>(sx, 0.0)), top_(std::max<double>(sy, 0.0)),
    right_(std::min<double>(static_cast<double>(sx) + sw, src.Width())),
    bottom_(std::min<double>(static_cast<double>(sy) + sh, src.Height())),
    x0_(ClampToInt(std::floor(left_), 0, src.Width())), y0_(ClampToInt(std::floor(top_), 0, src.Height())),
    x1_(ClampToInt(std::ceil(right_), 0, src.Width())), y1_(ClampToInt(std::ceil(bottom_), 0, src.Height())),
    bilinear_(bilinear)
{
  if (src.Empty() || !(right_ > left_) || !(bottom_ > top_))
    x1_ = x0_;
}

bool LICE_Sampler::Sample(double u, double v, LICE_pixel& out) const
{
  if (Empty() || !(u >= left_ && u < right_ && v >= top_ && v < bottom_))
    return false;
  if (bilinear_)
    out = Bilinear(u, v);
  else
    out = At(std::min(static_cast<int>(u), x1_ - 1), std::min(static_cast<int>(v), y1_ - 1));
  return true;
}

LICE_pixel LICE_Sampler::Bilinear(double u, double v) const
{
  const double fx = u - 0.5;
  const double fy = v - 0.5;
  const int xa = static_cast<int>(std::floor(fx));
  const int ya = static_cast<int>(std::floor(fy));
  const double tx = fx - xa;
  const double ty = fy - ya;
  const int cols[2] = {std::clamp(xa, x0_, x1_ - 1), std::clamp(xa + 1, x0_, x1_ - 1)};
  const int rows[2] = {std::clamp(ya, y0_, y1_ - 1), std::clamp(ya + 1, y0_, y1_ - 1)};
  const double weights[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};

  // Colours are weighted by their alpha so that transparent neighbours add no dark fringe.
  double a = 0, r = 0, g = 0, b = 0;
  for (int i = 0; i < 4; ++i)
  {
    const LICE_pixel p = At(cols[i & 1], rows[i >> 1]);
    const double wa = weights[i] * LICE_GETA(p);
    a += wa;
    r += wa * LICE_GETR(p);
    g += wa * LICE_GETG(p);
    b += wa * LICE_GETB(p);
  }
  if (a <= 0.0)
    return 0;
  auto channel = [a](double sum) { return static_cast<int>(sum / a + 0.5); };
  return LICE_RGBA(channel(r), channel(g), channel(b), static_cast<int>(a + 0.5));
}
