// Factory presets as hosts and users meet them: the .vstpreset files the build wrote, loaded
// into the bundle with the SDK's preset-file code, and the renderer's preset options.

#include "public.sdk/source/vst/vstpresetfile.h"
#include "tests/tools/RenderFixture.h"
#include "tests/tools/TestAudio.h"
#include "tests/vst3/PluginTestHost.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterDirectory.h"
#include "tools/vulcrax-render/ParameterText.h"
#include "tools/vulcrax-render/PresetBank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

using namespace Steinberg;

namespace {

constexpr double kRate = 44100.0;

PresetBank FactoryBank()
{
  PresetBank bank;
  std::string error;
  EXPECT_TRUE(bank.Parse(FactoryBankText(), error)) << error;
  return bank;
}

std::string PresetPath(const std::string& name)
{
  return std::string(TV_PRESET_DIR) + "/" + name + ".vstpreset";
}

// The plain value a bank line asks for: a number, a switch's "on" (1) or "off" (0), or one of
// a list's value texts.
double BankValue(Vst::IEditController& controller, const TvHost::ParameterEntry& entry, const std::string& text)
{
  if (text == "on" || text == "off")
    return text == "on" ? 1.0 : 0.0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (Trim(end).empty())
    return value;
  const std::vector<std::string> labels = ChoiceLabels(controller, entry);
  const auto label = std::find(labels.begin(), labels.end(), text);
  EXPECT_NE(label, labels.end()) << text;
  return controller.normalizedParamToPlain(entry.id, static_cast<double>(label - labels.begin()) / ListSteps(entry));
}

class FactoryPresetFiles : public VstTest::PluginTest
{
protected:
  // Every parameter's plain value, as a host reads it back from the controller.
  std::map<Vst::ParamID, double> PlainValues(const TvHost::ParameterDirectory& directory)
  {
    std::map<Vst::ParamID, double> values;
    for (const auto& entry : directory.Entries())
      values[entry.id] = Controller()->normalizedParamToPlain(entry.id, Controller()->getParamNormalized(entry.id));
    return values;
  }

