#pragma once

#include "graphics/IFrameStrip.h"

#include <memory>
#include <vector>

class LICE_IBitmap;

// One editor's images at its current scale: each strip's frames resampled once to their
// size on the window, made on first use and kept until the scale changes. A strip whose
// own image (or its detailed version) already has that size is used as it is, so scale 1
// draws the 1x artwork and scale 2 the 2x artwork untouched. User-interface thread only.
class ScaledImages
{
public:
  // The detailed artwork (NAME@2x.png) is the same drawing at this many times the size.
  static constexpr int kDetailFactor = 2;

  struct Image
  {
    LICE_IBitmap* bitmap = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
  };

  ScaledImages();
  ~ScaledImages();
  ScaledImages(const ScaledImages&) = delete;
  ScaledImages& operator=(const ScaledImages&) = delete;

  // Forgets every image when the scale differs from the current one.
  void SetScale(double scale);
  // Frees every image made so far.
  void Clear();

  // The image made for the strip's bitmap, or null.
  const Image* Find(const LICE_IBitmap* source) const;
  // Makes the strip's image for the current scale. detailed is the same drawing at twice
  // the size, or null; it is the source when the scale is above 1.
  const Image& Make(const IFrameStrip& strip, LICE_IBitmap* detailed);

private:
  struct Entry;

  double mScale = 1.0;
  std::vector<std::unique_ptr<Entry>> mEntries;
};
