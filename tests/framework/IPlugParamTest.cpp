#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "framework/IPlugParam.h"

namespace {
std::string Format(const IPlugParam& p, double value, bool normalized = false, bool useTexts = true)
{
  char out[IPlugParam::kDisplaySize];
  p.FormatValue(value, normalized, out, useTexts);
  return out;
}

double Max(const IPlugParam& p)
{
  double lo = 0, hi = 0;
  p.Limits(&lo, &hi);
  return hi;
}
}  // namespace

TEST(IPlugParam, BoolIsSteppedInTenthsAndShowsOnOff)
{
  IPlugParam p;
  p.DefineBool("Switch", true);
  EXPECT_EQ(1.0, p.Value());
  EXPECT_EQ(0.1, p.Step());
  EXPECT_EQ(1, p.Decimals());
  EXPECT_EQ("on", Format(p, 1.0));
  EXPECT_EQ("off", Format(p, 0.3));
  EXPECT_STREQ("", p.UnitLabelForHost());
  p.SetFromNormalized(0.33);
  EXPECT_NEAR(0.3, p.Value(), 1e-12);
  EXPECT_FALSE(p.BoolValue());
  p.Assign(0.5);
  EXPECT_TRUE(p.BoolValue());
  double v = -1.0;
  EXPECT_TRUE(p.ValueForText("on", &v));
  EXPECT_EQ(1.0, v);
  EXPECT_FALSE(p.ValueForText("On", &v));
}

TEST(IPlugParam, DefinitionWidensEmptyRangesAndKeepsTheFirstKind)
{
  IPlugParam e, i, d;
  e.DefineEnum("Enum", 0, 1);
  i.DefineInt("Int", 5, 5, 5);
  d.DefineDouble("Double", 2.0, 2.0, 1.0, 0.5, 0.0);
  EXPECT_EQ(0.1, Max(e));
  EXPECT_EQ(6.0, Max(i));
  EXPECT_EQ(2.5, Max(d));
  EXPECT_EQ(1.0, d.CurveExponent());  // exponent 0 keeps the previous one

  i.DefineDouble("Redefined", 1.0, 0.0, 20.0, 0.5, 2.0);
  EXPECT_EQ(KindInt, i.Kind());
  EXPECT_EQ(20.0, Max(i));
}

TEST(IPlugParam, DecimalsFollowTheStep)
{
  const double steps[] = {1.0, 0.1, 0.01, 0.25, 5.0, 1e-7};
  const int decimals[] = {0, 1, 2, 2, 0, 6};
  for (int k = 0; k < 6; ++k)
  {
    IPlugParam p;
    p.DefineDouble("D", 0.0, 0.0, 10.0, steps[k], 1.0);
    EXPECT_EQ(decimals[k], p.Decimals()) << "step " << steps[k];
  }
}

TEST(IPlugParam, TextsAreCutTo31Characters)
{
  const std::string longText(80, 'x');
  IPlugParam p;
  p.DefineEnum(longText.c_str(), 0, 3, longText.c_str(), longText.c_str());
  p.AddValueText(2, longText.c_str());
  const std::string cut(31, 'x');
  EXPECT_EQ(cut, p.Name());
  EXPECT_EQ(cut, p.UnitLabel());
  EXPECT_EQ(cut, p.GroupName());
  EXPECT_EQ(cut, p.ValueTextFor(2));
}

TEST(IPlugParam, QuantisationDependsOnKindAndStep)
{
  IPlugParam bits, whole, tenths;
  bits.DefineInt("Bits", 24, 4, 24);
  whole.DefineDouble("Mix", 0.0, 0.0, 100.0, 1.0, 1.0);
  tenths.DefineDouble("Mix", 0.0, 0.0, 100.0, 0.1, 1.0);
  bits.SetFromNormalized(0.33);
  whole.SetFromNormalized(0.505);
  tenths.SetFromNormalized(0.505);
  EXPECT_EQ(11, bits.IntValue());
  EXPECT_EQ(51.0, whole.Value());            // step 1: halves away from zero
  EXPECT_NEAR(50.5, tenths.Value(), 1e-12);  // other steps move freely
}

TEST(IPlugParam, CurvedNormalisation)
{
  IPlugParam p;
  p.DefineInt("Freq", 250, 50, 5000);
  p.SetCurveExponent(3.5);
  EXPECT_NEAR(0.400, p.Normalized(), 0.0005);
  p.SetFromNormalized(0.5);
  EXPECT_EQ(488.0, p.Value());
  EXPECT_EQ(0.0, p.ToNormalized(-100.0));
  EXPECT_EQ(1.0, p.ToNormalized(1e9));
}

TEST(IPlugParam, ValuesStayFiniteAndInsideTheRange)
{
  IPlugParam p;
  p.DefineDouble("Level", -3.0, -30.0, 6.0, 0.1, 3.5);
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()})
  {
    p.Assign(bad);
    p.SetFromNormalized(bad);
    EXPECT_EQ(-3.0, p.Value());
  }
  p.Assign(150.0);
  EXPECT_EQ(6.0, p.Value());
  p.Assign(-50.0);
  EXPECT_EQ(-30.0, p.Value());
  p.SetFromNormalized(1.7);
  EXPECT_EQ(6.0, p.Value());
  p.SetFromNormalized(-0.5);  // would be NaN through the curve
  EXPECT_EQ(-30.0, p.Value());
}

TEST(IPlugParam, NumericDisplay)
{
  IPlugParam level, mix;
  level.DefineDouble("Level", 0.0, -30.0, 6.0, 0.1, 1.0, "dB");
  mix.DefineDouble("Mix", 0.0, 0.0, 100.0, 1.0, 1.0, "%");
  EXPECT_EQ("-30.0", Format(level, -30.0));
  EXPECT_EQ("12.3", Format(level, 12.3456));
  EXPECT_EQ("6.0", Format(level, 1.0, true));
  EXPECT_EQ("23", Format(mix, 23.9));
  EXPECT_STREQ("%", mix.UnitLabelForHost());
  mix.SetNegateDisplay(true);
  EXPECT_EQ("-23", Format(mix, 23.9));
  EXPECT_FALSE(Format(mix, 1e30).empty());  // beyond the int range, still defined
}

TEST(IPlugParam, ValueTextsReplaceNumbersOnlyWhenAskedAndNotEmpty)
{
  IPlugParam p;
  p.DefineEnum("Mode", 0, 3, "x");
  p.AddValueText(0, "Soft");
  p.AddValueText(1, "");
  p.AddValueText(0, "Duplicate");
  EXPECT_EQ("Soft", Format(p, 0.7));
  EXPECT_EQ("0.7", Format(p, 0.7, false, false));
  EXPECT_EQ("1.0", Format(p, 1.0));
  EXPECT_STREQ("", p.UnitLabelForHost());
  p.Assign(2.0);
  EXPECT_STREQ("x", p.UnitLabelForHost());
}
