#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "framework/IPlugParam.h"

namespace
{
std::string Format(const IPlugParam& p, double value, bool normalized = false, bool useTexts = true)
{
  char out[IPlugParam::kDisplaySize];
  p.FormatValue(value, normalized, out, useTexts);
  return out;
}

double Lo(const IPlugParam& p)
{
  double lo = 0, hi = 0;
  p.Limits(&lo, &hi);
  return lo;
}

double Hi(const IPlugParam& p)
{
  double lo = 0, hi = 0;
  p.Limits(&lo, &hi);
  return hi;
}
}  // namespace

TEST(IPlugParamDefinition, BoolHasTenthStepsAndOnOffTexts)
{
  IPlugParam p;
  p.DefineBool("Switch", true);
  EXPECT_EQ(KindBool, p.Kind());
  EXPECT_EQ(1.0, p.Value());
  EXPECT_EQ(0.0, Lo(p));
  EXPECT_EQ(1.0, Hi(p));
  EXPECT_EQ(0.1, p.Step());
  EXPECT_EQ(1, p.Decimals());
  ASSERT_EQ(2, p.ValueTextCount());
  int value = -1;
  EXPECT_STREQ("off", p.ValueTextAt(0, &value));
  EXPECT_EQ(0, value);
  EXPECT_STREQ("on", p.ValueTextAt(1, &value));
  EXPECT_EQ(1, value);
  EXPECT_EQ("on", Format(p, 1.0));
  EXPECT_EQ("off", Format(p, 0.3));
  EXPECT_STREQ("", p.UnitLabelForHost());
}

TEST(IPlugParamDefinition, RangesThatWouldBeEmptyAreWidened)
{
  IPlugParam e;
  e.DefineEnum("Enum", 0, 1);
  EXPECT_EQ(0.1, Hi(e));
  IPlugParam i;
  i.DefineInt("Int", 5, 5, 5);
  EXPECT_EQ(6.0, Hi(i));
  IPlugParam d;
  d.DefineDouble("Double", 2.0, 2.0, 1.0, 0.5, 1.0);
  EXPECT_EQ(2.5, Hi(d));
  EXPECT_GT(d.Normalized(), -1.0);  // no division by zero
}

TEST(IPlugParamDefinition, DecimalsFollowTheStep)
{
  const struct
  {
    double step;
    int decimals;
  } cases[] = {{1.0, 0}, {0.1, 1}, {0.01, 2}, {0.25, 2}, {5.0, 0}, {0.001, 3}, {1e-7, 6}};
  for (const auto& c : cases)
  {
    IPlugParam p;
    p.DefineDouble("D", 0.0, 0.0, 10.0, c.step, 1.0);
    EXPECT_EQ(c.decimals, p.Decimals()) << "step " << c.step;
  }
}

TEST(IPlugParamDefinition, KindIsSetOnceAndZeroExponentKeepsThePreviousOne)
{
  IPlugParam p;
  p.DefineInt("Int", 1, 0, 10);
  p.SetCurveExponent(2.0);
  p.DefineDouble("Now double", 1.0, 0.0, 20.0, 0.5, 0.0);
  EXPECT_EQ(KindInt, p.Kind());
  EXPECT_EQ(20.0, Hi(p));
  EXPECT_EQ(2.0, p.CurveExponent());
  p.SetCurveExponent(0.0);
  EXPECT_EQ(2.0, p.CurveExponent());

  IPlugParam fresh;
  fresh.DefineDouble("D", 0.0, 0.0, 1.0, 0.1, 0.0);
  EXPECT_EQ(1.0, fresh.CurveExponent());
}

TEST(IPlugParamDefinition, TextsAreCutTo31Characters)
{
  const std::string longText(80, 'x');
  IPlugParam p;
  p.DefineEnum(longText.c_str(), 0, 3, longText.c_str(), longText.c_str());
  p.AddValueText(2, longText.c_str());
  EXPECT_EQ(std::string(31, 'x'), p.Name());
  EXPECT_EQ(std::string(31, 'x'), p.UnitLabel());
  EXPECT_EQ(std::string(31, 'x'), p.GroupName());
  EXPECT_EQ(std::string(31, 'x'), p.ValueTextFor(2));
}

TEST(IPlugParamQuantisation, NonDoubleKindsRoundToWholeSteps)
{
  IPlugParam b;
  b.DefineBool("B", false);
  b.SetFromNormalized(0.33);
  EXPECT_NEAR(0.3, b.Value(), 1e-12);
  EXPECT_FALSE(b.BoolValue());
  b.Assign(0.5);
  EXPECT_TRUE(b.BoolValue());

  IPlugParam i;
  i.DefineInt("Bits", 24, 4, 24);
  i.SetFromNormalized(0.33);
  EXPECT_EQ(11.0, i.Value());
  EXPECT_EQ(11, i.IntValue());
}

TEST(IPlugParamQuantisation, DoubleRoundsOnlyWithStepOne)
{
  IPlugParam whole;
  whole.DefineDouble("Mix", 0.0, 0.0, 100.0, 1.0, 1.0);
  whole.SetFromNormalized(0.505);
  EXPECT_EQ(51.0, whole.Value());

  IPlugParam tenths;
  tenths.DefineDouble("Mix", 0.0, 0.0, 100.0, 0.1, 1.0);
  tenths.SetFromNormalized(0.505);
  EXPECT_NEAR(50.5, tenths.Value(), 1e-12);
}

