#pragma once

// The editor is designed at one size, its layout (1024 x 480 pixels for this effect), and
// shown at a scale: a window pixel count per layout pixel. These functions are the one
// mapping between the two that painting, the pointer, the window size and the positions of
// menus and tooltips all share, so that what is drawn at a layout pixel is also where a
// click on it lands.
namespace EditorScale {

// The range of scales a view accepts from the host or the user.
constexpr double kSmallest = 0.75;
constexpr double kLargest = 3.0;

// The scale limited to the range above; 1 for a value that is not a number.
double Clamp(double scale);

// The first window pixel of a layout coordinate: layout pixel v covers the window pixels
// from LayoutToWindow(v, scale) up to, not including, LayoutToWindow(v + 1, scale). A
// layout size maps the same way (LayoutToWindow(1024, 1.5) is the window width 1536).
int LayoutToWindow(int v, double scale);

// The layout pixel that covers window pixel v: the inverse of LayoutToWindow.
int WindowToLayout(int v, double scale);

}  // namespace EditorScale
