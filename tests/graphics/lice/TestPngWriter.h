#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small PNG files for the decoder tests, so that no binary fixtures live in the
// repository.
struct TestPngImage
{
  int width = 0;
  int height = 0;
  int colourType = 0;  // a PNG_COLOR_TYPE_* value
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint8_t> rows;          // packed rows exactly as stored in the file
  std::vector<uint8_t> paletteRgb;    // palette images: 3 bytes per entry
  std::vector<uint8_t> paletteAlpha;  // palette images: optional tRNS alphas
};

// True when the file was written.
bool WriteTestPng(const std::string& path, const TestPngImage& image);

// A per-process path in the temporary folder; the caller removes the file.
std::string TempPngPath(const std::string& name);
