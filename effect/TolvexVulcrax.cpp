#include "effect/TolvexVulcrax.h"

#include <cstdio>

#include "effect/ParamIndex.h"
#include "effect/PluginIdentity.h"

namespace {
constexpr char kChannelIo[] = "1-1 2-2";
constexpr int kPresetCount = 1;
constexpr int kLatency = 0;
constexpr int kSidechainChannels = 0;
constexpr double kFrequencyCurve = 3.5;  // gives the low end of the crossover knobs more travel
}  // namespace

TolvexVulcrax::TolvexVulcrax()
  : TolvexVulcraxBase(kNumParams, kChannelIo, kPresetCount, PluginIdentity::kEffectName, PluginIdentity::kProductName,
                      PluginIdentity::kMakerName, PluginIdentity::kVersion, PluginIdentity::kUniqueId,
                      PluginIdentity::kMakerId, kLatency, false, false, false, kSidechainChannels),
    signalPath(*this)
{
  DefineParameters();
  SetImageParamCount(kImageParamCount);
  BuildEditor();
  FillDefaultPresets("-", 1);
}

// The editor's controls point into this object: it goes before the effect and adapter parts.
TolvexVulcrax::~TolvexVulcrax()
{
  DestroyEditor();
}

void TolvexVulcrax::ResetProcessing()
{
  signalPath.ResetProcessing();
}

// The source does not matter to the signal path: every change takes the same way.
void TolvexVulcrax::ApplyParamChange(int paramIdx, ParamChangeSource /*source*/)
{
  signalPath.ApplyParamChange(paramIdx);
  UpdateEditorFor(paramIdx);
}

void TolvexVulcrax::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  signalPath.ProcessBlock(inputs, outputs, nFrames);
}

void TolvexVulcrax::DefineParameters()
{
  // The two global switches come first; the index alone decides where a value is stored.
  ParamAt(kMultiband)->DefineBool("Multiband On/Off", true);
  ParamAt(kOversample)->DefineBool("Oversample On/Off", false);

  DefineBand(kLowSatMix, "Low");
  DefineBand(kMidSatMix, "Mid");
  DefineBand(kHighSatMix, "High");

  ParamAt(kFreqLow)->DefineInt("Freq. Low", 250, 50, 5000, "Hz");
  ParamAt(kFreqLow)->SetCurveExponent(kFrequencyCurve);
  ParamAt(kFreqHigh)->DefineInt("Freq. High", 2500, 200, 18000, "Hz");
  ParamAt(kFreqHigh)->SetCurveExponent(kFrequencyCurve);

  ParamAt(kLowLevel)->DefineDouble("Low Level", 0.0, -30.0, 6.0, 0.1, 1.0, "dB");
  ParamAt(kLowMute)->DefineBool("Low Mute", false);
  ParamAt(kMidLevel)->DefineDouble("Mid Level", 0.0, -30.0, 6.0, 0.1, 1.0, "dB");
  ParamAt(kMidMute)->DefineBool("Mid Mute", false);
  ParamAt(kHighLevel)->DefineDouble("High Level", 0.0, -30.0, 6.0, 0.1, 1.0, "dB");
  ParamAt(kHighMute)->DefineBool("High Mute", false);

  IPlugParam* quality = ParamAt(kOversampleQuality);
  quality->DefineEnum("Oversample Quality", kQualityClean, 2);
  quality->AddValueText(kQualityClassic, "Classic");
  quality->AddValueText(kQualityClean, "Clean");
  // Projects and presets saved before the choice existed keep the sound they were made with.
  quality->SetValueInOlderStates(kQualityClassic);
}

// The eleven parameters every band repeats, at firstIndex .. firstIndex + 10 in the order
// of the low band's indices.
void TolvexVulcrax::DefineBand(int firstIndex, const char* band)
{
  const auto param = [&](int lowIndex) { return ParamAt(firstIndex + lowIndex - kLowSatMix); };
  char name[IPlugParam::kTextSize];
  const auto named = [&](const char* suffix) {
    std::snprintf(name, sizeof name, "%s %s", band, suffix);
    return name;
  };
  param(kLowSatMix)->DefineDouble(named("Sat. Dry/Wet"), 100.0, 0.0, 100.0, 1.0, 1.0, "%");
  param(kLowSatBypass)->DefineBool(named("Sat Bypass"), true);
  param(kLowBitRedMix)->DefineDouble(named("Bit Red. Dry/Wet"), 100.0, 0.0, 100.0, 1.0, 1.0, "%");
  param(kLowBitRedBypass)->DefineBool(named("Bit Red. Bypass"), true);
  param(kLowExcMix)->DefineDouble(named("Exc. Dry/Wet"), 100.0, 0.0, 100.0, 1.0, 1.0, "%");
  param(kLowExcBypass)->DefineBool(named("Exc. Bypass"), true);
  param(kLowSatGain)->DefineDouble(named("Sat. Gain"), 0.0, 0.0, 60.0, 0.1, 1.0, "dB");
  param(kLowDcOffset)->DefineDouble(named("DC Offset"), 0.0, 0.0, 100.0, 1.0, 1.0, "%");
  param(kLowBitRes)->DefineInt(named("Bit res."), 24, 4, 24, "bits");
  param(kLowEvenHarm)->DefineDouble(named("even harm."), 0.0, 0.0, 100.0, 1.0, 1.0, "%");
  param(kLowOddHarm)->DefineDouble(named("odd harm."), 0.0, 0.0, 100.0, 1.0, 1.0, "%");
}
