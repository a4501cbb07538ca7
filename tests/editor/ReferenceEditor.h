#pragma once

#include <cstdint>
#include <vector>

namespace EditorTest {

// The editor of a new effect instance rendered in memory (linked in, not loaded), as
// 0xRRGGBB words row by row: what a window of the bundle's editor must show.
std::vector<uint32_t> ReferenceEditor();

}  // namespace EditorTest
