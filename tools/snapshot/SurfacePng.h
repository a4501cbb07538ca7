#pragma once

class IGraphics;
class LICE_IBitmap;

// Writes a bitmap as an 8-bit RGBA PNG file; false when the file cannot be written.
bool WriteSurfacePng(LICE_IBitmap* bitmap, const char* path);

// Applies what the plug-in pushed, repaints the whole editor into its off-screen image and
// writes that image to path.
bool SnapshotEditor(IGraphics& graphics, const char* path);
