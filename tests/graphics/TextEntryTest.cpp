#include "EditorFixture.h"

#include "graphics/TextEntryFilter.h"
#include "graphics/controls/ISwitchControl.h"

namespace {
class TextEntryTest : public EditorFixture
{
protected:
  void SetUp() override
  {
    control = new ISwitchControl(&plug, 10, 10, RecordingPlug::kGain, MakeStrip(*graphics, 20, 10, 2));
    graphics->AddControl(control);
    Attach();
  }

  double Typed(int paramIdx, const char* text)
  {
    graphics->ApplyTextEntryResult(control, plug.ParamAt(paramIdx), text);
    return control->Value();
  }

  ISwitchControl* control = nullptr;
};

TEST_F(TextEntryTest, TypedNumbersAreNormalisedAndClampedToTheRange)
{
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kGain, "25"), 0.25);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kGain, "12.5 %"), 0.125);  // the leading number counts
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kGain, "250"), 1.0);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kGain, "abc"), 0.0);
  // Only decimal numbers are read: hexadecimal, infinities and NaN have no leading number.
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kGain, "0x20"), 0.0);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kGain, " 3e1"), 0.3);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kLevel, "-inf"), 0.5);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kLevel, "infinity"), 0.5);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kLevel, "-12"), 0.25);
  EXPECT_EQ(plug.calls.back(), "set 0 0.2500");
}

TEST_F(TextEntryTest, NegatedDisplaysAreNegatedBack)
{
  plug.ParamAt(RecordingPlug::kLevel)->SetNegateDisplay(true);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kLevel, "12"), 0.25);
}

TEST_F(TextEntryTest, ListParametersMatchTheirValueTextsExactly)
{
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kMode, "Fold"), 1.0);
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kMode, "fold"), 0.0);  // case matters; no match is value 0
  EXPECT_DOUBLE_EQ(Typed(RecordingPlug::kBypass, "on"), 1.0);
}

TEST_F(TextEntryTest, MissingArgumentsAreIgnored)
{
  graphics->ApplyTextEntryResult(control, nullptr, "10");
  graphics->PromptForParamInput(nullptr, plug.ParamAt(0), &control->Rect());
  graphics->PromptForParamInput(control, nullptr, &control->Rect());
  graphics->PromptForParamInput(control, plug.ParamAt(0), nullptr);
  EXPECT_FALSE(graphics->TextEntryOpen());
  EXPECT_TRUE(plug.calls.empty());
}

TEST_F(TextEntryTest, IntegerParametersPromptWithAWholeNumber)
{
  graphics->PromptForParamInput(control, plug.ParamAt(RecordingPlug::kBits), &control->Rect());
  ASSERT_TRUE(graphics->TextEntryOpen());
  EXPECT_EQ(graphics->TextEntry().initial, "16");
  // The field refuses what its filter does not accept and stays open.
  EXPECT_FALSE(graphics->FinishTextEntry("1.5"));
  EXPECT_TRUE(graphics->TextEntryOpen());
  // A second request while typing is ignored.
  graphics->PromptForParamInput(control, plug.ParamAt(RecordingPlug::kGain), &control->Rect());
  EXPECT_EQ(graphics->TextEntry().param, plug.ParamAt(RecordingPlug::kBits));
  EXPECT_TRUE(graphics->FinishTextEntry("24"));
  EXPECT_FALSE(graphics->TextEntryOpen());
  EXPECT_DOUBLE_EQ(control->Value(), 1.0);
}

TEST(TextEntryFilterTest, AcceptsOnlyNumberCharactersUpToTheLength)
{
  const TextEntryFilter continuous(KindDouble, 7);
  EXPECT_TRUE(continuous.Accepts("-12.5"));
  EXPECT_TRUE(continuous.Accepts(""));
  EXPECT_FALSE(continuous.Accepts("1e3"));
  EXPECT_TRUE(continuous.Accepts("1234567"));
  EXPECT_FALSE(continuous.Accepts("12345678"));

  const TextEntryFilter whole(KindInt, 7);
  EXPECT_TRUE(whole.Accepts("+42"));
  EXPECT_FALSE(whole.Accepts("4.2"));
  EXPECT_TRUE(TextEntryFilter(KindEnum, 0).Accepts("123456789012"));
}
}  // namespace
