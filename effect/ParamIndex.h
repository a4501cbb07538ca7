#pragma once

// The effect's parameter indices. The three bands repeat the same eleven parameters at
// 0..10 (low), 11..21 (mid) and 22..32 (high); state images store values in this order.
enum ParamIndex
{
  kLowSatMix = 0,
  kLowSatBypass,
  kLowBitRedMix,
  kLowBitRedBypass,
  kLowExcMix,
  kLowExcBypass,
  kLowSatGain,
  kLowDcOffset,
  kLowBitRes,
  kLowEvenHarm,
  kLowOddHarm,

  kMidSatMix,
  kMidSatBypass,
  kMidBitRedMix,
  kMidBitRedBypass,
  kMidExcMix,
  kMidExcBypass,
  kMidSatGain,
  kMidDcOffset,
  kMidBitRes,
  kMidEvenHarm,
  kMidOddHarm,

  kHighSatMix,
  kHighSatBypass,
  kHighBitRedMix,
  kHighBitRedBypass,
  kHighExcMix,
  kHighExcBypass,
  kHighSatGain,
  kHighDcOffset,
  kHighBitRes,
  kHighEvenHarm,
  kHighOddHarm,

  kFreqLow,
  kFreqHigh,
  kLowLevel,
  kLowMute,
  kMidLevel,
  kMidMute,
  kHighLevel,
  kHighMute,
  kMultiband,
  kOversample,

  // Added after the first 43: the state image keeps its 43 values, these follow it.
  kOversampleQuality,

  kNumParams
};

// The parameters the state image holds, as every version has written it.
constexpr int kImageParamCount = kOversampleQuality;

// The values of "Oversample Quality".
enum OversampleQuality
{
  kQualityClassic = 0,
  kQualityClean = 1
};

static_assert(kMidSatMix == 11 && kHighSatMix == 22 && kFreqLow == 33 && kOversample == 42 &&
                kOversampleQuality == 43 && kNumParams == 44 && kImageParamCount == 43,
              "parameter indices are part of the state format");
