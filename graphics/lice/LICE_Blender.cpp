#include "graphics/lice/LICE_Blender.h"

#include <algorithm>

namespace {
int WeightOf(float opacity)
{
  if (!(opacity > 0.0f))
    return 0;
  if (opacity >= 1.0f)
    return 256;
  return static_cast<int>(opacity * 256.0f);
}

int Channel(LICE_pixel p, int shift)
{
  return static_cast<int>((p >> shift) & 0xFF);
}

LICE_pixel Pack(int a, int r, int g, int b)
{
  return LICE_RGBA(r, g, b, a);
}

// s + (d - s) * keep / 256, truncating toward zero as C++ integer division does.
int Towards(int s, int d, int keep)
{
  return s + (d - s) * keep / 256;
}
}

LICE_Blender::LICE_Blender(float opacity, int mode)
  : opacity_(opacity), mode_(mode), weight_(WeightOf(opacity)), half_(opacity == 0.5f)
{
}

bool LICE_Blender::IsPlainCopy() const
{
  return (mode_ & LICE_BLIT_MODE_MASK) == LICE_BLIT_MODE_COPY && !(mode_ & LICE_BLIT_USE_ALPHA) && weight_ == 256;
}

LICE_pixel LICE_Blender::Apply(LICE_pixel s, LICE_pixel d) const
{
  switch (mode_ & LICE_BLIT_MODE_MASK)
  {
    case LICE_BLIT_MODE_ADD:
      return Add(s, d);
    case LICE_BLIT_MODE_DODGE:
      return Dodge(s, d);
    default:
      return (mode_ & LICE_BLIT_USE_ALPHA) ? CopyWithAlpha(s, d) : Copy(s, d);
  }
}

LICE_pixel LICE_Blender::Copy(LICE_pixel s, LICE_pixel d) const
{
  if (weight_ == 256)
    return s;
  if (half_)
    return ((d >> 1) & 0x7F7F7F7Fu) + ((s >> 1) & 0x7F7F7F7Fu);
  const int keep = 256 - weight_;
  LICE_pixel out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= static_cast<LICE_pixel>(Towards(Channel(s, shift), Channel(d, shift), keep)) << shift;
  return out;
}

LICE_pixel LICE_Blender::CopyWithAlpha(LICE_pixel s, LICE_pixel d) const
{
  const int sa = LICE_GETA(s);
  if (sa == 0)
    return d;
  if (weight_ == 256 && sa == 255)
    return s;
  // At full weight the source alpha itself decides the mix (255 - sa of 256 kept); at lower
  // weights it is first scaled into g = J * (sa + 1) / 256.
  const int cover = weight_ == 256 ? sa : weight_ * (sa + 1) / 256;
  const int keep = weight_ == 256 ? 255 - sa : 256 - cover;
  return Pack(std::min(cover + LICE_GETA(d), 255), Towards(LICE_GETR(s), LICE_GETR(d), keep),
              Towards(LICE_GETG(s), LICE_GETG(d), keep), Towards(LICE_GETB(s), LICE_GETB(d), keep));
}

template <typename Mix>
LICE_pixel LICE_Blender::Layer(LICE_pixel s, LICE_pixel d, Mix mix) const
{
  const int sa = LICE_GETA(s);
  const bool useAlpha = (mode_ & LICE_BLIT_USE_ALPHA) != 0;
  if (useAlpha && sa == 0)
    return d;
  const int w = useAlpha ? weight_ * (sa + 1) / 256 : weight_;
  return Pack(std::min(255, LICE_GETA(d) + sa * weight_ / 256), mix(LICE_GETR(s), LICE_GETR(d), w),
              mix(LICE_GETG(s), LICE_GETG(d), w), mix(LICE_GETB(s), LICE_GETB(d), w));
}

LICE_pixel LICE_Blender::Add(LICE_pixel s, LICE_pixel d) const
{
  return Layer(s, d, [](int sc, int dc, int w) { return std::min(255, dc + sc * w / 256); });
}

LICE_pixel LICE_Blender::Dodge(LICE_pixel s, LICE_pixel d) const
{
  return Layer(s, d, [](int sc, int dc, int w) {
    const int full = std::min(255, dc * 256 / (256 - sc));
    return dc + (full - dc) * w / 256;
  });
}
