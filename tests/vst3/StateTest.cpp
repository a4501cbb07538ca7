// The state blob: the parameter image, the 4-byte bypass word and the extension after them.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/PresetFileIO.h"
#include "tools/host/ProcessDataBuilder.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using TvHost::MemoryStream;
using VstTest::kBypassId;
using VstTest::kImageParamCount;
using VstTest::kParamCount;

namespace {

constexpr size_t kImageBytes = VstTest::kImageBytes;
constexpr size_t kExtensionAt = kImageBytes + 4;
constexpr ParamID kMultiband = 41;  // saved as 1 by ChangedBlob
constexpr ParamID kOversample = 42;
constexpr ParamID kQuality = 43;  // "Classic" 0, "Clean" 1

class StateTest : public VstTest::PluginTest
{
protected:
  explicit StateTest(std::string hostName = "Test Host") : PluginTest(std::move(hostName)) {}

  std::vector<char> SavedState()
  {
    MemoryStream stream;
    EXPECT_EQ(Component()->getState(&stream), kResultOk);
    return stream.Bytes();
  }

  void SetBypass(bool bypassed)
  {
    TvHost::ParameterChanges changes;
    changes.AddChange(kBypassId, bypassed ? 1.0 : 0.0);
    TvHost::ProcessDataBuilder buffers(kSample32, 2, 2, 1);
    ASSERT_EQ(Processor()->process(buffers.Prepare(0, &changes)), kResultOk);
  }

  std::vector<double> Values()
  {
    std::vector<double> values;
    for (int i = 0; i < kParamCount; ++i)
      values.push_back(Controller()->getParamNormalized(i));
    return values;
  }

  // A saved blob with every parameter away from its default and the plug-in bypassed.
  std::vector<char> ChangedBlob()
  {
    for (int i = 0; i < kParamCount; ++i)
      Controller()->setParamNormalized(i, (i % 2 == 0) ? 0.0 : 1.0);
    SetBypass(true);
    std::vector<char> blob = SavedState();
    return blob;
  }

  tresult Load(std::vector<char> bytes, MemoryStream::EndOfData endOfData)
  {
    MemoryStream stream(std::move(bytes), endOfData);
    return Component()->setState(&stream);
  }
};

class WaveLabStateTest : public StateTest
{
protected:
  WaveLabStateTest() : StateTest("WaveLab 8") {}
};

double ReadDouble(const std::vector<char>& bytes, size_t at)
{
  double value = 0.0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

}  // namespace

// Versions before the extension read the first 43 values and the bypass word where they
// always stood and stop there.
TEST_F(StateTest, BlobIsTheImageTheBypassWordAndTheExtension)
{
  std::vector<char> blob = SavedState();
  ASSERT_EQ(blob.size(), static_cast<size_t>(VstTest::kStateBytes));
  EXPECT_EQ(ReadDouble(blob, 0), 100.0);
  EXPECT_EQ(ReadDouble(blob, 64), 24.0);
  EXPECT_EQ(ReadDouble(blob, 336), 0.0);
  EXPECT_EQ(std::vector<char>(blob.begin() + kImageBytes, blob.begin() + kExtensionAt), std::vector<char>(4, 0));
  EXPECT_EQ(std::string(blob.begin() + kExtensionAt, blob.begin() + kExtensionAt + 16),
            std::string("TVX1PARM\x08\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(ReadDouble(blob, kExtensionAt + 12), 1.0);  // "Clean"
  EXPECT_EQ(std::string(blob.end() - 8, blob.end()), std::string("END \0\0\0\0", 8));

  SetBypass(true);
  blob = SavedState();
  EXPECT_EQ(std::vector<char>(blob.begin() + kImageBytes, blob.begin() + kExtensionAt),
            (std::vector<char>{1, 0, 0, 0}));
  EXPECT_EQ(Controller()->getState(nullptr), kInvalidArgument);
}

TEST_F(StateTest, RoundTripRestoresEveryValueAndBypass)
{
  const std::vector<char> blob = ChangedBlob();
  const std::vector<double> saved = Values();
  ASSERT_TRUE(instance->SetupProcessing(48000.0, 64, kSample32));  // clears bypass
  for (int i = 0; i < kParamCount; ++i)
    Controller()->setParamNormalized(i, 0.5);
  ASSERT_NE(Values(), saved);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 0.0);

  ASSERT_EQ(Load(blob, MemoryStream::EndOfData::kSucceedEmpty), kResultOk);
  EXPECT_EQ(Values(), saved);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 1.0);

  // The controller side reads the same blob the same way.
  SetBypass(false);
  MemoryStream stream(blob);
  ASSERT_EQ(Controller()->setComponentState(&stream), kResultOk);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 1.0);

