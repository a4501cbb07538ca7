#pragma once

#include "graphics/IGraphics.h"
#include "graphics/linux/TextEntryField.h"

#include <memory>
#include <string>
#include <vector>

class X11EditorWindow;

// The editor on Linux: X11 child windows inside the host's windows, served by the host's
// run loop. Creating the object opens no display connection, so a host may create many
// instances and never show an editor; each view opens its own connection when attached
// (OpenHostView) and closes it when removed, so views of one or several editors live side
// by side without sharing X state. All views show the one editor surface. Bitmaps are read
// from the Resources folder of the bundle holding the loaded module.
class IGraphicsLinux : public IGraphics
{
public:
  IGraphicsLinux(IPlugBase* plug, int width, int height, int fps);
  ~IGraphicsLinux() override;

  // ---- Views ---------------------------------------------------------------------------
  // parentWindow is the host's X window id. The view shows the whole editor at once.
  void* OpenHostView(void* parentWindow, IEditorRunLoop& runLoop) override;
  void CloseHostView(void* view) override;
  // An X11 view needs the host's run loop: without one nothing is attached (null).
  void* AttachToParentView(void* parentView) override;
  // Closes every open view.
  void DetachView() override;
  void* NativeView() override;
  bool HasOpenView() const override { return !mWindows.empty(); }

  // Resizes and repaints the open windows; an open text field is closed without applying.
  void SetDisplayScale(double scale) override;

  // ---- Platform operations ---------------------------------------------------------------
  void BlitToScreen(const IRECT& rect) override;
  // Closes an open text field without applying what was typed.
  void DismissTextEntry() override;
  const char* PlatformName() const override { return "X11"; }
  // Alerts, file and colour panels, links, tooltips and the clipboard are not available:
  // each answers as a user who closed the panel would (no button, no file, false).
  int ShowAlert(const char* text, const char* caption, int buttons) override;
  IPopupMenu* RunPopupMenu(IPopupMenu* menu, const IRECT& anchor) override;
  // A one-line field drawn inside the editor over rect, holding the keyboard focus until
  // Enter or a click elsewhere applies the text (ApplyTextEntryResult, or the control's
  // TextEntered without a parameter) or Escape drops it.
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
  bool ReadClipboardText(std::string& text) override;
  void RefreshTooltips() override {}
  // Only ".png" names (any case); "resources/img/NAME.png" is read as NAME.png from the
  // folder ResourceFolder names.
  LICE_IBitmap* LoadPlatformBitmap(int id, const char* name) override;

  // Contents/Resources of the bundle that holds the loaded module; outside a bundle (a
  // program linking the libraries) the source tree's image folder.
  static std::string ResourceFolder();

  // ---- Called by its windows, in editor pixels -------------------------------------------
  // One redraw-timer tick: repaints and presents the dirty region; nothing when clean.
  void TimerTick();
  void WindowPress(X11EditorWindow& window, int x, int y, const IPointerMods& mods, bool doubleClick);
  void WindowMotion(int x, int y, const IPointerMods& mods, bool buttonHeld);
  void WindowWheel(int x, int y, const IPointerMods& mods, int steps);
  // True when the editor took the key.
  bool WindowKey(X11EditorWindow& window, unsigned long keysym, const char* typed, int x, int y);
  // Frees a window that was closed while it was handling an event.
  void DestroyWindow(X11EditorWindow* window);
  bool TextEntryOpen() const { return mTextEntry != nullptr; }

private:
  struct TextEntry
  {
    TextEntryField field;  // in window pixels
    IRECT layoutRect;
    IControl* control;
    IPlugParam* param;
    X11EditorWindow* window;
  };

  X11EditorWindow* InputWindow() const;
  void ShowTextEntry();
  void EndTextEntry(bool apply);
  void MarkControlsDirty(const IRECT& rect);

  std::vector<std::unique_ptr<X11EditorWindow>> mWindows;
  // The window of the latest press or key: menus and text fields open there.
  X11EditorWindow* mInputWindow = nullptr;
  std::unique_ptr<TextEntry> mTextEntry;
};
