#pragma once

#include <vector>

enum ParamKind
{
  KindUnset = 0,
  KindBool = 1,
  KindInt = 2,
  KindEnum = 3,
  KindDouble = 4
};

// True for the kinds whose values are whole numbers (bool, int, enum).
inline bool IsIntegerKind(ParamKind kind)
{
  return kind >= KindBool && kind <= KindEnum;
}

// One automatable parameter: its kind, range, step, curve, default and current value, and
// the texts that replace particular values in displays. Values are held in the parameter's
// own units; the normalised 0..1 form exists only at the host and editor boundary.
// A value never becomes NaN or infinite: non-finite input leaves the value as it was.
class IPlugParam
{
public:
  static constexpr int kTextSize = 32;     // name, unit label, group, value texts (with NUL)
  static constexpr int kDisplaySize = 64;  // buffers passed to FormatValue

  IPlugParam();

  void DefineBool(const char* name, bool defaultValue, const char* unitLabel = "", const char* group = "");
  void DefineEnum(const char* name, int defaultValue, int count, const char* unitLabel = "", const char* group = "");
  void DefineInt(const char* name, int defaultValue, int minValue, int maxValue, const char* unitLabel = "",
                 const char* group = "");
  void DefineDouble(const char* name, double defaultValue, double minValue, double maxValue, double step,
                    double curveExponent, const char* unitLabel = "", const char* group = "");
  void SetCurveExponent(double e);
  void AddValueText(int value, const char* text);

  ParamKind Kind() const { return mKind; }
  double Value() const { return mValue; }
  int IntValue() const;
  bool BoolValue() const { return mValue >= 0.5; }

  void Assign(double v);
  // Sets the value ValueFromNormalized gives.
  void SetFromNormalized(double n);
  // The value a normalised position stands for: curve applied, quantised to the step (whole
  // steps for the integer kinds, whole numbers for a continuous step of 1), limited at the
  // top. The current value for a position that is no number.
  double ValueFromNormalized(double n) const;
  double Normalized() const { return ToNormalized(mValue); }
  double ToNormalized(double v) const;
  // Plain value of a normalised position, curve applied, neither quantised nor clamped.
  double FromNormalized(double n) const;
  double GainFromDecibels() const;

  void Limits(double* minValue, double* maxValue) const;
  double Default() const { return mDefault; }
  double Step() const { return mStep; }
  double CurveExponent() const { return mCurveExponent; }
  int Decimals() const { return mDecimals; }

  void FormatValue(double value, bool isNormalized, char* out, bool useValueTexts) const;
  const char* ValueTextFor(int value) const;
  const char* Name() const { return mName; }
  const char* UnitLabel() const { return mUnitLabel; }
  const char* UnitLabelForHost() const;
  const char* GroupName() const { return mGroupName; }
  int ValueTextCount() const { return static_cast<int>(mValueTexts.size()); }
  const char* ValueTextAt(int position, int* outValue = nullptr) const;
  bool ValueForText(const char* text, double* outValue) const;

  bool NegateDisplay() const { return mNegateDisplay; }
  void SetNegateDisplay(bool negate) { mNegateDisplay = negate; }
  bool Automatable() const { return mAutomatable; }
  void SetAutomatable(bool automatable) { mAutomatable = automatable; }
  // The value a state saved before the parameter existed stands for: the default unless set
  // (after the Define call), for a parameter whose default sound differs from the old one.
  double ValueInOlderStates() const { return mValueInOlderStates; }
  void SetValueInOlderStates(double v);  // clamped into the range; ignored when no number

private:
  struct ValueText
  {
    int value = 0;
    char text[kTextSize] = {};
  };

  void SetIdentity(ParamKind kind, const char* name, const char* unitLabel, const char* group);
  void SetRange(double defaultValue, double minValue, double maxValue, double step, int decimals);
  double Clamped(double v) const;

  ParamKind mKind = KindUnset;
  double mValue = 0.0;
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mCurveExponent = 1.0;
  double mDefault = 0.0;
  double mValueInOlderStates = 0.0;
  int mDecimals = 0;
  char mName[kTextSize] = {};
  char mUnitLabel[kTextSize] = {};
  char mGroupName[kTextSize] = {};
  bool mNegateDisplay = false;
  bool mAutomatable = true;
  std::vector<ValueText> mValueTexts;
};