  // Hosts may hand over a stream positioned inside a larger one: the bypass word is the one
  // after the image, not the one at the image's length from the stream's start, and the
  // extension ends at its closing record, not at the project's other data after it.
  SetBypass(false);
  for (int i = 0; i < kParamCount; ++i)
    Controller()->setParamNormalized(i, 0.5);
  std::vector<char> project(16, '\0');
  project.insert(project.end(), blob.begin(), blob.end());
  for (const char* more : {"PARM", "\x08\0\0\0", "\0\0\0\0", "\0\0\0\0"})
    project.insert(project.end(), more, more + 4);
  MemoryStream embedded(project, MemoryStream::EndOfData::kFailEmpty);
  ASSERT_EQ(embedded.seek(16, IBStream::kIBSeekSet, nullptr), kResultOk);
  ASSERT_EQ(Component()->setState(&embedded), kResultOk);
  EXPECT_EQ(Values(), saved);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 1.0);
}

TEST_F(StateTest, BlobEndingAfterTheImage)
{
  std::vector<char> blob = ChangedBlob();
  std::vector<double> saved = Values();
  blob.resize(kImageBytes);
  saved[kQuality] = 0.0;  // without the extension: a state of an earlier version

  // A stream that fails the read past its end: parameters restored, bypass kept, failure.
  SetBypass(false);
  for (int i = 0; i < kParamCount; ++i)
    Controller()->setParamNormalized(i, 0.5);
  EXPECT_EQ(Load(blob, MemoryStream::EndOfData::kFailEmpty), kResultFalse);
  EXPECT_EQ(Values(), saved);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 0.0);

  // A stream that answers that read with success and no bytes: bypass cleared.
  SetBypass(true);
  EXPECT_EQ(Load(blob, MemoryStream::EndOfData::kSucceedEmpty), kResultOk);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 0.0);
}

TEST_F(StateTest, ShortImageRestoresWhatItHolds)
{
  std::vector<char> blob = ChangedBlob();
  const std::vector<double> saved = Values();
  for (int i = 0; i < kParamCount; ++i)
    Controller()->setParamNormalized(i, 0.5);
  const std::vector<double> before = Values();
  blob.resize(80);
  EXPECT_EQ(Load(blob, MemoryStream::EndOfData::kFailEmpty), kResultFalse);
  const std::vector<double> after = Values();
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(after[i], saved[i]) << i;
  EXPECT_EQ(after[10], 0.0);  // where the image ran out: 0, limited into the range
  for (int i = 11; i < kParamCount; ++i)
    EXPECT_EQ(after[i], before[i]) << i;
}

// Whatever happens to the extension, the image and the bypass word count as saved; the quality
// is the saved one only from a whole "PARM" record, else "Classic" as in an earlier version.
TEST_F(StateTest, DamagedExtensionsNeverTouchTheImage)
{
  const std::vector<char> blob = ChangedBlob();  // quality saved as "Clean"
  const std::vector<double> saved = Values();
  const auto cut = [&](size_t size) { return std::vector<char>(blob.begin(), blob.begin() + size); };
  const auto patched = [&](size_t at, const std::string& bytes) {
    std::vector<char> copy = blob;
    std::copy(bytes.begin(), bytes.end(), copy.begin() + at);
    return copy;
  };
  const auto withValue = [&](double value) {
    std::vector<char> copy = blob;
    std::memcpy(copy.data() + kExtensionAt + 12, &value, sizeof value);
    return copy;
  };
  std::vector<char> unknownFirst = blob;
  const std::string unknown("XTRA\x03\0\0\0abc", 11);
  unknownFirst.insert(unknownFirst.begin() + kExtensionAt + 4, unknown.begin(), unknown.end());
  std::vector<char> laterValue = patched(kExtensionAt + 8, std::string("\x10\0\0\0", 4));
  const double lacking = 1.0;
  laterValue.insert(laterValue.begin() + kExtensionAt + 20, reinterpret_cast<const char*>(&lacking),
                    reinterpret_cast<const char*>(&lacking) + sizeof lacking);

  const size_t lengthAt = kExtensionAt + 8;
  const struct
  {
    const char* what;
    std::vector<char> bytes;
    double quality;
  } cases[] = {
    {"as saved", blob, 1.0},
    {"an unknown record first", unknownFirst, 1.0},
    {"a value for a parameter this version lacks", laterValue, 1.0},
    {"no closing record", cut(blob.size() - 8), 1.0},
    {"value out of range", withValue(7.0), 1.0},
    {"value no number", withValue(std::nan("")), 0.0},
    {"cut after the magic", cut(kExtensionAt + 4), 0.0},
    {"cut in a record header", cut(kExtensionAt + 10), 0.0},
    {"cut in the value", cut(kExtensionAt + 16), 0.0},
    {"length past the end", patched(lengthAt, std::string("\xff\xff\xff\x7f", 4)), 0.0},
    {"negative length", patched(lengthAt, std::string("\xf8\xff\xff\xff", 4)), 0.0},
    {"record without values", patched(lengthAt, std::string("\x04\0\0\0", 4)), 0.0},
    {"other magic", patched(kExtensionAt, "TVX2"), 0.0},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.what);
    SetBypass(false);
    for (int i = 0; i < kParamCount; ++i)
      Controller()->setParamNormalized(i, i == kQuality ? 1.0 : 0.5);
    ASSERT_EQ(Load(c.bytes, MemoryStream::EndOfData::kFailEmpty), kResultOk);
    const std::vector<double> values = Values();
    EXPECT_EQ(std::vector<double>(values.begin(), values.begin() + kImageParamCount),
              std::vector<double>(saved.begin(), saved.begin() + kImageParamCount));
    EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 1.0);
    EXPECT_EQ(values[kQuality], c.quality);
  }
}

