#pragma once

#include "graphics/lice/LICE_IBitmap.h"

// Software drawing on LICE bitmaps. Every operation clips to the destination bitmap and
// does nothing with a missing bitmap or zero opacity. `mode` is the mode word of
// LICE_Pixel.h. Coordinates of the vector primitives name pixel centres; angles are in
// radians, 0 pointing up and growing clockwise.

void BlitBitmap(LICE_IBitmap* dest, LICE_IBitmap* src, int dx, int dy, int sx, int sy, int w, int h, float opacity,
                int mode);
void ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dx, int dy, int dw, int dh, float sx, float sy, float sw,
                float sh, float opacity, int mode);
// Rotates the source rectangle about its centre and draws it centred on the destination
// rectangle (shifted by the centre offsets, in destination pixels).
void RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dx, int dy, int dw, int dh, float sx, float sy, float sw,
                 float sh, float angleRadians, float opacity, int mode, float centreOffsetX = 0,
                 float centreOffsetY = 0);
// Resizes dest to src and copies every pixel.
void CopyBitmap(LICE_IBitmap* dest, LICE_IBitmap* src);

void FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel colour, float opacity, int mode);
void DrawLine(LICE_IBitmap* dest, float x1, float y1, float x2, float y2, LICE_pixel colour, float opacity, int mode,
              bool antialias);
void PutPixel(LICE_IBitmap* dest, int x, int y, LICE_pixel colour, float opacity, int mode);
void DrawArc(LICE_IBitmap* dest, float cx, float cy, float r, float minAngle, float maxAngle, LICE_pixel colour,
             float opacity, int mode, bool antialias);
void DrawCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel colour, float opacity, int mode,
                bool antialias);
void FillCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel colour, float opacity, int mode,
                bool antialias);
// The rectangle covers the pixels x .. x + w - 1 and y .. y + h - 1.
void DrawRoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerRadius, LICE_pixel colour,
                   float opacity, int mode, bool antialias);
void FillRoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerRadius, LICE_pixel colour,
                   float opacity, int mode, bool antialias);
void FillTriangle(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int x3, int y3, LICE_pixel colour, float opacity,
                  int mode);
void FillConvexPolygon(LICE_IBitmap* dest, const int* x, const int* y, int count, LICE_pixel colour, float opacity,
                       int mode);
