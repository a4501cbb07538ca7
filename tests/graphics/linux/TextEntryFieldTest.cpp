#include "graphics/linux/TextEntryField.h"

#include "graphics/lice/LICE_Draw.h"
#include "graphics/lice/LICE_MemBitmap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <vector>

namespace {
struct Key
{
  unsigned long keysym;
  const char* typed = nullptr;
};

// One key press per character, as XLookupString reports plain typing.
void Type(TextEntryField& field, const char* text)
{
  for (const char* c = text; *c; ++c)
  {
    const char typed[2] = {*c, '\0'};
    field.HandleKey(static_cast<unsigned char>(*c), typed);
  }
}

TEST(TextEntryFieldTest, TypingKeepsOnlyWhatTheFilterAccepts)
{
  struct Case
  {
    const char* name;
    std::optional<TextEntryFilter> filter;
    const char* initial;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
    {"signed decimal", TextEntryFilter(KindDouble, 7), "", "-12.5", "-12.5"},
    {"exponent refused at the e", TextEntryFilter(KindDouble, 7), "", "1e", "1"},
    {"typing goes on after a refusal", TextEntryFilter(KindDouble, 7), "", "1e3", "13"},
    {"whole numbers take no point", TextEntryFilter(KindInt, 7), "", "1.5", "15"},
    {"maximum length", TextEntryFilter(KindDouble, 7), "", "123456789", "1234567"},
    {"initial text is replaced", TextEntryFilter(KindDouble, 7), "-6.0", "3", "3"},
    {"no parameter takes any printable text", std::nullopt, "", "Hi there!", "Hi there!"},
    {"control characters are refused", std::nullopt, "",
     "a\x01\x7f"
     "b\t",
     "ab"},
    {"Latin-1 bytes become UTF-8", std::nullopt, "", "caf\xe9", "caf\xc3\xa9"},
  };
  for (const Case& c : cases)
  {
    TextEntryField field(IRECT(0, 0, 60, 16), IText(), c.initial, c.filter);
    Type(field, c.typed);
    EXPECT_EQ(field.Text(), c.expected) << c.name;
    EXPECT_EQ(field.Caret(), field.Text().size()) << c.name;
  }
}

TEST(TextEntryFieldTest, EditingKeysMoveTheCaretAndEraseWholeCharacters)
{
  struct Case
  {
    const char* name;
    const char* initial;
    std::vector<Key> keys;
    const char* expected;
    size_t caret;
  };
  const Case cases[] = {
    {"backspace at the end", "abc", {{XK_End}, {XK_BackSpace}}, "ab", 2},
    {"delete at the start", "abc", {{XK_Home}, {XK_Delete}}, "bc", 0},
    {"backspace after moving left", "abc", {{XK_End}, {XK_Left}, {XK_BackSpace}}, "ac", 1},
    {"insert in the middle", "abc", {{XK_End}, {XK_Left}, {XK_Left}, {'X', "X"}}, "aXbc", 2},
    {"keypad keys", "abc", {{XK_KP_Home}, {XK_KP_Right}, {XK_KP_Delete}}, "ac", 1},
    {"left ends the selection at its start", "abc", {{XK_Left}, {'X', "X"}}, "Xabc", 1},
    {"right ends the selection at its end", "abc", {{XK_Right}, {'X', "X"}}, "abcX", 4},
    {"erasing the selection empties the field", "abc", {{XK_Delete}}, "", 0},
    {"nothing left of the start", "abc", {{XK_Home}, {XK_Left}, {XK_BackSpace}}, "abc", 0},
    {"nothing right of the end", "abc", {{XK_End}, {XK_Right}, {XK_Delete}}, "abc", 3},
    {"a two-byte character is one step", "a\xc3\xa9z", {{XK_End}, {XK_Left}, {XK_BackSpace}}, "az", 1},
    {"moving over a two-byte character", "\xc3\xa9z", {{XK_Home}, {XK_Right}, {XK_Delete}}, "\xc3\xa9", 2},
    {"UTF-8 typed at once stays as it is", "", {{XK_eacute, "\xc3\xa9"}}, "\xc3\xa9", 2},
    {"an overlong form is read as Latin-1", "", {{XK_Agrave, "\xc0\xaf"}}, "\xc3\x80\xc2\xaf", 4},
  };
  for (const Case& c : cases)
  {
    TextEntryField field(IRECT(0, 0, 60, 16), IText(), c.initial, std::nullopt);
    for (const Key& key : c.keys)
      EXPECT_EQ(field.HandleKey(key.keysym, key.typed), TextEntryField::Outcome::Editing) << c.name;
    EXPECT_EQ(field.Text(), c.expected) << c.name;
    EXPECT_EQ(field.Caret(), c.caret) << c.name;
  }
}

TEST(TextEntryFieldTest, EnterCommitsAndEscapeCancelsWithoutTouchingTheText)
{
  const std::pair<unsigned long, TextEntryField::Outcome> cases[] = {
    {XK_Return, TextEntryField::Outcome::Commit},
    {XK_KP_Enter, TextEntryField::Outcome::Commit},
    {XK_Escape, TextEntryField::Outcome::Cancel},
  };
  for (const auto& [keysym, outcome] : cases)
  {
    TextEntryField field(IRECT(0, 0, 60, 16), IText(), "", TextEntryFilter(KindDouble, 7));
    Type(field, "-3");
    // XLookupString reports "\r" and "\x1b" for these keys; they are never inserted.
    EXPECT_EQ(field.HandleKey(keysym, keysym == XK_Escape ? "\x1b" : "\r"), outcome);
    EXPECT_EQ(field.Text(), "-3");
  }
}

class TextEntryFieldDrawTest : public ::testing::Test
{
protected:
  static constexpr LICE_pixel kUntouched = LICE_RGBA(1, 2, 3, 255);

