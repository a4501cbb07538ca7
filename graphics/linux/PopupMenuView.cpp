#include "graphics/linux/PopupMenuView.h"

#include "framework/EditorScale.h"
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

void Fill(LICE_IBitmap& bitmap, const IRECT& r, const IColor& colour)
{
  FillRect(&bitmap, r.L, r.T, r.W(), r.H(), colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
}
}  // namespace

PopupMenuView::PopupMenuView(IPopupMenu& menu, double scale) : mMenu(&menu), mScale(scale)
{
  int widest = 0;
  int y = Px(kBorder);
  for (int i = 0; i < menu.ItemCount(); ++i)
  {
    const IPopupMenu::Item& item = *menu.ItemAt(i);
    const int height = Px(IsSeparator(item) ? kSeparatorHeight : kRowHeight);
    mRows.emplace_back(Px(kBorder), y, 0, y + height);
    y += height;
    if (!IsSeparator(item))
      widest = std::max(widest, TextIndent(item) + LabelWidth(Label(menu, i)));
  }
  mWidth = std::max(Px(kMinWidth), widest + Px(kArrowGutter) + Px(kBorder));
  mHeight = y + Px(kBorder);
  for (IRECT& row : mRows)
    row.R = mWidth - Px(kBorder);
}

int PopupMenuView::Px(int pixels) const
{
  return EditorScale::LayoutToWindow(pixels, mScale);
}

LICE_IFont* PopupMenuView::Font() const
{
  return FontCache::Instance().FontFor(IText(Px(kFontSize), kText));
}

int PopupMenuView::LabelWidth(const std::string& label) const
{
  LICE_IFont* font = Font();
  if (!font)
    return 0;
  LICE_RECT box{0, 0, 0, 0};
  font->RenderText(nullptr, label.c_str(), -1, &box, LICE_DT_CALCRECT);
  return box.right - box.left;
}

int PopupMenuView::TextIndent(const IPopupMenu::Item& item) const
{
  return Px(kBorder) + Px(kCheckGutter) + ((item.Flags() & IPopupMenu::kTitle) ? Px(kTitleIndent) : 0);
}

void PopupMenuView::DrawCheckMark(LICE_IBitmap& bitmap, const IRECT& row, const IColor& colour) const
{
  const float x = static_cast<float>(row.L + Px(kBorder) + Px(6));
  const float y = static_cast<float>(row.T + row.H() / 2);
  const float unit = static_cast<float>(mScale);
  for (int thick = 0; thick < Px(2); ++thick)
  {
    DrawLine(&bitmap, x, y + thick, x + 3 * unit, y + (3 * unit) + thick, colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY,
             true);
    DrawLine(&bitmap, x + 3 * unit, y + (3 * unit) + thick, x + 9 * unit, y - (4 * unit) + thick, colour.ToPixel(),
             1.0f, LICE_BLIT_MODE_COPY, true);
  }
}

void PopupMenuView::DrawSubmenuArrow(LICE_IBitmap& bitmap, const IRECT& row, const IColor& colour) const
{
  const int x = row.R - Px(kBorder) - Px(kArrowGutter) / 2 - Px(2);
  const int y = row.T + row.H() / 2;
  FillTriangle(&bitmap, x, y - Px(4), x, y + Px(4), x + Px(4), y, colour.ToPixel(), 1.0f, LICE_BLIT_MODE_COPY);
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
  const int border = Px(kBorder);
  Fill(bitmap, IRECT(border, border, mWidth - border, mHeight - border), kBackground);
  for (int i = 0; i < ItemCount(); ++i)
    DrawItem(bitmap, i, i == highlighted && IsSelectable(i));
}

void PopupMenuView::DrawItem(LICE_IBitmap& bitmap, int index, bool highlighted) const
{
  const IRECT& row = mRows[index];
  const IPopupMenu::Item& item = *mMenu->ItemAt(index);
  if (IsSeparator(item))
  {
    const int middle = row.T + row.H() / 2;
    Fill(bitmap, IRECT(row.L + Px(4), middle, row.R - Px(4), middle + Px(1)), kSeparator);
    return;
  }
  if (highlighted)
    Fill(bitmap, row, kHighlight);
  const IColor& ink = highlighted ? kHighlightText : IsSelectable(index) ? kText : kDisabledText;
  if (item.Checked())
    DrawCheckMark(bitmap, row, ink);
  if (item.Submenu())
    DrawSubmenuArrow(bitmap, row, ink);

  LICE_IFont* font = Font();
  if (!font)
    return;
  LICE_RECT box{0, 0, 0, 0};
  const std::string label = Label(*mMenu, index);
  const int height = font->RenderText(nullptr, label.c_str(), -1, &box, LICE_DT_CALCRECT);
  font->SetTextColour(ink.ToPixel());
  LICE_RECT place{TextIndent(item), row.T + (row.H() - height) / 2, row.R - Px(kArrowGutter), row.B};
  font->RenderText(&bitmap, label.c_str(), -1, &place, LICE_DT_LEFT);
}