TEST(IPlugParamQuantisation, SetFromNormalizedStaysInsideTheRange)
{
  IPlugParam p;
  p.DefineDouble("P", 10.0, 0.0, 100.0, 0.1, 3.5);
  p.SetFromNormalized(1.7);
  EXPECT_EQ(100.0, p.Value());
  p.SetFromNormalized(-0.5);  // would give NaN through the curve
  EXPECT_EQ(0.0, p.Value());
}

TEST(IPlugParamNormalisation, CurveGivesTheLowEndMoreTravel)
{
  IPlugParam p;
  p.DefineInt("Freq", 250, 50, 5000);
  p.SetCurveExponent(3.5);
  EXPECT_NEAR(0.400, p.Normalized(), 0.0005);
  EXPECT_NEAR(std::pow(200.0 / 4950.0, 1.0 / 3.5), p.ToNormalized(250.0), 1e-12);
  p.SetFromNormalized(0.5);
  EXPECT_EQ(488.0, p.Value());
  EXPECT_EQ(0.0, p.ToNormalized(-100.0));
  EXPECT_EQ(1.0, p.ToNormalized(1e9));
}

TEST(IPlugParamNormalisation, AssignClamps)
{
  IPlugParam p;
  p.DefineDouble("Mix", 50.0, 0.0, 100.0, 1.0, 1.0);
  p.Assign(150.0);
  EXPECT_EQ(100.0, p.Value());
  p.Assign(-5.0);
  EXPECT_EQ(0.0, p.Value());
}

TEST(IPlugParamNormalisation, NonFiniteInputLeavesTheValue)
{
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  IPlugParam p;
  p.DefineDouble("Level", -3.0, -30.0, 6.0, 0.1, 1.0);
  for (double v : bad)
  {
    p.Assign(v);
    EXPECT_EQ(-3.0, p.Value());
    p.SetFromNormalized(v);
    EXPECT_EQ(-3.0, p.Value());
  }
  EXPECT_EQ(0.0, p.ToNormalized(bad[0]));
}

TEST(IPlugParamDisplay, FormatsWithDecimalsOrTruncated)
{
  IPlugParam level;
  level.DefineDouble("Level", 0.0, -30.0, 6.0, 0.1, 1.0, "dB");
  EXPECT_EQ("-30.0", Format(level, -30.0));
  EXPECT_EQ("12.3", Format(level, 12.3456));
  EXPECT_EQ("-30.0", Format(level, 0.0, true));
  EXPECT_EQ("6.0", Format(level, 1.0, true));
  EXPECT_STREQ("dB", level.UnitLabelForHost());

  IPlugParam mix;
  mix.DefineDouble("Mix", 0.0, 0.0, 100.0, 1.0, 1.0, "%");
  EXPECT_EQ("23", Format(mix, 23.9));
  EXPECT_EQ("-23", Format(mix, -23.9));
  EXPECT_STREQ("%", mix.UnitLabelForHost());
  mix.SetNegateDisplay(true);
  EXPECT_EQ("-23", Format(mix, 23.9));
  // Values far outside the int range still format without overflow.
  EXPECT_FALSE(Format(mix, 1e30).empty());
}

TEST(IPlugParamDisplay, ValueTextsReplaceNumbersOnlyWhenAskedAndNotEmpty)
{
  IPlugParam p;
  p.DefineEnum("Mode", 0, 3, "x");
  p.AddValueText(0, "Soft");
  p.AddValueText(1, "");
  p.AddValueText(0, "Duplicate");
  EXPECT_EQ("Soft", Format(p, 0.7));
  EXPECT_EQ("0.7", Format(p, 0.7, false, false));
  EXPECT_EQ("1.0", Format(p, 1.0));  // empty text falls back to the number
  EXPECT_STREQ("Soft", p.ValueTextFor(0));
  EXPECT_STREQ("", p.ValueTextFor(2));
  EXPECT_STREQ("", p.UnitLabelForHost());
  p.Assign(2.0);
  EXPECT_STREQ("x", p.UnitLabelForHost());
}

TEST(IPlugParamDisplay, ValueForTextIsExactAndCaseSensitive)
{
  IPlugParam p;
  p.DefineBool("B", false);
  double v = -1.0;
  EXPECT_TRUE(p.ValueForText("on", &v));
  EXPECT_EQ(1.0, v);
  v = -1.0;
  EXPECT_FALSE(p.ValueForText("On", &v));
  EXPECT_EQ(-1.0, v);
  EXPECT_FALSE(p.ValueForText(nullptr, &v));
  IPlugParam none;
  none.DefineInt("I", 0, 0, 3);
  EXPECT_FALSE(none.ValueForText("on", &v));
}

TEST(IPlugParamValues, GainFromDecibels)
{
  IPlugParam p;
  p.DefineDouble("Level", 0.0, -30.0, 6.0, 0.1, 1.0);
  EXPECT_DOUBLE_EQ(1.0, p.GainFromDecibels());
  p.Assign(6.0);
  EXPECT_NEAR(1.9953, p.GainFromDecibels(), 1e-4);
}
