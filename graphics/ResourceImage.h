#pragma once

#include <string>

class LICE_IBitmap;

// Loads an editor image named like "resources/img/knob.png" from a folder of resources, where
// it lies under its last path component ("knob.png"). Every platform finds its images this
// way and differs only in where the folder is. Null unless the name ends in "png" (any letter
// case) and the file decodes.
LICE_IBitmap* LoadResourceImage(const std::string& folder, const char* name);
