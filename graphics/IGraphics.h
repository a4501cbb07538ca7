#pragma once

#include "framework/IEditor.h"
#include "graphics/IBlend.h"
#include "graphics/IColor.h"
#include "graphics/IFrameStrip.h"
#include "graphics/IPointerMods.h"
#include "graphics/IRECT.h"
#include "graphics/IText.h"
#include "graphics/PendingEditorChanges.h"
#include "graphics/ScaledImages.h"

#include <memory>
#include <string>
#include <vector>

class IControl;
class IPlugBase;
class IPlugParam;
class IPopupMenu;
class LICE_IBitmap;
class LICE_IFont;
class LICE_MemBitmap;
class LICE_SysBitmap;

// The editor: owns its controls and its off-screen image, routes pointer, wheel and key
// events to the control under the pointer, binds controls to parameters in both directions
// and repaints dirty regions. Everything that needs a window is left to a platform class.
// The definitions live in IGraphics*.cpp, one file per concern (controls, pointer, render,
// text, bitmaps, shapes, parameter input).
class IGraphics : public IEditor
{
public:
  static constexpr int kDefaultFps = 25;
  // Consecutive clean timer ticks after which IdleTick runs (on the next one).
  static constexpr int kIdleTickInterval = 20;

  IGraphics(IPlugBase* plug, int width, int height, int fps = 0);
  ~IGraphics() override;
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Platform operations -----------------------------------------------------------
  virtual void BlitToScreen(const IRECT& rect) = 0;
  virtual bool MeasureText(IText& text, const char* str, IRECT& rect);
  virtual void DismissTextEntry() = 0;
  virtual void ResizeEditor(int width, int height);
  virtual bool HasOpenView() const = 0;
  virtual const char* PlatformName() const { return ""; }
  virtual int ShowAlert(const char* text, const char* caption, int buttons) = 0;
  // Returns the menu (or submenu) whose chosen index was set, or null when nothing was chosen.
  virtual IPopupMenu* RunPopupMenu(IPopupMenu* menu, const IRECT& anchor) = 0;
  // The typed text comes back later through ApplyTextEntryResult or the control's TextEntered.
  virtual void BeginTextEntry(IControl* control, const IText& text, const IRECT& rect, const char* initial,
                              IPlugParam* param) = 0;
  virtual void HostExecutablePath(std::string& path) = 0;
  virtual void PluginFolderPath(std::string& path) = 0;
  virtual void DesktopFolderPath(std::string& path) = 0;
  virtual void AppSupportFolderPath(std::string& path, bool system) = 0;
  virtual void SafeDataFolderPath(std::string& path) = 0;
  virtual void AskForFile(std::string& file, int action, std::string& folder, const char* extensions) = 0;
  virtual bool AskForColour(IColor* colour) = 0;
  virtual bool OpenLink(const char* url) = 0;
  void* AttachToParentControl(void* window, void* control) override;
  virtual void AttachToHostWindow(void* window);
  virtual void DetachFromHostWindow();
  virtual void* NativeView() = 0;
  virtual bool ReadClipboardText(std::string& text) = 0;
  virtual void ConcealCursor() {}
  virtual void RevealCursor() {}
  virtual void RefreshTooltips() = 0;
  virtual void IdleTick();
  // Loads a named image from the module's resources; null on failure.
  virtual LICE_IBitmap* LoadPlatformBitmap(int id, const char* name) = 0;

  // ---- Editor interface ----------------------------------------------------------------
  // PushParamValue, GreyParamControls and MarkAllDirty run with the plug-in's mutex held, on
  // the audio thread too: they only store into the pending changes, which the controls
  // take over in ApplyPendingChanges on the UI thread. No control is touched here.
  void PushParamValue(int paramIdx, double value, bool normalized) override;
  void PrepareDrawSurfaces() override;
  void GreyParamControls(int paramIdx, bool grey) override;
  void MarkAllDirty() override;
  // Carried out on the first visible control bound to the parameter.
  void RunParamMenuItem(int paramIdx, ParamMenuItem item) override;
  int Width() const override { return mWidth; }
  int Height() const override { return mHeight; }

  // ---- Scale ---------------------------------------------------------------------------
  // Controls, pointer events and the editor's size are in layout pixels (Width() x Height());
  // the surface and the windows have DisplayScale() window pixels per layout pixel,
  // mapped by EditorScale.
  double DisplayScale() override { return mScale; }
  // From now on paints at the scale, limited to EditorScale's range: the surface takes the
  // new window size, images are resampled for it on their next paint and every control
  // repaints. Platforms also resize their open windows.
  void SetDisplayScale(double scale) override;
  // The window pixels of a layout rectangle, and the layout pixels covering a window one.
  IRECT LayoutToWindow(const IRECT& rect) const;
  IRECT WindowToLayout(const IRECT& rect) const;
  // The style with its size in window pixels at the current scale (at least 1), and no
  // cached font, which belongs to the size at scale 1.
  IText ScaledText(const IText& text) const;
  // Frees the images resampled for the current scale while no window shows the editor.
  void ReleaseScaledImages() { mScaledImages.Clear(); }

