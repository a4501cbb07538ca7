#include "graphics/IGraphics.h"

#include "framework/IPlugBase.h"
#include "framework/IPlugParam.h"
#include "graphics/BitmapCache.h"
#include "graphics/FontCache.h"
#include "graphics/IPopupMenu.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IControl.h"
#include "graphics/controls/IPanelControl.h"
#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"
#include "graphics/lice/LICE_SysBitmap.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr int kApiVst3 = 1;

IFrameStrip StripFor(LICE_IBitmap* bitmap, int frames, bool horizontal)
{
  IFrameStrip strip;
  strip.frames = frames < 1 ? 1 : frames;
  strip.horizontal = horizontal;
  if (bitmap)
  {
    strip.bitmap = bitmap;
    strip.width = bitmap->Width();
    strip.height = bitmap->Height();
  }
  return strip;
}

// The decimal number the text starts with (after blanks), 0 when it starts with none.
// strtod alone would also read hexadecimal, infinities and NaN.
double LeadingDecimal(const char* text)
{
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  const char* digits = p + (*p == '+' || *p == '-' ? 1 : 0);
  auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (!isDigit(digits[0]) && !(digits[0] == '.' && isDigit(digits[1]))) return 0.0;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return 0.0; // "0x.." reads as 0
  return std::strtod(p, nullptr);
}

// Memory bitmaps start uncleared; derived images start transparent so that whatever the
// source does not cover shows nothing rather than stale memory.
std::unique_ptr<LICE_MemBitmap> TransparentBitmap(int width, int height)
{
  auto bitmap = std::make_unique<LICE_MemBitmap>(width, height, 4);
  ::FillRect(bitmap.get(), 0, 0, width, height, ColourTransparent.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
  return bitmap;
}
} // namespace

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int fps)
  : mPlug(plug), mWidth(width), mHeight(height), mFps(fps > 0 ? fps : kDefaultFps)
{
}

IGraphics::~IGraphics()
{
  mKeyCatcher.reset();
  DeleteControls();
}

// ---- Platform operations with a base behaviour ------------------------------------------

bool IGraphics::MeasureText(IText& text, const char* str, IRECT& rect)
{
  return DrawTextIn(text, str, rect, true);
}

void IGraphics::ResizeEditor(int width, int height)
{
  mWidth = width;
  mHeight = height;
  ReleaseCapture();
  DeleteControls();
  mDrawSurface.reset();
  mScratchSurface.reset();
  PrepareDrawSurfaces();
  if (mPlug) mPlug->RequestEditorSize(width, height);
}

void* IGraphics::AttachToParentControl(void*, void*)
{
  return nullptr;
}

void IGraphics::AttachToHostWindow(void*) {}

void IGraphics::DetachFromHostWindow() {}

void IGraphics::IdleTick()
{
  if (mPlug) mPlug->EditorIdle();
  for (auto& control : mControls) control->IdleTick();
}

// ---- Editor interface ------------------------------------------------------------------

void IGraphics::PushParamValue(int paramIdx, double value, bool normalized)
{
  if (!normalized)
  {
    const IPlugParam* param = mPlug ? mPlug->ParamAt(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  for (auto& control : mControls)
  {
    if (control->ParamIdx() == paramIdx) control->ValueFromPlugin(value);
    const int aux = control->AuxPositionOf(paramIdx);
    if (aux >= 0) control->AuxValueFromPlugin(aux, value);
  }
}

void IGraphics::PrepareDrawSurfaces()
{
  const double scale = DisplayScale();
  mDrawSurface = std::make_unique<LICE_SysBitmap>(static_cast<int>(scale * mWidth), static_cast<int>(scale * mHeight));
  mScratchSurface = std::make_unique<LICE_MemBitmap>(0, 0, 4);
}

void IGraphics::GreyParamControls(int paramIdx, bool grey)
{
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx) control->SetGreyed(grey);
}

void IGraphics::MarkAllDirty()
{
  for (auto& control : mControls) control->MarkDirty(false);
}

// ---- Bitmaps ---------------------------------------------------------------------------

IFrameStrip IGraphics::LoadStripBitmap(int id, const char* name, int frames, bool horizontal)
{
  BitmapCache& cache = BitmapCache::Instance();
  LICE_IBitmap* bitmap = cache.Find(id);
  if (!bitmap) bitmap = cache.Adopt(id, std::unique_ptr<LICE_IBitmap>(LoadPlatformBitmap(id, name)));
  return StripFor(bitmap, frames, horizontal);
}

void IGraphics::RetainBitmap(IFrameStrip& strip)
{
  strip.bitmap = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::unique_ptr<LICE_IBitmap>(strip.bitmap));
}

