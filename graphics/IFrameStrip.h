#pragma once

class LICE_IBitmap;

// A loaded image cut into equally sized frames, either stacked top to bottom or side by
// side. The bitmap belongs to the process-wide bitmap cache; records are copied freely.
// A strip whose image could not be loaded has no bitmap and a size of 0 x 0.
struct IFrameStrip
{
  LICE_IBitmap* bitmap = nullptr;
  int width = 0;
  int height = 0;
  int frames = 1;
  bool horizontal = false;

  int FrameWidth() const { return horizontal ? width / frames : width; }
  int FrameHeight() const { return horizontal ? height : height / frames; }
};
