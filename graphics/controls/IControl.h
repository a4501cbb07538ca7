#pragma once

#include "graphics/IBlend.h"
#include "graphics/IPointerMods.h"
#include "graphics/IRECT.h"
#include "graphics/IText.h"

#include <vector>

class IGraphics;
class IPlugBase;
class IPlugParam;
class ITextControl;

// A rectangle of the editor that paints itself, reacts to the pointer, the wheel and keys,
// and holds a normalized value (0..1) that is usually bound to one plug-in parameter.
// The editor owns its controls; a value set by the user is sent to the plug-in, a value
// arriving from the plug-in only repaints.
class IControl
{
public:
  struct AuxParam
  {
    double value;
    int paramIdx;
  };

  IControl(IPlugBase* plug, const IRECT& rect, int paramIdx = -1, int blendMethod = IBlend::BlendNone);
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  virtual void PointerDown(int x, int y, const IPointerMods& mods);
  virtual void PointerUp(int x, int y, const IPointerMods& mods);
  virtual void PointerDrag(int x, int y, int dX, int dY, const IPointerMods& mods);
  virtual void PointerDoubleClick(int x, int y, const IPointerMods& mods);
  virtual void WheelTurn(int x, int y, const IPointerMods& mods, int delta);
  virtual bool KeyPress(int x, int y, int key);
  virtual void PointerHover(int x, int y, const IPointerMods& mods);
  virtual void PointerLeave();
  virtual bool Paint(IGraphics& graphics) = 0;
  // A value the plug-in pushed, handed over by the editor on the UI thread at the start of a
  // tick (mutex not held): an override stores and flags; painting follows in the same tick.
  virtual void ValueFromPlugin(double normalized);
  virtual void TextEntered(const char* text);
  virtual void SetHidden(bool hide);
  virtual void SetGreyed(bool grey);
  virtual bool Contains(int x, int y) const;
  virtual void MarkDirty(bool pushToPlugin);
  virtual void MarkClean();
  virtual bool NeedsPaint() const { return mDirty; }
  virtual void IdleTick();
  // Same thread as ValueFromPlugin, and the same limits.
  virtual void AuxValueFromPlugin(int position, double normalized);
  virtual void MoveTo(int x, int y);
  // Everything the control may touch when it paints; the editor repaints this region.
  virtual IRECT DrawnRect() const { return mRect; }
  // Where a value for the bound parameter is typed or chosen when the user asks to enter one
  // (the context menu's "Type a Value"): as a right-click prompt would place it.
  virtual IRECT ValueEntryRect() const { return PromptRect(); }

  void SetValueFromUser(double normalized);
  void PromptForInput();
  void PromptForInputIn(const IRECT& rect);

  void AddAuxParam(int paramIdx);
  AuxParam* AuxParamAt(int position);
  int AuxPositionOf(int paramIdx) const;
  int AuxParamCount() const { return static_cast<int>(mAuxParams.size()); }
  void PushAuxToPlugin();

  // Set by the editor when it takes the control over.
  void SetGraphics(IGraphics* graphics) { mGraphics = graphics; }
  IGraphics* Graphics() const { return mGraphics; }
  IPlugBase* Plug() const { return mPlug; }
  IPlugParam* Param() const;

  const IRECT& Rect() const { return mRect; }
  const IRECT& TargetRect() const { return mTargetRect; }
  void SetTargetRect(const IRECT& rect) { mTargetRect = rect; }
  int ParamIdx() const { return mParamIdx; }
  bool IsBound() const { return mParamIdx >= 0; }
  double Value() const { return mValue; }
  double DefaultValue() const { return mDefaultValue; }
  void SetDefaultValue(double normalized) { mDefaultValue = normalized; }
  void SetClamp(double low, double high);
  double ClampLow() const { return mClampLow; }
  double ClampHigh() const { return mClampHigh; }
  bool IsHidden() const { return mHidden; }
  bool IsGreyed() const { return mGreyed; }
  bool WantsRedraw() const { return mRedraw; }
  bool PromptDisabled() const { return mDisablePrompt; }
  void SetPromptDisabled(bool disabled) { mDisablePrompt = disabled; }
  bool DoubleClickIsPress() const { return mDoubleClickIsPress; }
  void SetDoubleClickIsPress(bool asPress) { mDoubleClickIsPress = asPress; }
  bool HoverWhenGreyed() const { return mHoverWhenGreyed; }
  void SetHoverWhenGreyed(bool hover) { mHoverWhenGreyed = hover; }
  const IBlend& Blend() const { return mBlend; }
  const IText& Text() const { return mText; }
  IText& Text() { return mText; }
  int TextEntryLength() const { return mTextEntryLength; }
  void SetTextEntryLength(int length) { mTextEntryLength = length; }
  void SetValueDisplay(ITextControl* display) { mValueDisplay = display; }
  void SetNameDisplay(ITextControl* display) { mNameDisplay = display; }
  const char* Tooltip() const { return mTooltip; }
  void SetTooltip(const char* tooltip) { mTooltip = tooltip; }

protected:
  // Strip frame (1-based) for the current value, shared by every bitmap-strip control.
  static int FrameForValue(double value, int frames);
  // The value change for a wheel turn: 0.01 a step, ten times finer with shift or control.
  static double WheelIncrement(const IPointerMods& mods, int delta);
  static bool WantsFineAdjustment(const IPointerMods& mods) { return mods.control || mods.shift; }
  // For controls made of cells (one per position): a right press prompts, a press in cell i
  // of n selects value i / (n - 1) and sends it.
  void PressCell(const std::vector<IRECT>& cells, int x, int y, const IPointerMods& mods);
  void SetParamIdx(int paramIdx) { mParamIdx = paramIdx; }
  void SetValue(double normalized) { mValue = normalized; }
  void RequestRedraw() { mRedraw = true; }
  IRECT PromptRect() const;
  void UpdateDisplays();

  int mTextEntryLength = 7;
  IText mText;

private:
  IPlugBase* mPlug;
  IGraphics* mGraphics = nullptr;
  IRECT mRect;
  IRECT mTargetRect;
  int mParamIdx;
  std::vector<AuxParam> mAuxParams;
  double mValue = 0.0;
  double mDefaultValue = -1.0;
  double mClampLow = 0.0;
  double mClampHigh = 1.0;
  bool mDirty = true;
  bool mHidden = false;
  bool mGreyed = false;
  bool mRedraw = false;
  bool mDisablePrompt = true;
  bool mDoubleClickIsPress = false;
  bool mHoverWhenGreyed = false;
  IBlend mBlend;
  ITextControl* mValueDisplay = nullptr;
  ITextControl* mNameDisplay = nullptr;
  const char* mTooltip = nullptr;
};