// States and preset files saved by version 1.2.0, which had no extension: their 43 values and
// bypass word as saved, and the quality "Classic", whatever the instance had before.
TEST_F(StateTest, StatesOfEarlierVersionsLoadAsClassic)
{
  const std::string folder = TV_OLD_STATES_DIR;
  std::ifstream file(folder + "/state-v1.2.0.bin", std::ios::binary);
  const std::vector<char> state{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_EQ(state.size(), kImageBytes + 4);
  TvHost::PresetContents preset;
  std::string error;
  ASSERT_TRUE(TvHost::ReadPresetFile(folder + "/preset-v1.2.0.vstpreset", preset, error)) << error;

  const ParamID kMidSatGain = 17;
  const ParamID kHighLevel = 39;
  const struct
  {
    const char* what;
    std::vector<char> bytes;
    std::vector<std::pair<ParamID, double>> expected;  // normalised values
  } cases[] = {
    {"state", state, {{kOversample, 1.0}, {kMidSatGain, 12.3 / 60}, {kMultiband, 1.0}, {kBypassId, 1.0}}},
    {"preset file", preset.componentState, {{kOversample, 1.0}, {kHighLevel, 24.0 / 36}, {kMultiband, 0.0}}},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.what);
    SetBypass(false);
    Controller()->setParamNormalized(kQuality, 1.0);
    ASSERT_EQ(Load(c.bytes, MemoryStream::EndOfData::kFailEmpty), kResultOk);
    EXPECT_EQ(Controller()->getParamNormalized(kQuality), 0.0);
    for (const auto& [id, value] : c.expected)
      EXPECT_NEAR(Controller()->getParamNormalized(id), value, 1e-12) << id;
    // Saved again, the state carries the quality the project had.
    const std::vector<char> again = SavedState();
    ASSERT_EQ(again.size(), static_cast<size_t>(VstTest::kStateBytes));
    EXPECT_EQ(ReadDouble(again, kExtensionAt + 12), 0.0);
    EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.begin() + kImageBytes, again.begin()));
  }
}

TEST_F(StateTest, HostileStreamsNeverBreakTheValues)
{
  std::mt19937 random(7);
  std::vector<std::vector<char>> blobs = {
    {}, {1}, std::vector<char>(7, '\xff'), std::vector<char>(kImageBytes + 3, '\x7f')};
  std::vector<char> noise(100000);
  for (char& byte : noise)
    byte = static_cast<char>(random());
  blobs.push_back(noise);
  blobs.push_back(std::vector<char>(20 * 1024 * 1024, '\xff'));  // NaN patterns, beyond any state

  for (const std::vector<char>& blob : blobs)
  {
    for (auto endOfData : {MemoryStream::EndOfData::kSucceedEmpty, MemoryStream::EndOfData::kFailEmpty,
                           MemoryStream::EndOfData::kFailOnShortRead})
    {
      Load(blob, endOfData);
      for (double value : Values())
        ASSERT_TRUE(value >= 0.0 && value <= 1.0) << blob.size();
    }
  }
  EXPECT_EQ(Component()->setState(nullptr), kInvalidArgument);
}

// A stream whose last piece comes with an error: only the host known to do this keeps it.
TEST_F(StateTest, ReadErrorEndsReadingForOrdinaryHosts)
{
  const std::vector<char> blob = ChangedBlob();
  const std::vector<double> saved = Values();
  Controller()->setParamNormalized(kMultiband, 0.0);
  EXPECT_EQ(Load(blob, MemoryStream::EndOfData::kFailOnShortRead), kResultFalse);
  EXPECT_EQ(Controller()->getParamNormalized(kMultiband), 0.0);
  EXPECT_NE(Values(), saved);
}

TEST_F(WaveLabStateTest, ReadErrorWithBytesIsKeptForWaveLab)
{
  const std::vector<char> blob = ChangedBlob();
  const std::vector<double> saved = Values();
  Controller()->setParamNormalized(kMultiband, 0.0);
  SetBypass(false);
  EXPECT_EQ(Load(blob, MemoryStream::EndOfData::kFailOnShortRead), kResultOk);
  EXPECT_EQ(Values(), saved);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 1.0);
}
