#pragma once

// How a control's bitmaps are composited onto the editor image.
struct IBlend
{
  enum Method : int
  {
    BlendNone = 0,
    BlendCopy = 1,
    BlendAdd = 2,
    BlendDodge = 3
  };

  int method = BlendNone;
  float weight = 1.0f;

  IBlend() = default;
  explicit IBlend(int blendMethod, float blendWeight = 1.0f) : method(blendMethod), weight(blendWeight) {}
};
