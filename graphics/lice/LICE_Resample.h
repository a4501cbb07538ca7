#pragma once

#include "graphics/lice/LICE_IBitmap.h"

// Resizes the source rectangle (sx, sy, sw, sh) into the destination rectangle (dx, dy, dw,
// dh), replacing what was there, with a windowed-sinc filter (Lanczos, three lobes) that
// widens with the reduction when shrinking. It works on premultiplied alpha, so that the
// colour of transparent pixels does not darken the edges of what is drawn, and reads the
// source rectangle's edge pixels beyond its border, so that neighbouring frames of a strip
// do not bleed into each other. Made for images prepared once, not for every paint.
// Both rectangles must lie inside their bitmaps; nothing happens otherwise.
void ResampleBitmap(LICE_IBitmap* dest, int dx, int dy, int dw, int dh, LICE_IBitmap* src, int sx, int sy, int sw,
                    int sh);