void IGraphics::ReleaseBitmap(IFrameStrip& strip)
{
  BitmapCache::Instance().Remove(strip.bitmap);
  strip = StripFor(nullptr, strip.frames, strip.horizontal);
}

IFrameStrip IGraphics::ScaleBitmap(const IFrameStrip& strip, int width, int height)
{
  if (!strip.bitmap) return StripFor(nullptr, strip.frames, false);
  auto scaled = TransparentBitmap(width, height);
  ::ScaledBlit(scaled.get(), strip.bitmap, 0, 0, width, height, 0.0f, 0.0f, static_cast<float>(strip.width),
               static_cast<float>(strip.height), 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  LICE_IBitmap* cached = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::move(scaled));
  return StripFor(cached, strip.frames, false);
}

IFrameStrip IGraphics::CropBitmap(const IFrameStrip& strip, const IRECT& rect)
{
  if (!strip.bitmap) return StripFor(nullptr, strip.frames, strip.horizontal);
  auto cropped = TransparentBitmap(rect.W(), rect.H());
  ::BlitBitmap(cropped.get(), strip.bitmap, 0, 0, rect.L, rect.T, rect.W(), rect.H(), 1.0f, LICE_BLIT_MODE_COPY);
  LICE_IBitmap* cached = BitmapCache::Instance().Adopt(BitmapCache::kRuntimeId, std::move(cropped));
  return StripFor(cached, strip.frames, strip.horizontal);
}

// ---- Controls --------------------------------------------------------------------------

void IGraphics::AttachBackdrop(int id, const char* name)
{
  const IFrameStrip strip = LoadStripBitmap(id, name, 1);
  auto* backdrop = new IBitmapControl(mPlug, 0, 0, -1, strip, IBlend::BlendCopy);
  backdrop->SetGraphics(this);
  mControls.emplace(mControls.begin(), backdrop);
}

void IGraphics::AttachPanel(const IColor& colour)
{
  auto* panel = new IPanelControl(mPlug, IRECT(0, 0, mWidth, mHeight), colour);
  panel->SetGraphics(this);
  mControls.emplace(mControls.begin(), panel);
}

int IGraphics::AddControl(IControl* control)
{
  control->SetGraphics(this);
  mControls.emplace_back(control);
  return ControlCount() - 1;
}

void IGraphics::SetKeyCatcher(IControl* control)
{
  if (control) control->SetGraphics(this);
  mKeyCatcher.reset(control);
}

IControl* IGraphics::ControlAt(int index) const
{
  if (index < 0 || index >= ControlCount()) return nullptr;
  return mControls[index].get();
}

void IGraphics::DeleteControls()
{
  while (!mControls.empty()) mControls.pop_back();
}

// ---- Parameter binding -----------------------------------------------------------------

void IGraphics::ApplyEditorValue(int paramIdx, double normalized)
{
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx) control->SetValueFromUser(normalized);
}

void IGraphics::SetControlValue(int controlIdx, double normalized)
{
  if (IControl* control = ControlAt(controlIdx)) control->ValueFromPlugin(normalized);
}