  // ---- Bitmaps -------------------------------------------------------------------------
  // The same resource id yields the same bitmap in every editor of the process. A missing
  // or undecodable image gives a strip without bitmap and of size 0 x 0.
  IFrameStrip LoadStripBitmap(int id, const char* name, int frames = 1, bool horizontal = false);
  // The same drawing at twice the size: resource NAME.png has it in NAME@2x.png. Null when
  // the strip is no loaded resource or its detailed image is missing or of another size.
  LICE_IBitmap* DetailedBitmap(const IFrameStrip& strip);
  // Hands a bitmap made elsewhere to the process-wide cache.
  void RetainBitmap(IFrameStrip& strip);
  // Removes the strip's bitmap from the cache, deletes it and empties the strip.
  void ReleaseBitmap(IFrameStrip& strip);
  IFrameStrip ScaleBitmap(const IFrameStrip& strip, int width, int height);
  IFrameStrip CropBitmap(const IFrameStrip& strip, const IRECT& rect);

  // ---- Controls ------------------------------------------------------------------------
  void AttachBackdrop(int id, const char* name);
  void AttachPanel(const IColor& colour);
  // Takes ownership; returns the control's index.
  int AddControl(IControl* control);
  // Takes ownership of the control that receives keys no other control takes.
  void SetKeyCatcher(IControl* control);
  IControl* ControlAt(int index) const;
  int ControlCount() const { return static_cast<int>(mControls.size()); }

  // ---- Parameter binding ---------------------------------------------------------------
  void ApplyEditorValue(int paramIdx, double normalized);
  void SetControlValue(int controlIdx, double normalized);
  void HideParamControls(int paramIdx, bool hide);
  void ClampParamControls(int paramIdx, bool normalized, double low, double high);
  void UseParamNamesAsTooltips();

  // ---- User input requests -------------------------------------------------------------
  // A list parameter gets a popup menu of its value texts, any other a text field.
  void PromptForParamInput(IControl* control, IPlugParam* param, const IRECT* rect);
  void ApplyTextEntryResult(IControl* control, IPlugParam* param, const char* text);

  // ---- Redraw --------------------------------------------------------------------------
  // UI thread, mutex not held. Moves what the plug-in side stored out under the plug-in's
  // mutex, then hands it to the controls without the mutex: values (the first one a
  // parameter ever had before any later one), grey states, and repaint-all.
  void ApplyPendingChanges();
  // One timer tick's question: applies the pending changes first, then reports the region
  // to repaint.
  bool NeedsRedraw(IRECT* out);
  void Render(const IRECT& rect);
  void SetStrictRedraw(bool strict);

  // ---- Pointer and keys (layout pixels, y downward) ------------------------------------
  void PointerDown(int x, int y, const IPointerMods& mods);
  void PointerUp(int x, int y, const IPointerMods& mods);
  void PointerDrag(int x, int y, const IPointerMods& mods);
  bool PointerDoubleClick(int x, int y, const IPointerMods& mods);
  bool PointerHover(int x, int y, const IPointerMods& mods);
  void PointerLeave();
  void WheelTurn(int x, int y, const IPointerMods& mods, int delta);
  bool KeyPress(int x, int y, int key);
  int ControlIndexAt(int x, int y, bool forHover = false) const;
  int ParamIndexAt(int x, int y);
  int TakeLastClickedParam();

  // ---- Drawing primitives for controls -------------------------------------------------
  // Frames count from 1. Every bitmap draw is clipped to the region being repainted.
  void DrawStripFrame(const IFrameStrip& strip, const IRECT& dest, int frame, const IBlend* blend);
  void DrawBitmapPart(const IFrameStrip& strip, const IRECT& dest, int srcX, int srcY, const IBlend* blend);
  void DrawRotated(const IFrameStrip& strip, int centreX, int centreY, double degrees, const IBlend* blend);
  void DrawRotatedMask(const IFrameStrip& base, const IFrameStrip& mask, const IFrameStrip& top, int x, int y,
                       double degrees, const IBlend* blend);
  // Draws str inside rect, or with measure set only replaces rect by the text's box
  // placed as the style's alignment says. False when no font could be made.
  bool DrawTextIn(IText& text, const char* str, IRECT& rect, bool measure);
  // Where a measured text box of w x h lands inside rect for an alignment.
  static IRECT PlaceTextBox(const IRECT& rect, int align, int w, int h);

