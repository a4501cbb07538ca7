#include "graphics/lice/LICE_IBitmap.h"

LICE_IBitmap::~LICE_IBitmap() = default;
