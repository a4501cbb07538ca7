#include "framework/IPlugParam.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/FixedText.h"

namespace {
constexpr double kDecibelToGainFactor = 0.1151292546497;

// Digits after the point that display a value stepped by step: the number of decimal shifts
// after which step becomes whole, 6 when five shifts are not enough.
int DecimalsForStep(double step)
{
  if (step == std::floor(step))
    return 0;
  double shifted = step;
  for (int decimals = 1; decimals <= 5; ++decimals)
  {
    shifted *= 10.0;
    if (shifted == std::floor(shifted))
      return decimals;
  }
  return 6;
}

// "-0.0" (a tiny negative value, or -0) reads as a value below zero; zero has no sign.
void DropSignOfZero(char* text)
{
  if (text[0] == '-' && text[1] != '\0' && std::strspn(text + 1, "0.") == std::strlen(text + 1))
    std::memmove(text, text + 1, std::strlen(text));
}

// Truncation toward zero that stays defined for values beyond the int range.
int TruncateToInt(double v)
{
  if (!(v > static_cast<double>(INT_MIN)))
    return v != v ? 0 : INT_MIN;
  if (v >= static_cast<double>(INT_MAX))
    return INT_MAX;
  return static_cast<int>(v);
}
}  // namespace

IPlugParam::IPlugParam() = default;

void IPlugParam::SetIdentity(ParamKind kind, const char* name, const char* unitLabel, const char* group)
{
  if (mKind == KindUnset)
    mKind = kind;
  CopyFixedText(mName, name);
  CopyFixedText(mUnitLabel, unitLabel);
  CopyFixedText(mGroupName, group);
}

void IPlugParam::SetRange(double defaultValue, double minValue, double maxValue, double step, int decimals)
{
  mValue = mDefault = mValueInOlderStates = defaultValue;
  mMin = minValue;
  mMax = maxValue;
  mStep = step;
  mDecimals = decimals;
}

void IPlugParam::DefineBool(const char* name, bool defaultValue, const char* unitLabel, const char* group)
{
  SetIdentity(KindBool, name, unitLabel, group);
  SetRange(defaultValue ? 1.0 : 0.0, 0.0, 1.0, 0.1, 1);
  mCurveExponent = 1.0;
  AddValueText(0, "off");
  AddValueText(1, "on");
}

void IPlugParam::DefineEnum(const char* name, int defaultValue, int count, const char* unitLabel, const char* group)
{
  SetIdentity(KindEnum, name, unitLabel, group);
  SetRange(defaultValue, 0.0, std::max(0.1, count - 1.0), 0.1, 1);
  mCurveExponent = 1.0;
}

void IPlugParam::DefineInt(const char* name, int defaultValue, int minValue, int maxValue, const char* unitLabel,
                           const char* group)
{
  SetIdentity(KindInt, name, unitLabel, group);
  SetRange(defaultValue, minValue, std::max(minValue + 1.0, static_cast<double>(maxValue)), 1.0, 0);
  mCurveExponent = 1.0;
}

void IPlugParam::DefineDouble(const char* name, double defaultValue, double minValue, double maxValue, double step,
                              double curveExponent, const char* unitLabel, const char* group)
{
  SetIdentity(KindDouble, name, unitLabel, group);
  SetRange(defaultValue, minValue, std::max(minValue + step, maxValue), step, DecimalsForStep(step));
  SetCurveExponent(curveExponent);
}

void IPlugParam::SetCurveExponent(double e)
{
  if (e != 0.0 && std::isfinite(e))
    mCurveExponent = e;
}

void IPlugParam::AddValueText(int value, const char* text)
{
  ValueText entry;
  entry.value = value;
  CopyFixedText(entry.text, text);
  mValueTexts.push_back(entry);
}

int IPlugParam::IntValue() const
{
  return TruncateToInt(mValue);
}

double IPlugParam::Clamped(double v) const
{
  return v < mMin ? mMin : std::min(mMax, v);
}

void IPlugParam::Assign(double v)
{
  if (std::isfinite(v))
    mValue = Clamped(v);
}

void IPlugParam::SetValueInOlderStates(double v)
{
  if (std::isfinite(v))
    mValueInOlderStates = Clamped(v);
}

double IPlugParam::FromNormalized(double n) const
{
  return mMin + (mMax - mMin) * std::pow(n, mCurveExponent);
}

double IPlugParam::ValueFromNormalized(double n) const
{
  if (!std::isfinite(n))
    return mValue;
  // Positions below 0 would fall under the range (or give NaN through the curve).
  double v = FromNormalized(std::max(0.0, n));
  if (mKind != KindDouble)
    v = std::floor(v / mStep + 0.5) * mStep;
  else if (mStep == 1.0)
    v = std::round(v);
  return std::isfinite(v) ? std::min(v, mMax) : mValue;
}

void IPlugParam::SetFromNormalized(double n)
{
  mValue = ValueFromNormalized(n);
}

double IPlugParam::ToNormalized(double v) const
{
  if (v != v)
    return 0.0;
  const double x = (Clamped(v) - mMin) / (mMax - mMin);
  const double n = std::pow(x, 1.0 / mCurveExponent);
  return std::clamp(n, 0.0, 1.0);
}

double IPlugParam::GainFromDecibels() const
{
  return std::exp(mValue * kDecibelToGainFactor);
}

void IPlugParam::Limits(double* minValue, double* maxValue) const
{
  if (minValue)
    *minValue = mMin;
  if (maxValue)
    *maxValue = mMax;
}

void IPlugParam::FormatValue(double value, bool isNormalized, char* out, bool useValueTexts) const
{
  // A host shows the value it would set: the quantised one the plug-in then processes.
  if (isNormalized)
    value = ValueFromNormalized(value);
  if (useValueTexts)
  {
    // A switch is on from 0.5 up, however a host's automation lands between its two values.
    const int textValue = mKind == KindBool ? (value >= 0.5 ? 1 : 0) : TruncateToInt(value);
    const char* text = ValueTextFor(textValue);
    if (text[0] != '\0')
    {
      CopyFixedText(out, kDisplaySize, text);
      return;
    }
  }
  if (mNegateDisplay)
    value = -value;
  if (mDecimals > 0)
    std::snprintf(out, kDisplaySize, "%.*f", mDecimals, value);
  else
    std::snprintf(out, kDisplaySize, "%d", TruncateToInt(value));
  DropSignOfZero(out);
}

const char* IPlugParam::ValueTextFor(int value) const
{
  for (const ValueText& entry : mValueTexts)
    if (entry.value == value)
      return entry.text;
  return "";
}

const char* IPlugParam::UnitLabelForHost() const
{
  return ValueTextFor(IntValue())[0] != '\0' ? "" : mUnitLabel;
}

const char* IPlugParam::ValueTextAt(int position, int* outValue) const
{
  if (position < 0 || position >= ValueTextCount())
    return "";
  const ValueText& entry = mValueTexts[position];
  if (outValue)
    *outValue = entry.value;
  return entry.text;
}

bool IPlugParam::ValueForText(const char* text, double* outValue) const
{
  if (!text)
    return false;
  for (const ValueText& entry : mValueTexts)
  {
    if (std::strcmp(entry.text, text) == 0)
    {
      if (outValue)
        *outValue = entry.value;
      return true;
    }
  }
  return false;
}
