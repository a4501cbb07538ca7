#pragma once

#include <cstdint>
#include <vector>

namespace EditorTest {

// The editor of a new effect instance rendered in memory (linked in, not loaded), as
// 0xRRGGBB words row by row: what a window of the bundle's editor must show at scale 1.
std::vector<uint32_t> ReferenceEditor();

// A picture of width x height 0xRRGGBB words.
struct Picture
{
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The same editor painted at a scale, with the artwork drawn for it.
Picture ReferenceEditorAt(double scale);

// Where the editor draws text, in layout pixels (left, top, right, bottom): the read-outs
// and the caption, whose glyphs are rendered anew at every scale.
struct LayoutRect
{
  int l, t, r, b;
};
std::vector<LayoutRect> EditorTextAreas();

}  // namespace EditorTest
