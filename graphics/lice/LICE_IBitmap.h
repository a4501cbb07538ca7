#pragma once

#include "graphics/lice/LICE_Pixel.h"

#include <cstdint>

// A 32-bit bitmap whose rows run top to bottom, RowSpan() pixels apart.
class LICE_IBitmap
{
public:
  virtual ~LICE_IBitmap();

  virtual LICE_pixel* Bits() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual int RowSpan() = 0;
  virtual bool IsFlipped() { return false; }
  // False when the size is unchanged, true otherwise. Pixels are not cleared.
  virtual bool Resize(int w, int h) = 0;
  virtual void* PlatformContext() { return nullptr; }
  virtual intptr_t Extended(int, void*) { return 0; }
};
