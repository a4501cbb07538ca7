#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "effect/ParamIndex.h"
#include "effect/TolvexVulcrax.h"

namespace {
std::string Display(const TolvexVulcrax& effect, int index)
{
  const IPlugParam& p = *effect.ParamAt(index);
  char out[IPlugParam::kDisplaySize];
  p.FormatValue(p.Value(), false, out, true);
  return out;
}

double DoubleAt(const StateChunk& chunk, int offset)
{
  double v = -1;
  chunk.ReadDouble(&v, offset);
  return v;
}
}  // namespace

TEST(TolvexVulcraxParams, DisplayTextsAndUnits)
{
  TolvexVulcrax effect;
  EXPECT_EQ("24", Display(effect, kLowBitRes));
  EXPECT_STREQ("bits", effect.ParamAt(kLowBitRes)->UnitLabelForHost());
  EXPECT_EQ("0.0", Display(effect, kLowLevel));
  EXPECT_STREQ("dB", effect.ParamAt(kLowLevel)->UnitLabelForHost());
  EXPECT_EQ("on", Display(effect, kLowSatBypass));
  EXPECT_STREQ("", effect.ParamAt(kLowSatBypass)->UnitLabelForHost());
  EXPECT_EQ("off", Display(effect, kOversample));
  EXPECT_EQ("100", Display(effect, kMidSatMix));
  EXPECT_EQ("250", Display(effect, kFreqLow));
  effect.ParamAt(kLowSatGain)->Assign(12.34);
  EXPECT_EQ("12.3", Display(effect, kLowSatGain));
}

TEST(TolvexVulcraxParams, CrossoverKnobsAreCurved)
{
  TolvexVulcrax effect;
  IPlugParam& low = *effect.ParamAt(kFreqLow);
  IPlugParam& high = *effect.ParamAt(kFreqHigh);
  low.SetFromNormalized(0.5);
  EXPECT_EQ(488.0, low.Value());
  high.SetFromNormalized(0.5);
  EXPECT_EQ(1773.0, high.Value());
  low.Assign(250.0);
  EXPECT_NEAR(0.400, low.Normalized(), 0.0005);
}

TEST(TolvexVulcraxParams, LevelsSpanMinus30To6Decibels)
{
  TolvexVulcrax effect;
  IPlugParam& level = *effect.ParamAt(kLowLevel);
  EXPECT_NEAR(30.0 / 36.0, level.Normalized(), 1e-12);
  level.SetFromNormalized(0.0);
  EXPECT_EQ(-30.0, level.Value());
  level.SetFromNormalized(1.0);
  EXPECT_EQ(6.0, level.Value());
}

// The 43 values of every version, then the extension: "TVX1", the record "PARM" with the
// quality, the closing record.
TEST(TolvexVulcraxParams, StateImageLayout)
{
  TolvexVulcrax effect;
  StateChunk image;
  ASSERT_TRUE(effect.SerializeState(&image));
  ASSERT_EQ(344 + 4 + 16 + 8, image.Size());
  EXPECT_EQ(100.0, DoubleAt(image, 0));
  EXPECT_EQ(24.0, DoubleAt(image, 64));
  EXPECT_EQ(250.0, DoubleAt(image, 8 * kFreqLow));
  EXPECT_EQ(1.0, DoubleAt(image, 8 * kMultiband));
  EXPECT_EQ(0.0, DoubleAt(image, 336));
  const std::string extension(reinterpret_cast<const char*>(image.Bytes()) + 344, 4 + 16 + 8);
  EXPECT_EQ(std::string("TVX1PARM\x08\0\0\0", 12), extension.substr(0, 12));
  EXPECT_EQ(static_cast<double>(kQualityClean), DoubleAt(image, 356));
  EXPECT_EQ(std::string("END \0\0\0\0", 8), extension.substr(20));
  ASSERT_EQ(image.Size(), effect.PresetAt(0)->image.Size());
  EXPECT_EQ(0, std::memcmp(image.Bytes(), effect.PresetAt(0)->image.Bytes(), image.Size()));
}

TEST(TolvexVulcraxParams, RestoringAnEightyByteImage)
{
  TolvexVulcrax effect;
  effect.ParamAt(kLowOddHarm)->Assign(40.0);
  effect.ParamAt(kMidSatGain)->Assign(20.0);
  StateChunk image;
  for (int i = 0; i < 10; ++i)
    image.AppendDouble(i == kLowBitRes ? 9.0 : 50.0);
  EXPECT_EQ(-1, effect.UnserializeState(&image, 0));
  EXPECT_EQ(50.0, effect.ParamAt(kLowSatMix)->Value());
  EXPECT_EQ(1.0, effect.ParamAt(kLowSatBypass)->Value());  // 50 clamped into 0..1
  EXPECT_EQ(9.0, effect.ParamAt(kLowBitRes)->Value());
  EXPECT_EQ(0.0, effect.ParamAt(kLowOddHarm)->Value());   // where the image ran out
  EXPECT_EQ(20.0, effect.ParamAt(kMidSatGain)->Value());  // untouched
  EXPECT_EQ(100.0, effect.ParamAt(kMidSatMix)->Value());
}

TEST(TolvexVulcraxParams, DefaultPresetRestoresEveryDefault)
{
  TolvexVulcrax effect;
  for (int i = 0; i < kNumParams; ++i)
    effect.ParamAt(i)->SetFromNormalized(0.37);
  EXPECT_TRUE(effect.LoadPreset(0));
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(effect.ParamAt(i)->Default(), effect.ParamAt(i)->Value()) << effect.ParamAt(i)->Name();
  EXPECT_FALSE(effect.LoadPreset(1));
  EXPECT_EQ(0, effect.CurrentPresetIndex());
}
