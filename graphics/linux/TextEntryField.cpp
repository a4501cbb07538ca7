#include "graphics/linux/TextEntryField.h"

#include "graphics/FontCache.h"
#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_Utf8.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

namespace {
// The field's font is a little smaller than the read-out it covers, so the typed text fits
// the same rectangle with room for the caret.
constexpr double kFontScale = 0.9;
// Pixels between the field's edges and the text of a left- or right-aligned field.
constexpr int kInset = 2;

bool IsContinuationByte(unsigned char c)
{
  return (c & 0xC0) == 0x80;
}

// XLookupString hands out Latin-1 bytes for accented keys; the font draws UTF-8.
std::string Latin1ToUtf8(const std::string& text)
{
  std::string out;
  for (const char ch : text)
  {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80)
    {
      out += ch;
      continue;
    }
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

bool IsPrintable(const std::string& text)
{
  return std::none_of(text.begin(), text.end(), [](char ch) {
    const unsigned char c = static_cast<unsigned char>(ch);
    return c < 0x20 || c == 0x7F;
  });
}

// A rectangle of another bitmap seen as a bitmap of its own, so that text drawn into it is
// clipped to the field while its start may lie left of the field.
class BitmapRegion : public LICE_IBitmap
{
public:
  BitmapRegion(LICE_IBitmap& parent, const IRECT& rect) : mParent(parent), mRect(rect) {}

  LICE_pixel* Bits() override { return mParent.Bits() + static_cast<size_t>(mRect.T) * mParent.RowSpan() + mRect.L; }
  int Width() override { return mRect.W(); }
  int Height() override { return mRect.H(); }
  int RowSpan() override { return mParent.RowSpan(); }
  bool Resize(int, int) override { return false; }

private:
  LICE_IBitmap& mParent;
  IRECT mRect;
};

int TextWidth(LICE_IFont& font, const std::string& text, size_t length)
{
  LICE_RECT box{0, 0, 0, 0};
  font.RenderText(nullptr, text.c_str(), static_cast<int>(length), &box, LICE_DT_CALCRECT);
  return box.right - box.left;
}

int TextHeight(LICE_IFont& font)
{
  LICE_RECT box{0, 0, 0, 0};
  font.RenderText(nullptr, "0", 1, &box, LICE_DT_CALCRECT);
  return box.bottom - box.top;
}

// Left edge of the text inside a field of the given width: placed by the style's alignment
// while it fits, otherwise scrolled so that the caret stays visible.
int TextLeft(int fieldWidth, int align, int textWidth, int caretX)
{
  const int inner = fieldWidth - 2 * kInset;
  if (textWidth >= inner)
    return caretX < inner ? kInset : kInset + inner - 1 - caretX;
  if (align == IText::kAlignCenter)
    return (fieldWidth - textWidth) / 2;
  if (align == IText::kAlignFar)
    return fieldWidth - kInset - textWidth;
  return kInset;
}
}  // namespace

TextEntryField::TextEntryField(const IRECT& rect, const IText& style, const char* initial,
                               std::optional<TextEntryFilter> filter)
  : mRect(rect), mStyle(style), mText(initial ? initial : ""), mCaret(mText.size()), mAllSelected(!mText.empty()),
    mFilter(std::move(filter))
{
  mStyle.size = std::max(1, static_cast<int>(std::lround(kFontScale * style.size)));
  mStyle.cachedFont = nullptr;
}

TextEntryField::Outcome TextEntryField::HandleKey(unsigned long keysym, const char* typed)
{
  switch (keysym)
  {
    case XK_Return:
    case XK_KP_Enter:
      return Outcome::Commit;
    case XK_Escape:
      return Outcome::Cancel;
    default:
      break;
  }
  if (!MoveCaret(keysym) && !Erase(keysym))
    Insert(typed);
  return Outcome::Editing;
}

bool TextEntryField::MoveCaret(unsigned long keysym)
{
  switch (keysym)
  {
    case XK_Left:
    case XK_KP_Left:
      mCaret = mAllSelected ? 0 : PreviousCharacter(mCaret);
      break;
    case XK_Right:
    case XK_KP_Right:
      mCaret = mAllSelected ? mText.size() : NextCharacter(mCaret);
      break;
    case XK_Home:
    case XK_KP_Home:
      mCaret = 0;
      break;
    case XK_End:
    case XK_KP_End:
      mCaret = mText.size();
      break;
    default:
      return false;
  }
  mAllSelected = false;
  return true;
}

bool TextEntryField::Erase(unsigned long keysym)
{
  const bool backward = keysym == XK_BackSpace;
  if (!backward && keysym != XK_Delete && keysym != XK_KP_Delete)
    return false;
  if (mAllSelected)
  {
    mText.clear();
    mCaret = 0;
    mAllSelected = false;
    return true;
  }
  const size_t from = backward ? PreviousCharacter(mCaret) : mCaret;
  const size_t to = backward ? mCaret : NextCharacter(mCaret);
  mText.erase(from, to - from);
  mCaret = from;
  return true;
}

void TextEntryField::Insert(const char* typed)
{
  std::string insertion = typed ? typed : "";
  if (!LICE_Utf8::IsValid(insertion.data(), static_cast<int>(insertion.size())))
    insertion = Latin1ToUtf8(insertion);
  if (insertion.empty() || !IsPrintable(insertion))
    return;

  std::string candidate = mAllSelected ? std::string() : mText;
  const size_t at = mAllSelected ? 0 : mCaret;
  candidate.insert(at, insertion);
  if (mFilter && !mFilter->Accepts(candidate.c_str()))
    return;
  mText = std::move(candidate);
  mCaret = at + insertion.size();
  mAllSelected = false;
}

size_t TextEntryField::PreviousCharacter(size_t offset) const
{
  if (offset == 0)
    return 0;
  --offset;
  while (offset > 0 && IsContinuationByte(static_cast<unsigned char>(mText[offset])))
    --offset;
  return offset;
}

size_t TextEntryField::NextCharacter(size_t offset) const
{
  if (offset >= mText.size())
    return mText.size();
  ++offset;
  while (offset < mText.size() && IsContinuationByte(static_cast<unsigned char>(mText[offset])))
    ++offset;
  return offset;
}

void TextEntryField::Draw(LICE_IBitmap& surface) const
{
  const IRECT field = mRect.Intersection(IRECT(0, 0, surface.Width(), surface.Height()));
  if (field.W() <= 0 || field.H() <= 0)
    return;
  BitmapRegion region(surface, field);
  // Offsets of the whole field relative to its visible part, for fields partly off the surface.
  const int dx = mRect.L - field.L;
  const int dy = mRect.T - field.T;

  const LICE_pixel background = mStyle.entryBackground.ToPixel();
  const LICE_pixel foreground = mStyle.entryForeground.ToPixel();
  FillRect(&region, 0, 0, field.W(), field.H(), background, 1.0f, LICE_BLIT_MODE_COPY);

  LICE_CachedFont* font = FontCache::Instance().FontFor(mStyle);
  if (!font)
    return;
  const int textWidth = TextWidth(*font, mText, mText.size());
  const int caretX = TextWidth(*font, mText, mCaret);
  const int height = TextHeight(*font);
  const int left = dx + TextLeft(mRect.W(), mStyle.align, textWidth, caretX);
  const int top = dy + (mRect.H() - height) / 2;

  // A selection is shown inverted: the text in the background colour on the foreground.
  if (mAllSelected)
    FillRect(&region, left, top, textWidth, height, foreground, 1.0f, LICE_BLIT_MODE_COPY);
  const IColor& ink = mAllSelected ? mStyle.entryBackground : mStyle.entryForeground;
  font->SetTextColour(ink.ToPixel());
  LICE_RECT box{left, top, left + textWidth, top + height};
  const int alpha = ink.A < 255 ? LICE_DT_USEFGALPHA : 0;
  font->RenderText(&region, mText.c_str(), -1, &box, LICE_DT_LEFT | LICE_DT_NOCLIP | alpha);
  if (!mAllSelected)
    FillRect(&region, left + caretX, top, 1, height, foreground, 1.0f, LICE_BLIT_MODE_COPY);
}
