#include <string>

#include <gtest/gtest.h>

#include "effect/ParamIndex.h"
#include "effect/PluginIdentity.h"
#include "effect/TolvexVulcrax.h"

namespace {
struct Row
{
  int index;
  const char* name;
  ParamKind kind;
  double minValue;
  double maxValue;
  double defaultValue;
  double step;
  const char* unit;
  double curve;
  int decimals;
};

// The parameter table as a host sees it.
const Row kTable[] = {
  {kLowSatMix, "Low Sat. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kLowSatBypass, "Low Sat Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kLowBitRedMix, "Low Bit Red. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kLowBitRedBypass, "Low Bit Red. Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kLowExcMix, "Low Exc. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kLowExcBypass, "Low Exc. Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kLowSatGain, "Low Sat. Gain", KindDouble, 0, 60, 0, 0.1, "dB", 1, 1},
  {kLowDcOffset, "Low DC Offset", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kLowBitRes, "Low Bit res.", KindInt, 4, 24, 24, 1, "bits", 1, 0},
  {kLowEvenHarm, "Low even harm.", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kLowOddHarm, "Low odd harm.", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kMidSatMix, "Mid Sat. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kMidSatBypass, "Mid Sat Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kMidBitRedMix, "Mid Bit Red. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kMidBitRedBypass, "Mid Bit Red. Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kMidExcMix, "Mid Exc. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kMidExcBypass, "Mid Exc. Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kMidSatGain, "Mid Sat. Gain", KindDouble, 0, 60, 0, 0.1, "dB", 1, 1},
  {kMidDcOffset, "Mid DC Offset", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kMidBitRes, "Mid Bit res.", KindInt, 4, 24, 24, 1, "bits", 1, 0},
  {kMidEvenHarm, "Mid even harm.", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kMidOddHarm, "Mid odd harm.", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kHighSatMix, "High Sat. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kHighSatBypass, "High Sat Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kHighBitRedMix, "High Bit Red. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kHighBitRedBypass, "High Bit Red. Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kHighExcMix, "High Exc. Dry/Wet", KindDouble, 0, 100, 100, 1, "%", 1, 0},
  {kHighExcBypass, "High Exc. Bypass", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kHighSatGain, "High Sat. Gain", KindDouble, 0, 60, 0, 0.1, "dB", 1, 1},
  {kHighDcOffset, "High DC Offset", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kHighBitRes, "High Bit res.", KindInt, 4, 24, 24, 1, "bits", 1, 0},
  {kHighEvenHarm, "High even harm.", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kHighOddHarm, "High odd harm.", KindDouble, 0, 100, 0, 1, "%", 1, 0},
  {kFreqLow, "Freq. Low", KindInt, 50, 5000, 250, 1, "Hz", 3.5, 0},
  {kFreqHigh, "Freq. High", KindInt, 200, 18000, 2500, 1, "Hz", 3.5, 0},
  {kLowLevel, "Low Level", KindDouble, -30, 6, 0, 0.1, "dB", 1, 1},
  {kLowMute, "Low Mute", KindBool, 0, 1, 0, 0.1, "", 1, 1},
  {kMidLevel, "Mid Level", KindDouble, -30, 6, 0, 0.1, "dB", 1, 1},
  {kMidMute, "Mid Mute", KindBool, 0, 1, 0, 0.1, "", 1, 1},
  {kHighLevel, "High Level", KindDouble, -30, 6, 0, 0.1, "dB", 1, 1},
  {kHighMute, "High Mute", KindBool, 0, 1, 0, 0.1, "", 1, 1},
  {kMultiband, "Multiband On/Off", KindBool, 0, 1, 1, 0.1, "", 1, 1},
  {kOversample, "Oversample On/Off", KindBool, 0, 1, 0, 0.1, "", 1, 1},
  {kOversampleQuality, "Oversample Quality", KindEnum, 0, 1, 1, 0.1, "", 1, 1},
};
}  // namespace

TEST(TolvexVulcraxDefinition, Identity)
{
  TolvexVulcrax effect;
  EXPECT_STREQ("TolvexVulcrax", effect.EffectName());
  EXPECT_STREQ("", effect.ProductName());
  EXPECT_STREQ("Tolvex", effect.MakerName());
  EXPECT_EQ(0x546C7678, effect.UniqueId());  // 'Tlvx'
  EXPECT_EQ(0x566C6378, effect.MakerId());   // 'Vlcx'
  char version[IPlugBase::kVersionTextSize];
  effect.EffectVersionText(version);
  EXPECT_STREQ(PluginIdentity::kVersionCaption, version);
  EXPECT_EQ(1, effect.ApiCode());
  EXPECT_EQ(0, effect.LatencyFrames());
  EXPECT_FALSE(effect.DoesMidi() || effect.DoesStateChunks() || effect.IsInstrument());
  EXPECT_EQ(2, effect.InputChannelCount());
  EXPECT_EQ(2, effect.OutputChannelCount());
  EXPECT_TRUE(effect.LegalIO(1, 1));
  EXPECT_FALSE(effect.LegalIO(1, 2));
}

TEST(TolvexVulcraxDefinition, ParameterTable)
{
  TolvexVulcrax effect;
  ASSERT_EQ(kNumParams, effect.NParams());
  ASSERT_EQ(static_cast<size_t>(kNumParams), sizeof kTable / sizeof kTable[0]);
  for (int i = 0; i < kNumParams; ++i)
  {
    const Row& row = kTable[i];
    ASSERT_EQ(i, row.index);
    const IPlugParam& p = *effect.ParamAt(i);
    SCOPED_TRACE(row.name);
    double lo = 0, hi = 0;
    p.Limits(&lo, &hi);
    EXPECT_STREQ(row.name, p.Name());
    EXPECT_EQ(row.kind, p.Kind());
    EXPECT_EQ(row.minValue, lo);
    EXPECT_EQ(row.maxValue, hi);
    EXPECT_EQ(row.defaultValue, p.Default());
    EXPECT_EQ(row.defaultValue, p.Value());
    EXPECT_EQ(row.step, p.Step());
    EXPECT_STREQ(row.unit, p.UnitLabel());
    EXPECT_EQ(row.curve, p.CurveExponent());
    EXPECT_EQ(row.decimals, p.Decimals());
    EXPECT_STREQ("", p.GroupName());
    EXPECT_TRUE(p.Automatable());
    EXPECT_EQ(row.kind == KindDouble || row.kind == KindInt ? 0 : 2, p.ValueTextCount());
  }
}

TEST(TolvexVulcraxDefinition, DefaultPreset)
{
  TolvexVulcrax effect;
  ASSERT_EQ(1, effect.PresetCount());
  EXPECT_STREQ("-", effect.PresetName(0));
  EXPECT_EQ(kImageParamCount * 8 + 28, effect.PresetAt(0)->image.Size());  // with the extension
}
