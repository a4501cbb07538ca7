// What the edit-controller side tells a host: parameter list, conversions, units, programs.

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/Utf16Text.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using VstTest::kBypassId;
using VstTest::kParamCount;
using VstTest::kPresetId;

namespace {

struct ExpectedParam
{
  std::string title;
  std::string units;  // empty for switches, which the host sees as lists
  double min;
  double max;
  double defaultValue;
  bool isSwitch() const { return units.empty(); }
};

std::vector<ExpectedParam> ExpectedParams()
{
  std::vector<ExpectedParam> params;
  for (const char* band : {"Low", "Mid", "High"})
  {
    const std::string b = band;
    params.push_back({b + " Sat. Dry/Wet", "%", 0, 100, 100});
    params.push_back({b + " Sat Bypass", "", 0, 1, 1});
    params.push_back({b + " Bit Red. Dry/Wet", "%", 0, 100, 100});
    params.push_back({b + " Bit Red. Bypass", "", 0, 1, 1});
    params.push_back({b + " Exc. Dry/Wet", "%", 0, 100, 100});
    params.push_back({b + " Exc. Bypass", "", 0, 1, 1});
    params.push_back({b + " Sat. Gain", "dB", 0, 60, 0});
    params.push_back({b + " DC Offset", "%", 0, 100, 0});
    params.push_back({b + " Bit res.", "bits", 4, 24, 24});
    params.push_back({b + " even harm.", "%", 0, 100, 0});
    params.push_back({b + " odd harm.", "%", 0, 100, 0});
  }
  params.push_back({"Freq. Low", "Hz", 50, 5000, 250});
  params.push_back({"Freq. High", "Hz", 200, 18000, 2500});
  for (const char* band : {"Low", "Mid", "High"})
  {
    params.push_back({std::string(band) + " Level", "dB", -30, 6, 0});
    params.push_back({std::string(band) + " Mute", "", 0, 1, 0});
  }
  params.push_back({"Multiband On/Off", "", 0, 1, 1});
  params.push_back({"Oversample On/Off", "", 0, 1, 0});
  params.push_back({"Oversample Quality", "", 0, 1, 1});
  return params;
}

std::string Text(const TChar* text)
{
  return TvHost::Utf16ToUtf8(text, 128);
}

class ControllerTest : public VstTest::PluginTest
{
protected:
  std::string StringOf(ParamID id, ParamValue value)
  {
    String128 text = {};
    EXPECT_EQ(Controller()->getParamStringByValue(id, value, text), kResultOk);
    return Text(text);
  }

  // The value the plug-in holds, as its state blob stores it: in the image, or in the record
  // "PARM" that opens the extension after the bypass word.
  double ValueInState(ParamID id)
  {
    TvHost::MemoryStream stream;
    EXPECT_EQ(Component()->getState(&stream), kResultOk);
    constexpr size_t kLaterValuesAt = VstTest::kImageBytes + 4 + 4 + 8;
    const size_t at = id < VstTest::kImageParamCount ? 8 * id : kLaterValuesAt + 8 * (id - VstTest::kImageParamCount);
    double value = 0.0;
    EXPECT_LE(at + sizeof value, stream.Bytes().size());
    std::memcpy(&value, stream.Bytes().data() + at, sizeof value);
    return value;
  }
};

}  // namespace

