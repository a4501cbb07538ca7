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

  kNumParams
};

static_assert(kMidSatMix == 11 && kHighSatMix == 22 && kFreqLow == 33 && kOversample == 42 && kNumParams == 43,
              "parameter indices are part of the state format");
