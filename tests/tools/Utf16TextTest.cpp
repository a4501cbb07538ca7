#include "tools/host/Utf16Text.h"

#include <gtest/gtest.h>

using Steinberg::char16;
using TvHost::Utf16ToUtf8;
using TvHost::Utf8ToUtf16;

TEST(Utf16Text, RoundTripsTextOutsideAscii)
{
  const std::string text = "Gain \xC2\xB0 \xE2\x82\xAC \xF0\x9F\x8E\xB8";  // degree, euro, guitar
  char16 wide[32];
  Utf8ToUtf16(text, wide, 32);
  EXPECT_EQ(wide[5], 0xB0);
  EXPECT_EQ(Utf16ToUtf8(wide, 32), text);
}

TEST(Utf16Text, CutsToCapacityWithoutSplittingPairs)
{
  char16 wide[4];
  Utf8ToUtf16("abcdef", wide, 4);
  EXPECT_EQ(Utf16ToUtf8(wide, 4), "abc");
  Utf8ToUtf16("ab\xF0\x9F\x8E\xB8", wide, 4);
  EXPECT_EQ(Utf16ToUtf8(wide, 4), "ab");
}

TEST(Utf16Text, BrokenInputBecomesReplacementCharacters)
{
  const char16 lone[] = {0xD800, 'x', 0};
  EXPECT_EQ(Utf16ToUtf8(lone, 3), "\xEF\xBF\xBDx");
  char16 wide[8];
  Utf8ToUtf16("\xC3(", wide, 8);
  EXPECT_EQ(wide[0], 0xFFFD);
  EXPECT_EQ(wide[1], '(');
  // Text without terminator stops at maxUnits.
  const char16 unterminated[] = {'a', 'b', 'c'};
  EXPECT_EQ(Utf16ToUtf8(unterminated, 2), "ab");
}