TEST_F(ControllerTest, ParameterListHasPresetBypassAndEveryParameterInOrder)
{
  ASSERT_EQ(Controller()->getParameterCount(), 2 + kParamCount);
  ParameterInfo info = {};
  ASSERT_EQ(Controller()->getParameterInfo(0, info), kResultTrue);
  EXPECT_EQ(info.id, kPresetId);
  EXPECT_EQ(Text(info.title), "Preset");
  EXPECT_EQ(info.stepCount, 1);
  EXPECT_EQ(info.flags, ParameterInfo::kIsProgramChange);
  ASSERT_EQ(Controller()->getParameterInfo(1, info), kResultTrue);
  EXPECT_EQ(info.id, kBypassId);
  EXPECT_EQ(Text(info.title), "Bypass");
  EXPECT_EQ(info.stepCount, 1);
  EXPECT_EQ(info.flags, 0x10009);
  EXPECT_EQ(info.defaultNormalizedValue, 0.0);

  const std::vector<ExpectedParam> expected = ExpectedParams();
  ASSERT_EQ(static_cast<int>(expected.size()), kParamCount);
  for (int i = 0; i < kParamCount; ++i)
  {
    SCOPED_TRACE(expected[i].title);
    ASSERT_EQ(Controller()->getParameterInfo(2 + i, info), kResultTrue);
    EXPECT_EQ(info.id, static_cast<ParamID>(i));
    EXPECT_EQ(Text(info.title), expected[i].title);
    EXPECT_EQ(Text(info.units), expected[i].units);
    EXPECT_EQ(info.unitId, kRootUnitId);
    // A host resetting the parameter sends the reported default; it must give the
    // plug-in's default, whatever the parameter's curve.
    if (expected[i].isSwitch())
    {
      EXPECT_EQ(info.stepCount, 1);
      EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
      EXPECT_EQ(info.defaultNormalizedValue, expected[i].defaultValue);
    }
    else
    {
      EXPECT_EQ(info.stepCount, 0);
      EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
      EXPECT_NEAR(Controller()->normalizedParamToPlain(info.id, info.defaultNormalizedValue), expected[i].defaultValue,
                  1e-9);
    }
    ASSERT_EQ(Controller()->setParamNormalized(info.id, info.defaultNormalizedValue), kResultOk);
    EXPECT_NEAR(Controller()->getParamNormalized(info.id), info.defaultNormalizedValue, 1e-12);
  }
  EXPECT_NE(Controller()->getParameterInfo(2 + kParamCount, info), kResultTrue);
}

TEST_F(ControllerTest, DisplayStringsAndTheirParsing)
{
  EXPECT_EQ(StringOf(1, 1.0), "on");
  EXPECT_EQ(StringOf(1, 0.3), "off");
  EXPECT_EQ(StringOf(35, 0.5), "-12.0");
  EXPECT_EQ(StringOf(8, 1.0), "24");
  String128 untouched = {'x', 0};
  EXPECT_EQ(Controller()->getParamStringByValue(kBypassId, 1.0, untouched), kResultFalse);
  EXPECT_EQ(Controller()->getParamStringByValue(kParamCount, 1.0, untouched), kResultFalse);
  EXPECT_EQ(untouched[0], 'x');

  String128 text = {};
  ParamValue value = -1.0;
  TvHost::Utf8ToUtf16("-12.0", text, 128);
  ASSERT_EQ(Controller()->getParamValueByString(35, text, value), kResultTrue);
  EXPECT_NEAR(value, 0.5, 1e-12);
  TvHost::Utf8ToUtf16("on", text, 128);
  ASSERT_EQ(Controller()->getParamValueByString(1, text, value), kResultTrue);
  EXPECT_EQ(value, 1.0);

  // A typed frequency lands on the curved scale the plug-in reads host values with, so the
  // display of the parsed value shows what was typed.
  TvHost::Utf8ToUtf16("250", text, 128);
  ASSERT_EQ(Controller()->getParamValueByString(33, text, value), kResultTrue);
  EXPECT_NEAR(value, std::pow(200.0 / 4950.0, 1.0 / 3.5), 1e-12);
  EXPECT_EQ(StringOf(33, value), "250");
  EXPECT_EQ(Controller()->getParamValueByString(33, nullptr, value), kResultFalse);

  // A number typed for the program list, whose SDK object scales without bounds, is still
  // handed back as a normalised value.
  TvHost::Utf8ToUtf16("5", text, 128);
  ASSERT_EQ(Controller()->getParamValueByString(kPresetId, text, value), kResultTrue);
  EXPECT_EQ(value, 1.0);
}

TEST_F(ControllerTest, PlainAndNormalisedConversions)
{
  const double curved = std::pow(200.0 / 4950.0, 1.0 / 3.5);
  EXPECT_NEAR(Controller()->plainParamToNormalized(33, 250.0), curved, 1e-12);
  EXPECT_NEAR(Controller()->plainParamToNormalized(33, 1e9), 1.0, 1e-12);
  // Both directions use the same curve, so they are inverses.
  for (double plain : {50.0, 250.0, 1234.5, 5000.0})
    EXPECT_NEAR(Controller()->normalizedParamToPlain(33, Controller()->plainParamToNormalized(33, plain)), plain, 1e-9);
  EXPECT_NEAR(Controller()->normalizedParamToPlain(33, 0.4), 50.0 + 4950.0 * std::pow(0.4, 3.5), 1e-9);
  EXPECT_EQ(Controller()->normalizedParamToPlain(1, 0.7), 1.0);
  EXPECT_EQ(Controller()->plainParamToNormalized(kBypassId, 7.5), 7.5);
  EXPECT_EQ(Controller()->plainParamToNormalized(kParamCount, 7.5), 7.5);
}

