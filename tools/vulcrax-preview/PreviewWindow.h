#pragma once

#include <X11/Xlib.h>

#include <string>

// The preview's top-level window on its own display connection: the plug-in's editor is
// placed inside it. Closing it from the window manager ends the preview. It can be resized
// between a smallest and a largest size of the editor's aspect ratio.
class PreviewWindow
{
public:
  // Null display when no X server can be reached; check Valid().
  PreviewWindow(int width, int height, const char* title, int minWidth, int minHeight, int maxWidth, int maxHeight);
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  bool Valid() const { return mDisplay != nullptr; }
  Window Handle() const { return mWindow; }
  // Reads the events of the window; false once the user closed it.
  bool HandleEvents();
  // True once after the window's size changed, which it then gives.
  bool TakeResize(int& width, int& height);
  void Resize(int width, int height);
  // Writes what the window shows, editor included, to a PNG file.
  bool Screenshot(const std::string& path) const;

private:
  Display* mDisplay;
  Window mWindow = 0;
  Atom mDeleteWindow = 0;
  int mWidth;
  int mHeight;
  bool mResized = false;
};
