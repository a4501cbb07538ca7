#include "graphics/lice/LICE_PlatformFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <string>

namespace {
constexpr int kQualityNonAntialiased = 3;

int RoundedPixels(FT_Pos pos26_6)
{
  return static_cast<int>((pos26_6 + 32) >> 6);
}

// The font configuration is loaded once and released when the library is unloaded, rather
// than left to fontconfig's never-freed process default.
FcConfig* FontConfig()
{
  struct ConfigDeleter
  {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
  };
  static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  return config.get();
}

struct FaceFile
{
  std::string path;
  int index = 0;
};

// Asks fontconfig for the installed face closest to the request; it substitutes
// metric-compatible families (Liberation Sans for Arial) and falls back to a default.
bool FindFaceFile(const char* faceName, int weight, bool italic, int height, FaceFile& found)
{
  FcConfig* const config = FontConfig();
  FcPattern* const pattern = config ? FcPatternCreate() : nullptr;
  if (!pattern)
    return false;
  const char* family = faceName && *faceName ? faceName : "sans-serif";
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : 400));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, height);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match)
    return false;
  FcChar8* file = nullptr;
  const bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
  if (ok)
  {
    found.path = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &found.index) != FcResultMatch)
      found.index = 0;
  }
  FcPatternDestroy(match);
  return ok;
}

// Copies FreeType's rendered bitmap into a coverage mask of one byte per pixel.
void CopyCoverage(const FT_Bitmap& bitmap, LICE_Glyph& glyph)
{
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
  const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  for (int y = 0; y < glyph.height; ++y)
  {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* out = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
    for (int x = 0; x < glyph.width; ++x)
      out[x] = mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0) : row[x];
  }
}
}

LICE_PlatformFont::LICE_PlatformFont(FT_LibraryRec_* library, FT_FaceRec_* face, bool monochrome)
  : library_(library), face_(face), monochrome_(monochrome), hasKerning_(FT_HAS_KERNING(face)),
    ascent_(RoundedPixels(face->size->metrics.ascender)),
    lineHeight_(RoundedPixels(face->size->metrics.ascender - face->size->metrics.descender))
{
}

LICE_PlatformFont::~LICE_PlatformFont()
{
  FT_Done_Face(face_);
  FT_Done_FreeType(library_);
}

const LICE_Glyph* LICE_PlatformFont::Glyph(uint32_t codepoint)
{
  const auto cached = glyphs_.find(codepoint);
  if (cached != glyphs_.end())
    return &cached->second;
  LICE_Glyph glyph;
  if (!Render(codepoint, glyph))
    return nullptr;
  return &glyphs_.emplace(codepoint, std::move(glyph)).first->second;
}

long LICE_PlatformFont::Kerning(uint32_t leftIndex, uint32_t rightIndex) const
{
  if (!hasKerning_ || !leftIndex || !rightIndex)
    return 0;
  FT_Vector delta{0, 0};
  if (FT_Get_Kerning(face_, leftIndex, rightIndex, FT_KERNING_DEFAULT, &delta) != 0)
    return 0;
  return delta.x;
}

bool LICE_PlatformFont::Render(uint32_t codepoint, LICE_Glyph& glyph) const
{
  const FT_UInt index = FT_Get_Char_Index(face_, codepoint);
  const FT_Int32 target = monochrome_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_FORCE_AUTOHINT | target) != 0)
    return false;
  const FT_GlyphSlot slot = face_->glyph;
  if (FT_Render_Glyph(slot, monochrome_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
    return false;
  CopyCoverage(slot->bitmap, glyph);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advance = slot->advance.x;
  glyph.index = index;
  return true;
}

std::unique_ptr<LICE_PlatformFont> CreatePlatformFont(int height, int /*escapement*/, int /*orientation*/, int weight,
                                                      bool italic, int quality, const char* faceName)
{
  const int pixels = std::abs(height);
  FaceFile file;
  if (pixels == 0 || !FindFaceFile(faceName, weight, italic, pixels, file))
    return nullptr;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0)
    return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0)
  {
    if (face)
      FT_Done_Face(face);
    FT_Done_FreeType(library);
    return nullptr;
  }
  return std::make_unique<LICE_PlatformFont>(library, face, quality == kQualityNonAntialiased);
}