  TextEntryFieldDrawTest() : surface(100, 40)
  {
    FillRect(&surface, 0, 0, 100, 40, kUntouched, 1.0f, LICE_BLIT_MODE_COPY);
    style.entryBackground = ColourRed;
    style.entryForeground = ColourBlue;
  }

  LICE_pixel At(int x, int y) { return surface.Bits()[y * surface.RowSpan() + x]; }

  int CountIn(const IRECT& r, LICE_pixel colour)
  {
    int count = 0;
    for (int y = r.T; y < r.B; ++y)
      for (int x = r.L; x < r.R; ++x)
        count += At(x, y) == colour;
    return count;
  }

  LICE_MemBitmap surface;
  IText style{12, ColourBlack};
};

TEST_F(TextEntryFieldDrawTest, TheFieldPaintsItsColoursInsideItsRectangleOnly)
{
  const IRECT rect(10, 10, 60, 30);
  TextEntryField field(rect, style, "-12.5", TextEntryFilter(KindDouble, 7));
  field.Draw(surface);
  // Selected initial text: an inverted box; after a key the text and caret are blue on red.
  EXPECT_GT(CountIn(rect, ColourBlue.ToPixel()), 20);
  field.HandleKey(XK_End, nullptr);
  field.Draw(surface);
  EXPECT_EQ(At(10, 10), ColourRed.ToPixel());
  EXPECT_EQ(At(59, 29), ColourRed.ToPixel());
  const int outside = 100 * 40 - rect.W() * rect.H();
  EXPECT_EQ(CountIn(IRECT(0, 0, 100, 40), kUntouched), outside);
  EXPECT_GT(CountIn(rect, ColourBlue.ToPixel()), 0);
  // An empty field still shows its caret.
  field.HandleKey(XK_Home, nullptr);
  for (int i = 0; i < 5; ++i)
    field.HandleKey(XK_Delete, nullptr);
  ASSERT_EQ(field.Text(), "");
  field.Draw(surface);
  EXPECT_GT(CountIn(rect, ColourBlue.ToPixel()), 3);
}

TEST_F(TextEntryFieldDrawTest, FieldsReachingPastTheSurfaceAreClipped)
{
  const IRECT rects[] = {IRECT(80, 30, 140, 60), IRECT(-30, -5, 20, 12), IRECT(200, 200, 260, 216)};
  for (const IRECT& rect : rects)
  {
    TextEntryField field(rect, style, "123456789012", std::nullopt);
    field.HandleKey(XK_End, nullptr);
    field.Draw(surface);
    const IRECT visible = rect.Intersection(IRECT(0, 0, 100, 40));
    const int area = visible.W() > 0 && visible.H() > 0 ? visible.W() * visible.H() : 0;
    EXPECT_EQ(CountIn(IRECT(0, 0, 100, 40), kUntouched), 100 * 40 - area);
    FillRect(&surface, 0, 0, 100, 40, kUntouched, 1.0f, LICE_BLIT_MODE_COPY);
  }
}

TEST_F(TextEntryFieldDrawTest, TheCaretStaysVisibleInTextWiderThanTheField)
{
  const IRECT rect(10, 10, 30, 30);
  TextEntryField field(rect, style, "1234567", std::nullopt);
  for (const unsigned long key : {XK_End, XK_Home})
  {
    field.HandleKey(key, nullptr);
    FillRect(&surface, 0, 0, 100, 40, kUntouched, 1.0f, LICE_BLIT_MODE_COPY);
    field.Draw(surface);
    // The caret is a full column of the foreground colour at the caret's side of the field.
    const IRECT side =
      key == XK_End ? IRECT(rect.R - 4, rect.T, rect.R, rect.B) : IRECT(rect.L, rect.T, rect.L + 4, rect.B);
    bool column = false;
    for (int x = side.L; x < side.R; ++x)
      column = column || CountIn(IRECT(x, rect.T + 5, x + 1, rect.B - 5), ColourBlue.ToPixel()) == rect.H() - 10;
    EXPECT_TRUE(column) << (key == XK_End ? "end" : "home");
  }
}
}  // namespace