TEST_F(ControllerTest, SetAndGetNormalisedValues)
{
  EXPECT_EQ(Controller()->setParamNormalized(33, 0.5), kResultOk);  // quantised to 488 Hz
  EXPECT_NEAR(Controller()->getParamNormalized(33), Controller()->plainParamToNormalized(33, 488.0), 1e-12);
  // Values outside 0..1 are limited; values that are no number are refused.
  EXPECT_EQ(Controller()->setParamNormalized(35, -2.0), kResultOk);
  EXPECT_EQ(Controller()->getParamNormalized(35), 0.0);
  EXPECT_EQ(Controller()->setParamNormalized(35, std::nan("")), kResultFalse);
  EXPECT_EQ(Controller()->getParamNormalized(35), 0.0);
  EXPECT_EQ(Controller()->getParamNormalized(kParamCount), 0.0);
  EXPECT_EQ(Controller()->setParamNormalized(kPresetId, 1.0), kResultFalse);
}

// Hosts tell the controller about their bypass switch beside the process queue and read it
// back; a validator checks that it persists.
TEST_F(ControllerTest, BypassSetOnTheControllerIsTheBypassInForce)
{
  const struct
  {
    ParamValue value;
    tresult result;
    ParamValue readBack;
  } cases[] = {{1.0, kResultOk, 1.0}, {0.5, kResultOk, 0.0}, {0.51, kResultOk, 1.0}, {std::nan(""), kResultFalse, 1.0},
               {0.0, kResultOk, 0.0}, {7.0, kResultOk, 1.0}};
  for (const auto& c : cases)
  {
    EXPECT_EQ(Controller()->setParamNormalized(kBypassId, c.value), c.result) << c.value;
    EXPECT_EQ(Controller()->getParamNormalized(kBypassId), c.readBack) << c.value;
  }
  TvHost::MemoryStream stream;
  ASSERT_EQ(Component()->getState(&stream), kResultOk);
  int32 bypassWord = 0;
  std::memcpy(&bypassWord, stream.Bytes().data() + 8 * VstTest::kImageParamCount, sizeof bypassWord);
  EXPECT_EQ(bypassWord, 1) << "the saved state carries it";
}

// What a host shows for a normalised position must be the value the plug-in makes of it,
// processes and saves: the same number at the display's precision, and zero without a sign.
TEST_F(ControllerTest, DisplayedValueIsTheValueThePluginUses)
{
  const struct
  {
    ParamID id;
    ParamValue position;
    std::string text;
  } known[] = {{15, 0.77, "77"},    {2, 0.44, "44"},    {30, 0.25, "9"}, {24, 0.736918, "74"}, {35, 5.0 / 6.0, "0.0"},
               {37, 0.8333, "0.0"}, {37, 0.83, "-0.1"}, {1, 0.7, "on"},  {1, 0.3, "off"}};
  for (const auto& k : known)
    EXPECT_EQ(StringOf(k.id, k.position), k.text) << k.id << " at " << k.position;

  std::mt19937 random(8);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (ParamID id = 0; id < static_cast<ParamID>(kParamCount); ++id)
  {
    for (int k = 0; k < 200; ++k)
    {
      const double position = unit(random);
      const std::string text = StringOf(id, position);
      ASSERT_EQ(Controller()->setParamNormalized(id, position), kResultOk);
      const double value = ValueInState(id);
      SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(position) + ": \"" + text + "\"");
      if (text == "on" || text == "off")
      {
        EXPECT_EQ(text == "on", value >= 0.5);
        continue;
      }
      // An enumeration's value is quantised to tenths; its text is that of the whole part.
      if (text == "Classic" || text == "Clean")
      {
        EXPECT_EQ(text == "Clean", value >= 1.0);
        continue;
      }
      const size_t point = text.find('.');
      const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
      const double halfUnit = 0.5 * std::pow(10.0, -decimals);
      EXPECT_LE(std::fabs(std::strtod(text.c_str(), nullptr) - value), halfUnit + 1e-9);
      if (text[0] == '-')
      {
        EXPECT_LE(value, -halfUnit);
      }
    }
  }
}