void IGraphics::HideParamControls(int paramIdx, bool hide)
{
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx) control->SetHidden(hide);
}

void IGraphics::ClampParamControls(int paramIdx, bool normalized, double low, double high)
{
  if (!normalized)
  {
    const IPlugParam* param = mPlug ? mPlug->ParamAt(paramIdx) : nullptr;
    if (!param) return;
    low = param->ToNormalized(low);
    high = param->ToNormalized(high);
  }
  for (auto& control : mControls)
    if (control->ParamIdx() == paramIdx) control->SetClamp(low, high);
}

void IGraphics::UseParamNamesAsTooltips()
{
  for (auto& control : mControls)
    if (const IPlugParam* param = control->Param()) control->SetTooltip(param->Name());
}

// ---- User input requests ---------------------------------------------------------------

void IGraphics::PromptForParamInput(IControl* control, IPlugParam* param, const IRECT* rect)
{
  if (!control || !param || !rect) return;
  const bool isList = param->Kind() == KindEnum || (param->Kind() == KindBool && param->ValueTextCount() > 0);
  char current[IPlugParam::kDisplaySize];
  if (!isList)
  {
    param->FormatValue(param->Value(), false, current, false);
    BeginTextEntry(control, control->Text(), *rect, current, param);
    return;
  }

  param->FormatValue(param->Value(), false, current, true);
  IPopupMenu menu;
  for (int i = 0; i < param->ValueTextCount(); ++i)
  {
    const char* text = param->ValueTextFor(i);
    menu.AddItem(text, std::strcmp(text, current) == 0 ? IPopupMenu::kChecked : 0);
  }
  if (IPopupMenu* chosen = RunPopupMenu(&menu, *rect))
    control->SetValueFromUser(param->ToNormalized(chosen->ChosenItemIndex()));
}

void IGraphics::ApplyTextEntryResult(IControl* control, IPlugParam* param, const char* text)
{
  if (!control || !param) return;
  const char* typed = text ? text : "";
  double value = 0.0;
  if (param->Kind() == KindBool || param->Kind() == KindEnum)
  {
    if (!param->ValueForText(typed, &value)) value = 0.0;
  }
  else
  {
    value = LeadingDecimal(typed);
    if (param->NegateDisplay()) value = -value;
  }
  control->SetValueFromUser(param->ToNormalized(value));
}

// ---- Redraw ----------------------------------------------------------------------------

bool IGraphics::NeedsRedraw(IRECT* out)
{
  IRECT dirty;
  bool anyDirty = false;
  for (auto& control : mControls)
  {
    if (!control->NeedsPaint()) continue;
    dirty = dirty.Union(control->DrawnRect());
    anyDirty = true;
  }
  if (out) *out = dirty;
  if (anyDirty)
  {
    mIdleTicks = 0;
    return true;
  }
  if (mIdleTicks++ >= kIdleTickInterval)
  {
    IdleTick();
    mIdleTicks = 0;
  }
  return false;
}

void IGraphics::Render(const IRECT& rect)
{
  if (mStrictRedraw)
    RenderStrict(rect);
  else
    RenderDirtyControls();
  BlitToScreen(rect);
}

void IGraphics::RenderStrict(const IRECT& rect)
{
  mDrawRect = rect;
  for (auto& control : mControls)
    if (!control->IsHidden() && rect.Intersects(control->DrawnRect())) control->Paint(*this);
  for (auto& control : mControls) control->MarkClean();
}

void IGraphics::RenderDirtyControls()
{
  if (mControls.empty()) return;
  IControl& background = *mControls[0];
  if (background.NeedsPaint())
  {
    mDrawRect = background.DrawnRect();
    for (auto& control : mControls)
    {
      if (control->IsHidden()) continue;
      control->Paint(*this);
      control->MarkClean();
    }
    return;
  }
  for (int i = 1; i < ControlCount(); ++i)
  {
    IControl& dirty = *mControls[i];
    if (!dirty.NeedsPaint()) continue;
    mDrawRect = dirty.DrawnRect();
    for (int j = 0; j < ControlCount(); ++j)
    {
      IControl& control = *mControls[j];
      if (control.IsHidden()) continue;
      if (j == i || (!control.DrawnRect().Empty() && mDrawRect.Intersects(control.DrawnRect()))) control.Paint(*this);
    }
    dirty.MarkClean();
  }
}

