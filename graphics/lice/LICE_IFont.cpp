#include "graphics/lice/LICE_IFont.h"

LICE_IFont::~LICE_IFont() = default;
