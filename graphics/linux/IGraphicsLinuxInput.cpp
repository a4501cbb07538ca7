// Pointer, wheel and keys from the editor's windows, and the text field drawn inside the
// editor. Kept apart from the X11 code: Xlib's macros (KeyPress...) collide with the
// editor's names.
#include "graphics/linux/IGraphicsLinux.h"

#include "framework/IPlugParam.h"
#include "graphics/controls/IControl.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11Input.h"

// ---- Input -------------------------------------------------------------------------------

void IGraphicsLinux::WindowPress(X11EditorWindow& window, int x, int y, const IPointerMods& mods, bool doubleClick)
{
  mInputWindow = &window;
  if (mTextEntry)
  {
    // A click into the field keeps typing; a click elsewhere applies the text first.
    if (mTextEntry->layoutRect.Contains(x, y))
    {
      return;
    }
    EndTextEntry(true);
  }
  if (doubleClick)
  {
    PointerDoubleClick(x, y, mods);
  }
  else
  {
    PointerDown(x, y, mods);
  }
}

void IGraphicsLinux::WindowMotion(int x, int y, const IPointerMods& mods, bool buttonHeld)
{
  if (!buttonHeld)
  {
    PointerHover(x, y, mods);
  }
  else if (!mTextEntry)
  {
    PointerDrag(x, y, mods);
  }
}

void IGraphicsLinux::WindowWheel(int x, int y, const IPointerMods& mods, int steps)
{
  if (mTextEntry)
  {
    EndTextEntry(true);
  }
  WheelTurn(x, y, mods, steps);
}

bool IGraphicsLinux::WindowKey(X11EditorWindow& window, unsigned long keysym, const char* typed, int x, int y)
{
  mInputWindow = &window;
  if (!mTextEntry)
  {
    int key = 0;
    return X11Input::EditorKey(keysym, key) && KeyPress(x, y, key);
  }
  switch (mTextEntry->field.HandleKey(keysym, typed))
  {
    case TextEntryField::Outcome::Commit:
      EndTextEntry(true);
      break;
    case TextEntryField::Outcome::Cancel:
      EndTextEntry(false);
      break;
    case TextEntryField::Outcome::Editing:
      ShowTextEntry();
      break;
  }
  return true;
}

// ---- Text entry --------------------------------------------------------------------------

void IGraphicsLinux::BeginTextEntry(IControl* control, const IText& text, const IRECT& rect, const char* initial,
                                    IPlugParam* param)
{
  X11EditorWindow* window = InputWindow();
  if (control == nullptr || window == nullptr || mTextEntry)
  {
    return;
  }
  std::optional<TextEntryFilter> filter;
  if (param != nullptr)
  {
    filter.emplace(param->Kind(), control->TextEntryLength());
  }
  // The field is drawn on the surface in window pixels, with the text at the scaled size.
  mTextEntry.reset(new TextEntry{TextEntryField(LayoutToWindow(rect), ScaledText(text), initial ? initial : "", filter),
                                 rect, control, param, window});
  window->TakeFocus();
  ShowTextEntry();
}

void IGraphicsLinux::ShowTextEntry()
{
  if (DrawSurface() != nullptr)
  {
    BlitToScreen(mTextEntry->layoutRect);
  }
}

void IGraphicsLinux::DismissTextEntry()
{
  if (mTextEntry)
  {
    EndTextEntry(false);
  }
}

// The field is closed before the text is applied, so that applying it may open another.
void IGraphicsLinux::EndTextEntry(bool apply)
{
  const std::unique_ptr<TextEntry> entry = std::move(mTextEntry);
  entry->window->ReturnFocus();
  MarkControlsDirty(entry->layoutRect);
  if (!apply)
  {
    return;
  }
  if (entry->param != nullptr)
  {
    ApplyTextEntryResult(entry->control, entry->param, entry->field.Text().c_str());
  }
  else
  {
    entry->control->TextEntered(entry->field.Text().c_str());
  }
}
