#pragma once

#include "graphics/lice/LICE_Glyph.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// A FreeType face found through fontconfig, set to a pixel height, with a cache of the
// glyphs it has rendered so that repeated text costs only compositing.
class LICE_PlatformFont
{
public:
  LICE_PlatformFont(FT_LibraryRec_* library, FT_FaceRec_* face, bool monochrome);
  ~LICE_PlatformFont();
  LICE_PlatformFont(const LICE_PlatformFont&) = delete;
  LICE_PlatformFont& operator=(const LICE_PlatformFont&) = delete;

  // Null when the face cannot render the code point (not even as a missing-glyph box).
  const LICE_Glyph* Glyph(uint32_t codepoint);
  // Pen adjustment between two glyphs, in 1/64 pixel.
  long Kerning(uint32_t leftIndex, uint32_t rightIndex) const;
  int Ascent() const { return ascent_; }
  int LineHeight() const { return lineHeight_; }

private:
  bool Render(uint32_t codepoint, LICE_Glyph& glyph) const;

  FT_LibraryRec_* library_;
  FT_FaceRec_* face_;
  bool monochrome_;
  bool hasKerning_;
  int ascent_;
  int lineHeight_;
  std::unordered_map<uint32_t, LICE_Glyph> glyphs_;
};

// Finds the face best matching `faceName` ("Arial" finds a metric-compatible face), the
// weight (400 normal, 700 bold) and slant, set to `height` pixels per em. Quality 3 renders
// without antialiasing. Escapement and orientation (tenths of degrees) are accepted but
// text is always drawn horizontally. Null when no face can be loaded.
std::unique_ptr<LICE_PlatformFont> CreatePlatformFont(int height, int escapement, int orientation, int weight,
                                                      bool italic, int quality, const char* faceName);
