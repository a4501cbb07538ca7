#pragma once

#include "graphics/lice/LICE_IBitmap.h"

// Decodes a PNG file into 32-bit pixels. Returns `reuse` resized to the image, or, without
// `reuse`, a new LICE_MemBitmap that the caller owns. Any failure (missing file, broken
// data, memory) gives null with the file closed and nothing leaked; `reuse` is never
// deleted.
LICE_IBitmap* LoadPngFile(const char* path, LICE_IBitmap* reuse = nullptr);
