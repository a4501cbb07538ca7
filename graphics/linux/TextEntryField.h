#pragma once

#include "graphics/IRECT.h"
#include "graphics/IText.h"
#include "graphics/TextEntryFilter.h"

#include <optional>
#include <string>

class LICE_IBitmap;

// A one-line value field drawn by us inside the editor. It holds the text being typed and a
// caret, applies the parameter's filter to every insertion and says when typing ends. The
// whole initial text starts selected, so the first typed character replaces it.
// User-interface thread only: drawing sets the colour of a font the whole editor shares.
class TextEntryField
{
public:
  enum class Outcome
  {
    Editing,
    Commit,
    Cancel
  };

  // Without a filter (a control with no parameter) any printable text is accepted.
  TextEntryField(const IRECT& rect, const IText& style, const char* initial, std::optional<TextEntryFilter> filter);

  // keysym and the typed UTF-8 text as XLookupString gives them for one key press.
  Outcome HandleKey(unsigned long keysym, const char* typed);
  // Paints background, text and caret into the editor surface at Rect().
  void Draw(LICE_IBitmap& surface) const;

  const std::string& Text() const { return mText; }
  const IRECT& Rect() const { return mRect; }
  // Byte offset of the caret in Text(); always at the start of a character.
  size_t Caret() const { return mCaret; }
  bool AllSelected() const { return mAllSelected; }

private:
  bool MoveCaret(unsigned long keysym);
  bool Erase(unsigned long keysym);
  void Insert(const char* typed);
  size_t PreviousCharacter(size_t offset) const;
  size_t NextCharacter(size_t offset) const;

  IRECT mRect;
  IText mStyle;
  std::string mText;
  size_t mCaret;
  bool mAllSelected;
  std::optional<TextEntryFilter> mFilter;
};