TEST_F(ControllerTest, UnitsProgramListAndMidiMapping)
{
  FUnknownPtr<IUnitInfo> units(Controller());
  ASSERT_TRUE(units);
  EXPECT_EQ(units->getUnitCount(), 1);
  UnitInfo unit = {};
  ASSERT_EQ(units->getUnitInfo(0, unit), kResultOk);
  EXPECT_EQ(unit.parentUnitId, kNoParentUnitId);
  EXPECT_EQ(unit.programListId, kNoProgramListId);
  EXPECT_EQ(Text(unit.name), "Root Unit");
  EXPECT_EQ(units->getUnitInfo(1, unit), kResultFalse);

  EXPECT_EQ(units->getProgramListCount(), 0);
  ProgramListInfo list = {};
  ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
  EXPECT_EQ(list.id, static_cast<ProgramListID>(kPresetId));
  EXPECT_EQ(Text(list.name), "Factory Presets");
  EXPECT_EQ(list.programCount, 1);
  String128 name = {};
  ASSERT_EQ(units->getProgramName(kPresetId, 0, name), kResultOk);
  EXPECT_EQ(Text(name), "-");
  EXPECT_EQ(units->getProgramName(0, 0, name), kResultFalse);

  // Without MIDI no controller is mapped, and the identifier is left alone.
  FUnknownPtr<IMidiMapping> midi(Controller());
  ASSERT_TRUE(midi);
  ParamID id = 12345;
  EXPECT_EQ(midi->getMidiControllerAssignment(0, 0, 7, id), kResultFalse);
  EXPECT_EQ(id, 12345u);
}

TEST_F(ControllerTest, TerminateAndInitializeLeaveOneSetOfBusesAndParameters)
{
  ASSERT_EQ(Component()->terminate(), kResultOk);
  EXPECT_EQ(host.BorrowedReferences(), 0u);  // the host context is given back
  EXPECT_EQ(Controller()->getParameterCount(), 0);
  EXPECT_EQ(Component()->getBusCount(kAudio, kInput), 0);
  ASSERT_EQ(Component()->initialize(&host), kResultOk);
  EXPECT_EQ(Controller()->getParameterCount(), 2 + kParamCount);
  EXPECT_EQ(Component()->getBusCount(kAudio, kInput), 1);
  EXPECT_EQ(Component()->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(Component()->getBusCount(kEvent, kInput), 0);

  BusInfo info = {};
  ASSERT_EQ(Component()->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(Text(info.name), "Main Input");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
  ASSERT_EQ(Component()->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(Text(info.name), "Output");

  // A second initialize without terminate is refused and creates nothing, also when the
  // host gave no context either time.
  EXPECT_NE(Component()->initialize(&host), kResultOk);
  EXPECT_EQ(Controller()->getParameterCount(), 2 + kParamCount);
  ASSERT_EQ(Component()->terminate(), kResultOk);
  ASSERT_EQ(Component()->initialize(nullptr), kResultOk);
  EXPECT_NE(Component()->initialize(nullptr), kResultOk);
  EXPECT_EQ(Controller()->getParameterCount(), 2 + kParamCount);
  EXPECT_EQ(Component()->getBusCount(kAudio, kInput), 1);
}

TEST_F(ControllerTest, EditorViewOnlyByItsNameAndHoldingThePlugin)
{
  EXPECT_EQ(Controller()->createView(nullptr), nullptr);
  EXPECT_EQ(Controller()->createView("other"), nullptr);
  const uint32 references = Controller()->addRef();
  IPtr<IPlugView> view(Controller()->createView(ViewType::kEditor), false);
  ASSERT_TRUE(view);
  EXPECT_EQ(Controller()->release(), references);
  EXPECT_EQ(view->isPlatformTypeSupported("NSView"), kResultFalse);
  view = nullptr;
  EXPECT_EQ(Controller()->addRef(), references);
  Controller()->release();
}
