#pragma once

#include "graphics/IGraphics.h"
#include "graphics/IPopupMenu.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// An editor platform without a window: it renders into memory and records what a window
// system would have been asked to show (text fields, menus, alerts, links), letting the
// caller answer those requests. Bitmaps come from a resource folder on disk.
class IGraphicsHeadless : public IGraphics
{
public:
  struct TextEntryRequest
  {
    IControl* control = nullptr;
    IText text;
    IRECT rect;
    std::string initial;
    IPlugParam* param = nullptr;
  };

  struct MenuRecord
  {
    IRECT anchor;
    std::vector<std::string> items;
    std::vector<int> flags;
  };

  // Picks a menu item (its position), or -1 to dismiss the menu.
  using MenuAnswer = std::function<int(const IPopupMenu&)>;

  IGraphicsHeadless(IPlugBase* plug, int width, int height, int fps, const char* resourceFolder);

  // ---- Platform operations ---------------------------------------------------------------
  void BlitToScreen(const IRECT& rect) override;
  void DismissTextEntry() override;
  bool HasOpenView() const override { return mViewOpen; }
  const char* PlatformName() const override { return "Headless"; }
  int ShowAlert(const char* text, const char* caption, int buttons) override;
  IPopupMenu* RunPopupMenu(IPopupMenu* menu, const IRECT& anchor) override;
  void BeginTextEntry(IControl* control, const IText& text, const IRECT& rect, const char* initial,
                      IPlugParam* param) override;
  void HostExecutablePath(std::string& path) override { path.clear(); }
  void PluginFolderPath(std::string& path) override { path = mResourceFolder + "/"; }
  void DesktopFolderPath(std::string& path) override { path.clear(); }
  void AppSupportFolderPath(std::string& path, bool) override { path.clear(); }
  void SafeDataFolderPath(std::string& path) override { path.clear(); }
  void AskForFile(std::string& file, int action, std::string& folder, const char* extensions) override;
  bool AskForColour(IColor*) override { return false; }
  bool OpenLink(const char* url) override;
  void* AttachToParentView(void* parentView) override;
  void DetachView() override { mViewOpen = false; }
  // Test hosts drive a headless editor themselves: the run loop goes unused.
  void* OpenHostView(void* parentWindow, IEditorRunLoop&) override { return AttachToParentView(parentWindow); }
  void CloseHostView(void*) override { DetachView(); }
  void* NativeView() override { return mViewOpen ? this : nullptr; }
  bool ReadClipboardText(std::string& text) override;
  void ConcealCursor() override { mCursorHidden = true; }
  void RevealCursor() override { mCursorHidden = false; }
  void RefreshTooltips() override;
  // Loads folder + "/" + the name's last path component; only ".png" names (any case).
  LICE_IBitmap* LoadPlatformBitmap(int id, const char* name) override;

  // ---- Driving the editor as a window system would -----------------------------------------
  // One redraw-timer tick: repaints and presents the dirty region. True when it painted.
  bool TimerTick();
  // Applies the pending changes, then repaints and presents the whole editor.
  void RenderAll();

  // ---- Answering and inspecting requests -------------------------------------------------
  void QueueMenuChoice(int position) { mMenuChoices.push_back(position); }
  void SetMenuAnswer(MenuAnswer answer) { mMenuAnswer = std::move(answer); }
  const std::vector<MenuRecord>& Menus() const { return mMenus; }

  bool TextEntryOpen() const { return mTextEntryOpen; }
  const TextEntryRequest& TextEntry() const { return mTextEntry; }
  // Types text into the open field and confirms it. Refused (false, field stays open) when
  // no field is open or the field's filter rejects the text.
  bool FinishTextEntry(const char* text);

  void SetAlertAnswer(int answer) { mAlertAnswer = answer; }
  const std::vector<std::string>& Alerts() const { return mAlerts; }
  void SetLinkResult(bool opens) { mLinkOpens = opens; }
  const std::vector<std::string>& OpenedLinks() const { return mLinks; }
  // The file the next file request returns; empty means the panel is cancelled.
  void SetFileAnswer(const std::string& path) { mFileAnswer = path; }
  void SetClipboardText(const std::string& text) { mClipboard = text; }

  int BlitCount() const { return mBlitCount; }
  const IRECT& LastBlitRect() const { return mLastBlit; }
  bool CursorHidden() const { return mCursorHidden; }
  // Target rectangles registered for tooltips by the last RefreshTooltips.
  const std::vector<IRECT>& TooltipRects() const { return mTooltipRects; }

private:
  int NextMenuChoice(const IPopupMenu& menu);

  std::string mResourceFolder;
  bool mViewOpen = false;
  int mBlitCount = 0;
  IRECT mLastBlit;
  bool mTextEntryOpen = false;
  TextEntryRequest mTextEntry;
  std::deque<int> mMenuChoices;
  MenuAnswer mMenuAnswer;
  std::vector<MenuRecord> mMenus;
  int mAlertAnswer = 1;
  std::vector<std::string> mAlerts;
  bool mLinkOpens = true;
  std::vector<std::string> mLinks;
  std::string mFileAnswer;
  std::string mClipboard;
  std::vector<IRECT> mTooltipRects;
};