  std::map<Vst::ParamID, double> Expected(const FactoryPreset& preset, const TvHost::ParameterDirectory& directory)
  {
    std::map<Vst::ParamID, double> values;
    for (const auto& entry : directory.Entries())
      values[entry.id] = Controller()->normalizedParamToPlain(entry.id, entry.defaultNormalized);
    for (const std::string& setting : preset.settings)
    {
      const size_t equals = setting.find('=');
      const TvHost::ParameterEntry* entry = directory.FindByTitle(Trim(setting.substr(0, equals)));
      EXPECT_NE(entry, nullptr) << setting;
      if (entry)
        values[entry->id] = BankValue(*Controller(), *entry, Trim(setting.substr(equals + 1)));
    }
    return values;
  }
};

// One instance takes the presets one after another, so a value left over from the previous
// preset shows as a difference too. Plain values come back through the parameter's curve, so
// they are compared to a millionth of the range; one step of any parameter is far more.
TEST_F(FactoryPresetFiles, EveryFileLoadsAndGivesBackTheBanksValues)
{
  const PresetBank bank = FactoryBank();
  const TvHost::ParameterDirectory directory(*Controller());
  size_t files = 0;
  for (const auto& file : std::filesystem::directory_iterator(TV_PRESET_DIR))
    files += file.path().extension() == ".vstpreset" ? 1 : 0;
  EXPECT_EQ(files, bank.Presets().size());

  for (const FactoryPreset& preset : bank.Presets())
  {
    SCOPED_TRACE(preset.name);
    TvHost::MemoryStream stream;
    ASSERT_TRUE(stream.LoadFile(PresetPath(preset.name)));
    ASSERT_TRUE(Vst::PresetFile::loadPreset(&stream, instance->ClassId(), Component(), Controller()));
    const auto expected = Expected(preset, directory);
    const auto actual = PlainValues(directory);
    for (const auto& entry : directory.Entries())
    {
      const double span = std::fabs(Controller()->normalizedParamToPlain(entry.id, 1.0) -
                                    Controller()->normalizedParamToPlain(entry.id, 0.0));
      EXPECT_NEAR(actual.at(entry.id), expected.at(entry.id), 1e-6 * span) << entry.title;
    }
  }
}

using FactoryPresetRenders = RenderFixture;

// The demo peaks at -3.9 dBFS with an RMS of -16.8 dBFS through the neutral preset. Every
// preset keeps headroom (peak -1 dBFS or less) and stays within about 5 dB of that loudness:
// a preset that clips or jumps in level is no starting point.
TEST_F(FactoryPresetRenders, DemoStaysFiniteWithinStatedLevels)
{
  const double peakLimits[] = {std::pow(10.0, -10.0 / 20.0), std::pow(10.0, -1.0 / 20.0)};
  const double rmsLimits[] = {std::pow(10.0, -22.0 / 20.0), std::pow(10.0, -12.0 / 20.0)};
  const PresetBank bank = FactoryBank();
  for (const FactoryPreset& preset : bank.Presets())
  {
    SCOPED_TRACE(preset.name);
    const ProcessResult result = Render({"--preset", preset.name, "-o", Path("demo.wav")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const TestAudio demo = ReadAudio(Path("demo.wav"));
    ASSERT_EQ(demo.Frames(), static_cast<long>(4 * kRate));
    for (const double sample : demo.samples)
      ASSERT_TRUE(std::isfinite(sample));
    for (int channel = 0; channel < demo.channels; ++channel)
    {
      EXPECT_GE(Peak(demo, channel), peakLimits[0]) << "channel " << channel;
      EXPECT_LE(Peak(demo, channel), peakLimits[1]) << "channel " << channel;
      EXPECT_GE(Rms(demo, channel), rmsLimits[0]) << "channel " << channel;
      EXPECT_LE(Rms(demo, channel), rmsLimits[1]) << "channel " << channel;
    }
  }
}

TEST_F(FactoryPresetRenders, SettingsApplyAfterThePresetAndSavedPresetsLoadBack)
{
  const ProcessResult first =
    Render({"--list", "--preset", "LO-FI DRUMS", "Mid Bit res.=12", "--save-preset", Path("mine.vstpreset")});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const auto row = [&](const std::string& name) {
    for (const auto& line : Lines(first.out))
      if (line.find("  " + name + "  ") != std::string::npos)
        return line;
    return std::string();
  };
  EXPECT_NE(row("Low Bit res.").find(" 6 "), std::string::npos) << first.out;
  EXPECT_NE(row("Mid Bit res.").find(" 12 "), std::string::npos) << first.out;

  const ProcessResult second = Render({"--list", "--preset", Path("mine.vstpreset")});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.out, first.out);

  const ProcessResult listed = Render({"--list-presets"});
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(Lines(listed.out).size(), FactoryBank().Presets().size()) << listed.out;
}

// Writes bytes with an unsigned 64-bit value replaced at offset.
std::string Patched(std::string bytes, size_t offset, uint64_t value)
{
  std::memcpy(&bytes[offset], &value, sizeof value);
  return bytes;
}

uint64_t ValueAt(const std::string& bytes, size_t offset)
{
  uint64_t value = 0;
  std::memcpy(&value, &bytes[offset], sizeof value);
  return value;
}

TEST_F(FactoryPresetRenders, DamagedOrForeignFilesFailWithOneLineAndWriteNothing)
{
  std::ifstream source(PresetPath("Warm Mix Bus"), std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
  // Header: "VST3", version, 32 characters of class id, then the chunk list's offset; the
  // list holds "List", a count and per chunk its id, offset and size.
  constexpr size_t kClassIdAt = 8;
  constexpr size_t kListOffsetAt = 40;
  constexpr uint64_t kImageBytes = 8 * 43;  // the parameter image; the bypass word follows it
  const size_t list = ValueAt(good, kListOffsetAt);
  const size_t stateSizeAt = list + 8 + 4 + 8;
  ASSERT_EQ(good.substr(list, 4), "List");
  const uint64_t stateSize = ValueAt(good, stateSizeAt);

  std::string foreign = good;
  foreign[kClassIdAt] = foreign[kClassIdAt] == '0' ? '1' : '0';
  const struct
  {
    const char* what;
    std::string bytes;
    const char* wording;
  } cases[] = {
    {"text", "not a preset\n", "is not a VST 3 preset file"},
    {"empty", "", "is not a VST 3 preset file"},
    {"header only", good.substr(0, 48), "is damaged"},
    {"cut inside the state", good.substr(0, 100), "is damaged"},
    {"cut inside the chunk list", good.substr(0, good.size() - 10), "is damaged"},
    {"list offset past the end", Patched(good, kListOffsetAt, good.size() + 100), "is damaged"},
    {"state running past the end", Patched(good, stateSizeAt, stateSize + 100), "is damaged"},
    {"state without its bypass word", Patched(good, stateSizeAt, kImageBytes), "refused the state"},
    {"another plug-in's class", foreign, "is a preset of another plug-in"},
  };
  for (const auto& test : cases)
  {
    SCOPED_TRACE(test.what);
    std::ofstream(Path("bad.vstpreset"), std::ios::binary) << test.bytes;
    const ProcessResult result = Render({"--preset", Path("bad.vstpreset"), "-o", Path("out.wav")});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_NE(result.err.find(test.wording), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));
  }
  std::ofstream(Path("good.vstpreset"), std::ios::binary) << good;
  EXPECT_EQ(Render({"--list", "--preset", Path("good.vstpreset")}).exitCode, 0);
}

// A malformed bank would write a wrong or overwritten preset file; the build stops instead.
TEST(PresetBankText, MalformedBanksAreRefusedNamingTheLine)
{
  const struct
  {
    const char* text;
    const char* wording;
  } cases[] = {
    {"", "holds no preset"},
    {"Low Level=-3\n", "line 1: \"Low Level=-3\" comes before"},
    {"[A]\nLow Level\n", "line 2: expected NAME=VALUE"},
    {"[Warm]\n\n[WARM]\n", "line 3: a second preset named"},
    {"[dir/name]\n", "cannot name a preset file"},
    {"[.hidden]\n", "cannot name a preset file"},
  };
  for (const auto& test : cases)
  {
    PresetBank bank;
    std::string error;
    EXPECT_FALSE(bank.Parse(test.text, error)) << test.text;
    EXPECT_NE(error.find(test.wording), std::string::npos) << error;
  }
}

}  // namespace
