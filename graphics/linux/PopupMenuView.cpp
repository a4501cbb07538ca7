#include "graphics/linux/PopupMenuView.h"

#include "graphics/FontCache.h"
#include "graphics/IText.h"
#include "graphics/lice/LICE_CachedFont.h"
#include "graphics/lice/LICE_Draw.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kBorder = 1;
constexpr int kRowHeight = 20;
constexpr int kSeparatorHeight = 9;
constexpr int kCheckGutter = 22;
constexpr int kArrowGutter = 22;
constexpr int kTitleIndent = 12;
constexpr int kMinWidth = 100;
constexpr int kFontSize = 13;

constexpr IColor kBackground(255, 242, 242, 242);
constexpr IColor kFrame(255, 120, 120, 120);
constexpr IColor kText = ColourBlack;
constexpr IColor kDisabledText(255, 150, 150, 150);
constexpr IColor kHighlight(255, 52, 101, 164);
constexpr IColor kHighlightText = ColourWhite;
constexpr IColor kSeparator(255, 200, 200, 200);

const char* const kPrefixFormats[] = {"", "%1d: ", "%02d: ", "%03d: "};

bool IsSeparator(const IPopupMenu::Item& item)
{
  return (item.Flags() & IPopupMenu::kSeparator) != 0;
}

LICE_IFont* MenuFont()
{
  return FontCache::Instance().FontFor(IText(kFontSize, kText));
}

int LabelWidth(const std::string& label)
{
  LICE_IFont* font = MenuFont();
  if (!font)
    return 0;
  LICE_RECT box{0, 0, 0, 0};
  font->RenderText(nullptr, label.c_str(), -1, &box, LICE_DT_CALCRECT);
  return box.right - box.left;
}

int TextIndent(const IPopupMenu::Item& item)
{
  return kBorder + kCheckGutter + ((item.Flags() & IPopupMenu::kTitle) ? kTitleIndent : 0);
}

void Fill(LICE_IBitmap& bitmap, const IRECT& r, const IColor& colour)
{
  FillRect(&bitmap, r.L, r.T, r.W(), r.H(), colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
}

void DrawCheckMark(LICE_IBitmap& bitmap, const IRECT& row, const IColor& colour)
{
  const float x = static_cast<float>(row.L + kBorder + 6);
  const float y = static_cast<float>(row.T + row.H() / 2);
  for (int thick = 0; thick < 2; ++thick)
  {
    DrawLine(&bitmap, x, y + thick, x + 3, y + 3 + thick, colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY, true);
    DrawLine(&bitmap, x + 3, y + 3 + thick, x + 9, y - 4 + thick, colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY, true);
  }
}

void DrawSubmenuArrow(LICE_IBitmap& bitmap, const IRECT& row, const IColor& colour)
{
  const int x = row.R - kBorder - kArrowGutter / 2 - 2;
  const int y = row.T + row.H() / 2;
  FillTriangle(&bitmap, x, y - 4, x, y + 4, x + 4, y, colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
}
}  // namespace

PopupMenuView::PopupMenuView(IPopupMenu& menu) : mMenu(&menu)
{
  int widest = 0;
  int y = kBorder;
  for (int i = 0; i < menu.ItemCount(); ++i)
  {
    const IPopupMenu::Item& item = *menu.ItemAt(i);
    const int height = IsSeparator(item) ? kSeparatorHeight : kRowHeight;
    mRows.emplace_back(kBorder, y, 0, y + height);
    y += height;
    if (!IsSeparator(item))
      widest = std::max(widest, TextIndent(item) + LabelWidth(Label(menu, i)));
  }
  mWidth = std::max(kMinWidth, widest + kArrowGutter + kBorder);
  mHeight = y + kBorder;
  for (IRECT& row : mRows)
    row.R = mWidth - kBorder;
}

IRECT PopupMenuView::ItemRect(int index) const
{
  return index >= 0 && index < ItemCount() ? mRows[index] : IRECT();
}

int PopupMenuView::ItemAt(int x, int y) const
{
  for (int i = 0; i < ItemCount(); ++i)
    if (mRows[i].Contains(x, y))
      return IsSeparator(*mMenu->ItemAt(i)) ? -1 : i;
  return -1;
}

bool PopupMenuView::IsSelectable(int index) const
{
  const IPopupMenu::Item* item = mMenu->ItemAt(index);
  return item && !IsSeparator(*item) && !(item->Flags() & IPopupMenu::kDisabled);
}

bool PopupMenuView::IsChoosable(int index) const
{
  return IsSelectable(index) && !mMenu->ItemAt(index)->Submenu();
}

bool PopupMenuView::OpensSubmenu(int index) const
{
  return IsSelectable(index) && mMenu->ItemAt(index)->Submenu();
}

int PopupMenuView::NextSelectable(int from, int step) const
{
  const int count = ItemCount();
  if (count == 0)
    return -1;
  int index = from < 0 ? (step > 0 ? count - 1 : 0) : from;
  for (int tried = 0; tried < count; ++tried)
  {
    index = (index + step + count) % count;
    if (IsSelectable(index))
      return index;
  }
  return -1;
}

std::string PopupMenuView::Label(const IPopupMenu& menu, int index)
{
  const int prefix = menu.Prefix();
  std::string label;
  if (prefix > IPopupMenu::kPrefixNone && prefix <= IPopupMenu::kPrefixThreeDigits)
  {
    char number[32];
    std::snprintf(number, sizeof(number), kPrefixFormats[prefix], index + 1);
    label = number;
  }
  return label + menu.ItemText(index);
}

void PopupMenuView::Draw(LICE_IBitmap& bitmap, int highlighted) const
{
  Fill(bitmap, IRECT(0, 0, mWidth, mHeight), kFrame);
  Fill(bitmap, IRECT(kBorder, kBorder, mWidth - kBorder, mHeight - kBorder), kBackground);
  for (int i = 0; i < ItemCount(); ++i)
    DrawItem(bitmap, i, i == highlighted && IsSelectable(i));
}

void PopupMenuView::DrawItem(LICE_IBitmap& bitmap, int index, bool highlighted) const
{
  const IRECT& row = mRows[index];
  const IPopupMenu::Item& item = *mMenu->ItemAt(index);
  if (IsSeparator(item))
  {
    Fill(bitmap, IRECT(row.L + 4, row.T + row.H() / 2, row.R - 4, row.T + row.H() / 2 + 1), kSeparator);
    return;
  }
  if (highlighted)
    Fill(bitmap, row, kHighlight);
  const IColor& ink = highlighted ? kHighlightText : IsSelectable(index) ? kText : kDisabledText;
  if (item.Checked())
    DrawCheckMark(bitmap, row, ink);
  if (item.Submenu())
    DrawSubmenuArrow(bitmap, row, ink);

  LICE_IFont* font = MenuFont();
  if (!font)
    return;
  LICE_RECT box{0, 0, 0, 0};
  const std::string label = Label(*mMenu, index);
  const int height = font->RenderText(nullptr, label.c_str(), -1, &box, LICE_DT_CALCRECT);
  font->SetTextColour(ink.ToPixel());
  LICE_RECT place{TextIndent(item), row.T + (row.H() - height) / 2, row.R - kArrowGutter, row.B};
  font->RenderText(&bitmap, label.c_str(), -1, &place, LICE_DT_LEFT);
}
