#pragma once

#include "graphics/IGraphics.h"

#include <string>

// The editor on Linux: an X11 child window inside the host's window. Creating the object
// opens no display connection, so a host may create many instances and never show an
// editor; the connection is opened when a view is attached. Bitmaps are read from the
// Resources folder of the bundle holding the loaded module.
class IGraphicsLinux : public IGraphics
{
public:
  IGraphicsLinux(IPlugBase* plug, int width, int height, int fps);
  ~IGraphicsLinux() override;

  // ---- Platform operations ---------------------------------------------------------------
  void BlitToScreen(const IRECT& rect) override;
  void DismissTextEntry() override;
  bool HasOpenView() const override;
  const char* PlatformName() const override { return "X11"; }
  // Alerts, file and colour panels, links, tooltips and the clipboard are not available:
  // each answers as a user who closed the panel would (no button, no file, false).
  int ShowAlert(const char* text, const char* caption, int buttons) override;
  IPopupMenu* RunPopupMenu(IPopupMenu* menu, const IRECT& anchor) override;
  void BeginTextEntry(IControl* control, const IText& text, const IRECT& rect, const char* initial,
                      IPlugParam* param) override;
  void HostExecutablePath(std::string& path) override;
  void PluginFolderPath(std::string& path) override;
  void DesktopFolderPath(std::string& path) override;
  void AppSupportFolderPath(std::string& path, bool system) override;
  void SafeDataFolderPath(std::string& path) override;
  void AskForFile(std::string& file, int action, std::string& folder, const char* extensions) override;
  bool AskForColour(IColor* colour) override;
  bool OpenLink(const char* url) override;
  void* AttachToParentView(void* parentView) override;
  void DetachView() override;
  void* NativeView() override;
  bool ReadClipboardText(std::string& text) override;
  double DisplayScale() override { return 1.0; }
  void RefreshTooltips() override {}
  // Only ".png" names (any case); "resources/img/NAME.png" is read as NAME.png from the
  // folder ResourceFolder names.
  LICE_IBitmap* LoadPlatformBitmap(int id, const char* name) override;

  // Contents/Resources of the bundle that holds the loaded module; outside a bundle (a
  // program linking the libraries) the source tree's image folder.
  static std::string ResourceFolder();
};
