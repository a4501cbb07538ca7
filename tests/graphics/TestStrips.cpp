#include "TestStrips.h"

#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"

IFrameStrip MakeStrip(IGraphics& graphics, int frameWidth, int frameHeight, int frames, int alpha)
{
  auto* bitmap = new LICE_MemBitmap(frameWidth, frameHeight * frames);
  for (int f = 1; f <= frames; ++f)
    FillRect(bitmap, 0, (f - 1) * frameHeight, frameWidth, frameHeight, FrameColour(f, alpha), 1.0f,
             LICE_BLIT_MODE_COPY);
  IFrameStrip strip;
  strip.bitmap = bitmap;
  strip.width = frameWidth;
  strip.height = frameHeight * frames;
  strip.frames = frames;
  graphics.RetainBitmap(strip);
  return strip;
}

LICE_pixel FrameColour(int frame, int alpha)
{
  return LICE_RGBA(frame & 0xFF, 255 - (frame & 0xFF), (frame * 37) & 0xFF, alpha);
}

LICE_pixel PixelAt(IGraphics& graphics, int x, int y)
{
  LICE_IBitmap* surface = graphics.DrawSurface();
  return surface->Bits()[y * surface->RowSpan() + x];
}
