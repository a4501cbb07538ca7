#include "graphics/lice/LICE_Resample.h"

#include "graphics/lice/LICE_Raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
constexpr double kLobes = 3.0;
constexpr double kPi = 3.14159265358979323846;

using Premultiplied = std::array<float, 4>;  // red, green, blue, alpha; colour times alpha

double Sinc(double x)
{
  return x == 0.0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
}

double Lanczos(double x)
{
  return std::abs(x) < kLobes ? Sinc(x) * Sinc(x / kLobes) : 0.0;
}

// The weights by which the source pixels of one line make up each destination pixel.
struct Taps
{
  std::vector<int> count;      // taps per destination pixel
  std::vector<int> offset;     // start of its weights in `weights`
  std::vector<float> weights;  // normalised to a sum of 1
  std::vector<int> sources;    // source index of every weight, clamped into the line
};

Taps MakeTaps(int sourceLength, int destLength)
{
  Taps taps;
  const double ratio = static_cast<double>(sourceLength) / destLength;
  // Shrinking widens the kernel so that every source pixel contributes.
  const double stretch = std::max(ratio, 1.0);
  const double support = kLobes * stretch;
  for (int i = 0; i < destLength; ++i)
  {
    const double centre = (i + 0.5) * ratio - 0.5;
    const int first = static_cast<int>(std::ceil(centre - support));
    const int last = static_cast<int>(std::floor(centre + support));
    taps.offset.push_back(static_cast<int>(taps.weights.size()));
    double sum = 0.0;
    const size_t start = taps.weights.size();
    for (int j = first; j <= last; ++j)
    {
      const double w = Lanczos((j - centre) / stretch);
      taps.weights.push_back(static_cast<float>(w));
      taps.sources.push_back(std::clamp(j, 0, sourceLength - 1));
      sum += w;
    }
    for (size_t k = start; k < taps.weights.size(); ++k)
      taps.weights[k] = static_cast<float>(taps.weights[k] / sum);
    taps.count.push_back(last - first + 1);
  }
  return taps;
}

Premultiplied Premultiply(LICE_pixel p)
{
  const float a = static_cast<float>(LICE_GETA(p));
  const float f = a / 255.0f;
  return {LICE_GETR(p) * f, LICE_GETG(p) * f, LICE_GETB(p) * f, a};
}

int ToByte(float v)
{
  return static_cast<int>(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

LICE_pixel Straight(const Premultiplied& p)
{
  const int a = ToByte(p[3]);
  if (a == 0)
    return LICE_RGBA(0, 0, 0, 0);
  const float f = 255.0f / std::max(p[3], 1.0f);
  return LICE_RGBA(ToByte(p[0] * f), ToByte(p[1] * f), ToByte(p[2] * f), a);
}

bool Inside(const LICE_Raster& raster, int x, int y, int w, int h)
{
  return w > 0 && h > 0 && x >= 0 && y >= 0 && x + w <= raster.Width() && y + h <= raster.Height();
}
}  // namespace

void ResampleBitmap(LICE_IBitmap* dest, int dx, int dy, int dw, int dh, LICE_IBitmap* src, int sx, int sy, int sw,
                    int sh)
{
  const LICE_Raster to(dest);
  const LICE_Raster from(src);
  if (to.Empty() || from.Empty() || !Inside(to, dx, dy, dw, dh) || !Inside(from, sx, sy, sw, sh))
    return;
  const Taps across = MakeTaps(sw, dw);
  const Taps down = MakeTaps(sh, dh);

  // Across first, into premultiplied rows of the destination's width.
  std::vector<Premultiplied> line(static_cast<size_t>(sw));
  std::vector<Premultiplied> narrowed(static_cast<size_t>(dw) * sh);
  for (int y = 0; y < sh; ++y)
  {
    const LICE_pixel* row = from.Row(sy + y) + sx;
    std::transform(row, row + sw, line.begin(), Premultiply);
    for (int x = 0; x < dw; ++x)
    {
      Premultiplied sum{};
      const int at = across.offset[x];
      for (int k = 0; k < across.count[x]; ++k)
      {
        const Premultiplied& p = line[across.sources[at + k]];
        const float w = across.weights[at + k];
        for (int c = 0; c < 4; ++c)
          sum[c] += w * p[c];
      }
      narrowed[static_cast<size_t>(y) * dw + x] = sum;
    }
  }
  // Then down, a whole row at a time.
  std::vector<Premultiplied> sum(static_cast<size_t>(dw));
  for (int y = 0; y < dh; ++y)
  {
    std::fill(sum.begin(), sum.end(), Premultiplied{});
    const int at = down.offset[y];
    for (int k = 0; k < down.count[y]; ++k)
    {
      const Premultiplied* row = &narrowed[static_cast<size_t>(down.sources[at + k]) * dw];
      const float w = down.weights[at + k];
      for (int x = 0; x < dw; ++x)
        for (int c = 0; c < 4; ++c)
          sum[x][c] += w * row[x][c];
    }
    LICE_pixel* out = to.Row(dy + y) + dx;
    std::transform(sum.begin(), sum.end(), out, Straight);
  }
}