void IGraphics::SetStrictRedraw(bool strict)
{
  mStrictRedraw = strict;
  for (auto& control : mControls) control->MarkDirty(false);
}

// ---- Pointer and keys ------------------------------------------------------------------

void IGraphics::ReleaseCapture()
{
  mCaptureIndex = -1;
  mLastX = mLastY = -1;
}

int IGraphics::ScaledCoordinate(int v)
{
  return static_cast<int>(v / DisplayScale());
}

int IGraphics::FindControl(int x, int y, bool forHover, int lowest) const
{
  for (int i = ControlCount() - 1; i >= lowest; --i)
  {
    const IControl& control = *mControls[i];
    if (control.IsHidden()) continue;
    if (control.IsGreyed() && !(forHover && control.HoverWhenGreyed())) continue;
    if (control.Contains(x, y)) return i;
  }
  return -1;
}

void IGraphics::PointerDown(int x, int y, const IPointerMods& mods)
{
  x = ScaledCoordinate(x);
  y = ScaledCoordinate(y);
  ReleaseCapture();
  const int index = FindControl(x, y, false, 0);
  if (index < 0) return;
  mCaptureIndex = index;
  mLastX = x;
  mLastY = y;
  IControl& control = *mControls[index];
  if (control.IsBound() && mods.right && mPlug && mPlug->ApiCode() == kApiVst3)
  {
    // The host offers its own menu for the parameter; the control never sees this press.
    ReleaseCapture();
    mPlug->ShowHostParamMenu(control.ParamIdx(), x, y);
    return;
  }
  if (control.IsBound() && mPlug) mPlug->BeginInformHostOfParamChange(control.ParamIdx());
  control.PointerDown(x, y, mods);
}

void IGraphics::PointerUp(int x, int y, const IPointerMods& mods)
{
  x = ScaledCoordinate(x);
  y = ScaledCoordinate(y);
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, false, 0);
  ReleaseCapture();
  if (index < 0) return;
  IControl& control = *mControls[index];
  control.PointerUp(x, y, mods);
  if (control.IsBound() && mPlug) mPlug->EndInformHostOfParamChange(control.ParamIdx());
}

void IGraphics::PointerDrag(int x, int y, const IPointerMods& mods)
{
  x = ScaledCoordinate(x);
  y = ScaledCoordinate(y);
  if (mCaptureIndex < 0 || (x == mLastX && y == mLastY)) return;
  const int dX = x - mLastX;
  const int dY = y - mLastY;
  mLastX = x;
  mLastY = y;
  mControls[mCaptureIndex]->PointerDrag(x, y, dX, dY, mods);
}

bool IGraphics::PointerDoubleClick(int x, int y, const IPointerMods& mods)
{
  x = ScaledCoordinate(x);
  y = ScaledCoordinate(y);
  ReleaseCapture();
  const int index = FindControl(x, y, false, 0);
  if (index < 0) return false;
  IControl& control = *mControls[index];
  if (!control.DoubleClickIsPress())
  {
    control.PointerDoubleClick(x, y, mods);
    return false;
  }
  mCaptureIndex = index;
  mLastX = x;
  mLastY = y;
  control.PointerDown(x, y, mods);
  return true;
}

