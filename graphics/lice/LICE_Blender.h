#pragma once

#include "graphics/lice/LICE_Pixel.h"

// Combines a source pixel with a destination pixel by an opacity and a mode word, in the
// integer arithmetic every drawing operation shares. J = trunc(opacity * 256), limited to
// 0 .. 256.
class LICE_Blender
{
public:
  LICE_Blender(float opacity, int mode);

  // False when nothing would change: opacity 0 or below.
  bool Visible() const { return weight_ > 0; }
  // A plain copy at full opacity: the source replaces the destination unchanged.
  bool IsPlainCopy() const;
  bool Filters() const { return (mode_ & LICE_BLIT_FILTER_BILINEAR) != 0; }
  // The same blend at a fraction (0..1) of its opacity, for partially covered pixels.
  LICE_Blender Covering(float coverage) const { return LICE_Blender(opacity_ * coverage, mode_); }

  LICE_pixel Apply(LICE_pixel s, LICE_pixel d) const;

private:
  LICE_pixel Copy(LICE_pixel s, LICE_pixel d) const;
  LICE_pixel CopyWithAlpha(LICE_pixel s, LICE_pixel d) const;
  LICE_pixel Add(LICE_pixel s, LICE_pixel d) const;
  LICE_pixel Dodge(LICE_pixel s, LICE_pixel d) const;
  // Add and dodge: each colour channel becomes mix(source, destination, w), w being J scaled
  // by the source alpha when asked; the alpha grows by the source alpha at weight J.
  template <typename Mix>
  LICE_pixel Layer(LICE_pixel s, LICE_pixel d, Mix mix) const;

  float opacity_;
  int mode_;
  int weight_;
  bool half_;
};
