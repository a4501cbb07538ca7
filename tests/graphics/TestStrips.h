#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/IGraphics.h"
#include "graphics/lice/LICE_Pixel.h"

// Builds a stacked strip in memory whose frame i (from 1) is filled with FrameColour(i),
// and hands it to the editor's bitmap cache.
IFrameStrip MakeStrip(IGraphics& graphics, int frameWidth, int frameHeight, int frames, int alpha = 255);

// A distinct opaque colour per frame number, with the given alpha.
LICE_pixel FrameColour(int frame, int alpha = 255);

// The pixel of the editor image at (x, y).
LICE_pixel PixelAt(IGraphics& graphics, int x, int y);