bool IGraphics::PointerHover(int x, int y, const IPointerMods& mods)
{
  if (!mHandleHover) return false;
  x = ScaledCoordinate(x);
  y = ScaledCoordinate(y);
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, true, 0);
  if (index < 0) return true;
  mLastX = x;
  mLastY = y;
  mControls[index]->PointerHover(x, y, mods);
  if (mHoverIndex >= 0 && mHoverIndex != index)
    if (IControl* previous = ControlAt(mHoverIndex)) previous->PointerLeave();
  mHoverIndex = index;
  return true;
}

void IGraphics::PointerLeave()
{
  for (auto& control : mControls) control->PointerLeave();
  mHoverIndex = -1;
}

void IGraphics::WheelTurn(int x, int y, const IPointerMods& mods, int delta)
{
  x = ScaledCoordinate(x);
  y = ScaledCoordinate(y);
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, false, 0);
  if (index >= 0) mControls[index]->WheelTurn(x, y, mods, delta);
}

bool IGraphics::KeyPress(int x, int y, int key)
{
  // The background at index 0 never takes keys.
  const int index = mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, false, 1);
  if (index > 0) return mControls[index]->KeyPress(x, y, key);
  if (mKeyCatcher) return mKeyCatcher->KeyPress(x, y, key);
  return false;
}

int IGraphics::ControlIndexAt(int x, int y, bool forHover) const
{
  return mCaptureIndex >= 0 ? mCaptureIndex : FindControl(x, y, forHover, 0);
}

int IGraphics::ParamIndexAt(int x, int y)
{
  const int index = FindControl(x, y, false, 0);
  mLastClickedParam = index > 0 ? mControls[index]->ParamIdx() : -1;
  return mLastClickedParam;
}

int IGraphics::TakeLastClickedParam()
{
  const int param = mLastClickedParam;
  mLastClickedParam = -1;
  return param;
}

// ---- Drawing ---------------------------------------------------------------------------

LICE_IBitmap* IGraphics::DrawSurface() const
{
  return mDrawSurface.get();
}

int IGraphics::BlendMode(const IBlend* blend)
{
  if (!blend) return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  switch (blend->method)
  {
    case IBlend::BlendCopy: return LICE_BLIT_MODE_COPY;
    case IBlend::BlendAdd: return LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA;
    case IBlend::BlendDodge: return LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA;
    default: return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  }
}

float IGraphics::BlendWeight(const IBlend* blend)
{
  return blend ? blend->weight : 1.0f;
}

void IGraphics::DrawStripFrame(const IFrameStrip& strip, const IRECT& dest, int frame, const IBlend* blend)
{
  int srcX = 0;
  int srcY = 0;
  if (frame >= 2 && strip.frames >= 2)
  {
    if (strip.horizontal)
      srcX = static_cast<int>(static_cast<double>(frame - 1) * strip.width / strip.frames + 0.5);
    else
      srcY = static_cast<int>(static_cast<double>(frame - 1) * strip.height / strip.frames + 0.5);
  }
  DrawBitmapPart(strip, dest, srcX, srcY, blend);
}

void IGraphics::DrawBitmapPart(const IFrameStrip& strip, const IRECT& dest, int srcX, int srcY, const IBlend* blend)
{
  if (!strip.bitmap || !mDrawSurface) return;
  if (dest.Empty() || mDrawRect.Empty() || !dest.Intersects(mDrawRect)) return;
  const IRECT r = dest.Intersection(mDrawRect);
  if (r.W() <= 0 || r.H() <= 0) return;
  ::BlitBitmap(mDrawSurface.get(), strip.bitmap, r.L, r.T, srcX + r.L - dest.L, srcY + r.T - dest.T, r.W(), r.H(),
               BlendWeight(blend), BlendMode(blend));
}

void IGraphics::DrawRotated(const IFrameStrip& strip, int centreX, int centreY, double degrees, const IBlend* blend)
{
  if (!strip.bitmap || !mDrawSurface) return;
  const int w = strip.width;
  const int h = strip.height;
  ::RotatedBlit(mDrawSurface.get(), strip.bitmap, centreX - w / 2, centreY - h / 2, w, h, 0.0f, 0.0f,
                static_cast<float>(w), static_cast<float>(h), static_cast<float>(degrees * kRadiansPerDegree),
                BlendWeight(blend), BlendMode(blend) | LICE_BLIT_FILTER_BILINEAR);
}

