#pragma once

#include "graphics/IFrameStrip.h"
#include "graphics/controls/IControl.h"

#include <string>

// Opens the platform's file panel when pressed and remembers the chosen file and folder.
// Its image shows only while the panel is open.
class IFileSelectorControl : public IControl
{
public:
  enum Action : int
  {
    kOpen = 0,
    kSave = 1
  };

  IFileSelectorControl(IPlugBase* plug, const IRECT& rect, int paramIdx, const IFrameStrip& strip, int action,
                       const char* folder = "", const char* extensions = "");

  bool Paint(IGraphics& graphics) override;
  void PointerDown(int x, int y, const IPointerMods& mods) override;

  const std::string& File() const { return mFile; }
  const std::string& Folder() const { return mFolder; }

private:
  IFrameStrip mStrip;
  int mAction;
  std::string mFile;
  std::string mFolder;
  std::string mExtensions;
  bool mSelecting = false;
};
