#pragma once

#include <cstdint>
#include <vector>

// One rendered glyph: a grey-scale coverage mask (0 transparent .. 255 solid) placed
// relative to the pen position on the baseline.
struct LICE_Glyph
{
  std::vector<uint8_t> coverage;  // width * height bytes, rows top to bottom
  int width = 0;
  int height = 0;
  int left = 0;        // pen x to the mask's left column
  int top = 0;         // baseline up to the mask's top row
  long advance = 0;    // pen movement in 1/64 pixel
  uint32_t index = 0;  // glyph index in the face, for kerning
};