void IGraphics::DrawRotatedMask(const IFrameStrip& base, const IFrameStrip& mask, const IFrameStrip& top, int x,
                                int y, double degrees, const IBlend* blend)
{
  if (!base.bitmap || !mDrawSurface) return;
  const int w = base.width;
  const int h = base.height;
  const float angle = static_cast<float>(degrees * kRadiansPerDegree);
  mScratchSurface->Resize(w, h);
  ::FillRect(mScratchSurface.get(), 0, 0, w, h, ColourTransparent.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
  ::RotatedBlit(mScratchSurface.get(), base.bitmap, 0, 0, w, h, 0.0f, 0.0f, static_cast<float>(w),
                static_cast<float>(h), angle, 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR);
  if (mask.bitmap)
    ::RotatedBlit(mScratchSurface.get(), mask.bitmap, 0, 0, w, h, 0.0f, 0.0f, static_cast<float>(mask.width),
                  static_cast<float>(mask.height), angle, 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  IFrameStrip composed = StripFor(mScratchSurface.get(), 1, false);
  DrawBitmapPart(composed, IRECT(x, y, x + w, y + h), 0, 0, blend);
  if (top.bitmap) DrawBitmapPart(top, IRECT(x, y, x + top.width, y + top.height), 0, 0, blend);
}

IRECT IGraphics::PlaceTextBox(const IRECT& rect, int align, int w, int h)
{
  IRECT box = rect;
  if (align == IText::kAlignNear)
  {
    box.R = box.L + w;
  }
  else if (align == IText::kAlignCenter)
  {
    box.L = static_cast<int>((rect.L + rect.R) * 0.5) - w / 2;
    box.R = box.L + w;
  }
  else
  {
    box.L = box.R - w;
  }
  box.B = box.T + h;
  return box;
}

LICE_IFont* IGraphics::FontFor(IText& text)
{
  if (!text.cachedFont) text.cachedFont = FontCache::Instance().FontFor(text);
  return text.cachedFont;
}

bool IGraphics::DrawTextIn(IText& text, const char* str, IRECT& rect, bool measure)
{
  if (!str || !*str) return true;
  LICE_IFont* font = FontFor(text);
  if (!font) return false;
  font->SetTextColour(text.colour.ToPixel());
  const int align = text.align == IText::kAlignNear     ? LICE_DT_LEFT
                    : text.align == IText::kAlignCenter ? LICE_DT_CENTER
                                                        : LICE_DT_RIGHT;
  const int flags = LICE_DT_NOCLIP | align | (text.colour.A < 255 ? LICE_DT_USEFGALPHA : 0);
  if (measure)
  {
    LICE_RECT box{0, 0, 0, 0};
    font->RenderText(mDrawSurface.get(), str, -1, &box, flags | LICE_DT_CALCRECT);
    rect = PlaceTextBox(rect, text.align, box.right - box.left, box.bottom - box.top);
    return true;
  }
  if (!mDrawSurface) return true;
  LICE_RECT r{rect.L, rect.T, rect.R, rect.B};
  font->RenderText(mDrawSurface.get(), str, -1, &r, flags);
  return true;
}

void IGraphics::DrawPoint(const IColor& colour, float x, float y, const IBlend* blend)
{
  ::PutPixel(mDrawSurface.get(), static_cast<int>(x), static_cast<int>(y), colour.ToPixel(), BlendWeight(blend),
             BlendMode(blend));
}

void IGraphics::ForcePixel(const IColor& colour, int x, int y)
{
  LICE_IBitmap* surface = mDrawSurface.get();
  if (!surface || x < 0 || y < 0 || x >= surface->Width() || y >= surface->Height()) return;
  surface->Bits()[y * surface->RowSpan() + x] = colour.ToPixel();
}

void IGraphics::DrawLine(const IColor& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                         bool antialias)
{
  ::DrawLine(mDrawSurface.get(), x1, y1, x2, y2, colour.ToPixel(), BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::DrawArc(const IColor& colour, float cx, float cy, float r, float minAngle, float maxAngle,
                        const IBlend* blend, bool antialias)
{
  ::DrawArc(mDrawSurface.get(), cx, cy, r, minAngle, maxAngle, colour.ToPixel(), BlendWeight(blend), BlendMode(blend),
            antialias);
}

void IGraphics::DrawCircle(const IColor& colour, float cx, float cy, float r, const IBlend* blend, bool antialias)
{
  ::DrawCircle(mDrawSurface.get(), cx, cy, r, colour.ToPixel(), BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::DrawRect(const IColor& colour, const IRECT& rect)
{
  const float l = static_cast<float>(rect.L), t = static_cast<float>(rect.T);
  const float r = static_cast<float>(rect.R), b = static_cast<float>(rect.B);
  DrawLine(colour, l, t, r, t);
  DrawLine(colour, l, b, r, b);
  DrawLine(colour, l, t, l, b);
  DrawLine(colour, r, t, r, b);
}

void IGraphics::DrawVerticalLine(const IColor& colour, const IRECT& rect, float fraction)
{
  const float f = std::min(std::max(fraction, 0.0f), 1.0f);
  const float x = rect.L + static_cast<float>(rect.W()) * f;
  DrawLine(colour, x, static_cast<float>(rect.T), x, static_cast<float>(rect.B));
}

void IGraphics::DrawHorizontalLine(const IColor& colour, const IRECT& rect, float fraction)
{
  const float f = std::min(std::max(fraction, 0.0f), 1.0f);
  const float y = rect.B - static_cast<float>(rect.H()) * f;
  DrawLine(colour, static_cast<float>(rect.L), y, static_cast<float>(rect.R), y);
}

void IGraphics::FillRect(const IColor& colour, const IRECT& rect, const IBlend* blend)
{
  ::FillRect(mDrawSurface.get(), rect.L, rect.T, rect.W(), rect.H(), colour.ToPixel(), BlendWeight(blend),
             BlendMode(blend));
}

void IGraphics::DrawRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius,
                              bool antialias)
{
  ::DrawRoundRect(mDrawSurface.get(), static_cast<float>(rect.L), static_cast<float>(rect.T),
                  static_cast<float>(rect.W()), static_cast<float>(rect.H()), cornerRadius, colour.ToPixel(),
                  BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillRoundRect(const IColor& colour, const IRECT& rect, const IBlend* blend, int cornerRadius,
                              bool antialias)
{
  ::FillRoundRect(mDrawSurface.get(), static_cast<float>(rect.L), static_cast<float>(rect.T),
                  static_cast<float>(rect.W()), static_cast<float>(rect.H()), cornerRadius, colour.ToPixel(),
                  BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillCircle(const IColor& colour, int cx, int cy, float r, const IBlend* blend, bool antialias)
{
  ::FillCircle(mDrawSurface.get(), static_cast<float>(cx), static_cast<float>(cy), r, colour.ToPixel(),
               BlendWeight(blend), BlendMode(blend), antialias);
}

void IGraphics::FillTriangle(const IColor& colour, int x1, int y1, int x2, int y2, int x3, int y3, const IBlend* blend)
{
  ::FillTriangle(mDrawSurface.get(), x1, y1, x2, y2, x3, y3, colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}

void IGraphics::FillConvexPolygon(const IColor& colour, const int* x, const int* y, int count, const IBlend* blend)
{
  ::FillConvexPolygon(mDrawSurface.get(), x, y, count, colour.ToPixel(), BlendWeight(blend), BlendMode(blend));
}