  void DrawPoint(const IColor& colour, float x, float y, const IBlend* blend = nullptr);
  void ForcePixel(const IColor& colour, int x, int y);
  void DrawLine(const IColor& colour, float x1, float y1, float x2, float y2, const IBlend* blend = nullptr,
                bool antialias = false);
  void DrawArc(const IColor& colour, float cx, float cy, float r, float minAngle, float maxAngle,
               const IBlend* blend = nullptr, bool antialias = false);
  void DrawCircle(const IColor& colour, float cx, float cy, float r, const IBlend* blend = nullptr,
                  bool antialias = false);
  void DrawRect(const IColor& colour, const IRECT& rect);
  void DrawVerticalLine(const IColor& colour, const IRECT& rect, float fraction);
  void DrawHorizontalLine(const IColor& colour, const IRECT& rect, float fraction);
  void FillRect(const IColor& colour, const IRECT& rect, const IBlend* blend = nullptr);
  void DrawRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius, bool antialias);
  void FillRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius, bool antialias);
  void FillCircle(const IColor& colour, int cx, int cy, float r, const IBlend* blend = nullptr, bool antialias = false);
  void FillTriangle(const IColor& colour, int x1, int y1, int x2, int y2, int x3, int y3,
                    const IBlend* blend = nullptr);
  void FillConvexPolygon(const IColor& colour, const int* x, const int* y, int count, const IBlend* blend = nullptr);
  // The backend mode word and opacity for a blend (null: source alpha at full weight).
  static int BlendMode(const IBlend* blend);
  static float BlendWeight(const IBlend* blend);

  // ---- State -----------------------------------------------------------------------------
  IPlugBase* Plug() const { return mPlug; }
  int Fps() const { return mFps; }
  LICE_IBitmap* DrawSurface() const;
  const IRECT& DrawRect() const { return mDrawRect; }
  void SetHandleHover(bool handle) { mHandleHover = handle; }
  bool TooltipsEnabled() const { return mTooltipsEnabled; }
  void EnableTooltips(bool enable) { mTooltipsEnabled = enable; }
  int CaptureIndex() const { return mCaptureIndex; }
  int HoverIndex() const { return mHoverIndex; }
  const IColor& PickedColour() const { return mPickedColour; }
  void SetBundleId(const char* bundleId) { mBundleId = bundleId ? bundleId : ""; }
  const std::string& BundleId() const { return mBundleId; }

protected:
  void ReleaseCapture();
  IColor mPickedColour = ColourBlack;
  bool mCursorHidden = false;
  int mSavedCursorX = -1;
  int mSavedCursorY = -1;

private:
  int FindControl(int x, int y, bool forHover, int lowest) const;
  void TakePendingChanges();
  void DeliverParamChange(int paramIdx, const PendingEditorChanges::ParamChange& change);
  void DeliverParamValue(int paramIdx, double normalized);
  void DeliverParamGrey(int paramIdx, bool grey);
  void RenderStrict(const IRECT& rect);
  void RenderDirtyControls();
  void DeleteControls();
  LICE_IFont* FontFor(IText& text);
  // The font for the style at the current scale's size.
  LICE_IFont* ScaledFontFor(IText& text);
  const ScaledImages::Image& ScaledStrip(const IFrameStrip& strip);
  void DrawScaledBitmapPart(const IFrameStrip& strip, const IRECT& dest, int srcX, int srcY, const IBlend* blend);
  // Draws a bitmap made during this paint (not a strip) scaled onto the window rectangle.
  void DrawTransientBitmap(LICE_IBitmap* bitmap, const IRECT& dest, const IBlend* blend);
  int ToWindow(int v) const;
  float ToWindow(float v) const;
  int LayoutLength(int windowLength) const;

  struct Resource
  {
    const LICE_IBitmap* bitmap;
    int id;
    std::string name;
  };

  std::vector<std::unique_ptr<IControl>> mControls;
  IPlugBase* mPlug;
  IRECT mDrawRect;
  std::unique_ptr<LICE_SysBitmap> mDrawSurface;
  std::unique_ptr<LICE_MemBitmap> mScratchSurface;
  int mWidth;
  int mHeight;
  double mScale = 1.0;
  ScaledImages mScaledImages;
  std::vector<Resource> mResources;
  int mFps;
  int mIdleTicks = 0;
  int mCaptureIndex = -1;
  int mHoverIndex = -1;
  int mLastX = 0;
  int mLastY = 0;
  int mLastClickedParam = -1;
  bool mHandleHover = false;
  bool mStrictRedraw = true;
  bool mTooltipsEnabled = false;
  std::unique_ptr<IControl> mKeyCatcher;
  std::string mBundleId;
  // Written by the plug-in side under its mutex; read and cleared only under that mutex.
  PendingEditorChanges mPending;
  // The UI thread's copy of the last take-over, so that a tick allocates nothing.
  PendingEditorChanges mTaken;
};
