#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingPlug.h"
#include "framework/Base64.h"
#include "framework/StateChunk.h"

namespace {
// Mix 0..100 (default 25), switch (default on), bits int 4..24 (default 24).
class PresetPlug : public RecordingPlug
{
public:
  explicit PresetPlug(int nPresets = 3) : RecordingPlug(3, "1-1 2-2", nPresets)
  {
    ParamAt(0)->DefineDouble("Mix", 25.0, 0.0, 100.0, 1.0, 1.0, "%");
    ParamAt(1)->DefineBool("Switch", true);
    ParamAt(2)->DefineInt("Bits", 24, 4, 24, "bits");
  }

  std::vector<double> Values() const { return {ParamAt(0)->Value(), ParamAt(1)->Value(), ParamAt(2)->Value()}; }
};

StateChunk ImageOf(const std::vector<double>& values)
{
  StateChunk chunk;
  for (double v : values)
    chunk.AppendDouble(v);
  return chunk;
}

std::vector<double> DoublesIn(const StateChunk& chunk, int start = 0)
{
  std::vector<double> values;
  double v = 0;
  for (int pos = chunk.ReadDouble(&v, start); pos >= 0; pos = chunk.ReadDouble(&v, pos))
    values.push_back(v);
  return values;
}

std::string ReadAndRemove(const std::string& path)
{
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  std::remove(path.c_str());
  return text.str();
}

// For one scope, files this process writes cannot grow past a few bytes, as on a full disk.
class FileSizeLimit
{
public:
  explicit FileSizeLimit(rlim_t bytes) : mSavedHandler(std::signal(SIGXFSZ, SIG_IGN))
  {
    getrlimit(RLIMIT_FSIZE, &mSaved);
    rlimit limit = mSaved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit()
  {
    setrlimit(RLIMIT_FSIZE, &mSaved);
    std::signal(SIGXFSZ, mSavedHandler);
  }

private:
  void (*mSavedHandler)(int);
  rlimit mSaved = {};
};
}  // namespace

TEST(StateChunk, ReadsReportTheNextPositionOrMinusOne)
{
  StateChunk chunk;
  EXPECT_EQ(1, chunk.Append("\1", 1));
  EXPECT_EQ(9, chunk.AppendDouble(-2.5));
  EXPECT_EQ(13, chunk.AppendInt32(-7));
  double d = 0;
  int32_t i = 0;
  EXPECT_EQ(9, chunk.ReadDouble(&d, 1));  // unaligned
  EXPECT_EQ(-2.5, d);
  EXPECT_EQ(13, chunk.ReadInt32(&i, 9));
  EXPECT_EQ(-7, i);
  d = 42;
  EXPECT_EQ(-1, chunk.ReadDouble(&d, 6));
  EXPECT_EQ(-1, chunk.ReadDouble(&d, -3));
  EXPECT_EQ(42, d);
  EXPECT_EQ(-1, chunk.Append("", -1));
}

TEST(ParamState, ImageIsTheValuesAfterWhatTheChunkHolds)
{
  PresetPlug plug;
  StateChunk chunk;
  chunk.AppendInt32(99);
  ASSERT_TRUE(plug.SerializeState(&chunk));
  ASSERT_EQ(4 + 24, chunk.Size());
  const unsigned char littleEndian25[8] = {0, 0, 0, 0, 0, 0, 0x39, 0x40};
  EXPECT_EQ(0, std::memcmp(littleEndian25, chunk.Bytes() + 4, 8));
  EXPECT_EQ((std::vector<double>{25.0, 1.0, 24.0}), DoublesIn(chunk, 4));
}

TEST(ParamState, RestoreClampsAppliesEveryParameterAndLeavesTrailingData)
{
  PresetPlug plug;
  StateChunk image = ImageOf({150.0, 0.0, -1.0});
  image.AppendInt32(1);
  EXPECT_EQ(24, plug.UnserializeState(&image, 0));
  EXPECT_EQ((std::vector<double>{100.0, 0.0, 4.0}), plug.Values());
  EXPECT_EQ(3, plug.applyCount);
  EXPECT_EQ(kSourceState, plug.lastSource);
  EXPECT_EQ(-1, plug.UnserializeParams(nullptr, 0));
}

TEST(ParamState, ShortImageRestoresAPrefixAndReportsFailure)
{
  PresetPlug plug;
  plug.ParamAt(2)->Assign(10.0);
  const StateChunk image = ImageOf({50.0});
  EXPECT_EQ(-1, plug.UnserializeParams(&image, 0));
  // Parameter 1 is where the image ran out: it takes 0; parameter 2 keeps its value.
  EXPECT_EQ((std::vector<double>{50.0, 0.0, 10.0}), plug.Values());
  EXPECT_EQ(3, plug.applyCount);
}

TEST(ParamState, NonFiniteValuesInAnImageAreIgnored)
{
  PresetPlug plug;
  const StateChunk image =
    ImageOf({std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(), 8.0});
  EXPECT_EQ(24, plug.UnserializeParams(&image, 0));
  EXPECT_EQ((std::vector<double>{25.0, 1.0, 8.0}), plug.Values());
}

TEST(Presets, DefaultPresetAndLoading)
{
  PresetPlug plug(3);
  EXPECT_STREQ("empty", plug.PresetName(0));
  plug.FillDefaultPresets("-", 1);
  EXPECT_STREQ("-", plug.PresetName(0));
  EXPECT_STREQ("", plug.PresetName(5));
  plug.ParamAt(0)->Assign(80.0);
  auto* editor = new RecordingEditor();
  plug.AttachEditor(editor);
  editor->pushes.clear();
  EXPECT_TRUE(plug.LoadPreset(0));
  EXPECT_EQ((std::vector<double>{25.0, 1.0, 24.0}), plug.Values());
  EXPECT_EQ(1, plug.presetChangedCount);
  EXPECT_EQ(3u, editor->pushes.size());
  EXPECT_FALSE(plug.LoadPreset(3));
  EXPECT_FALSE(plug.LoadPreset(-1));

  // Loading a free slot captures the current values under a new user-preset name.
  plug.ParamAt(0)->Assign(60.0);
  EXPECT_TRUE(plug.LoadPreset(1));
  EXPECT_TRUE(plug.LoadPreset(2));
  EXPECT_STREQ("user preset 1", plug.PresetName(1));
  EXPECT_STREQ("user preset 2", plug.PresetName(2));
  EXPECT_EQ(2, plug.CurrentPresetIndex());
  EXPECT_TRUE(plug.LoadPresetByName("-"));
  EXPECT_EQ(25.0, plug.ParamAt(0)->Value());
  EXPECT_FALSE(plug.LoadPresetByName(""));
  EXPECT_FALSE(plug.LoadPresetByName("nothing"));
}

TEST(Presets, ModifyAddFillAndPrune)
{
  PresetPlug plug(3);
  plug.FillDefaultPresets(nullptr, 1);
  EXPECT_STREQ("Empty", plug.PresetName(0));
  plug.ParamAt(0)->Assign(70.0);
  plug.ModifyCurrentPreset("Changed");
  EXPECT_STREQ("Changed", plug.PresetName(0));
  EXPECT_EQ(70.0, DoublesIn(plug.PresetAt(0)->image)[0]);
  plug.AddPresetValues("Values", 40.0, 0, 12);  // ints for the switch and the bits
  EXPECT_EQ((std::vector<double>{40.0, 0.0, 12.0}), DoublesIn(plug.PresetAt(1)->image));
  plug.PruneEmptyPresets();
  EXPECT_EQ(2, plug.PresetCount());

  PresetPlug other(2);
  other.FillEmptyPresets();
  EXPECT_STREQ("Empty", other.PresetName(1));
  EXPECT_TRUE(other.PresetAt(1)->initialised);
}

TEST(Presets, NamedParamsNeverWriteOutsideTheList)
{
  PresetPlug plug(2);
  plug.ParamAt(0)->Assign(33.0);
  plug.MakePresetFromNamedParams("Named", 1, 2, 8);
  EXPECT_EQ((std::vector<double>{33.0, 1.0, 8.0}), DoublesIn(plug.PresetAt(0)->image));
  // An index outside the list is skipped; the pairs after it cannot be read safely.
  plug.MakePresetFromNamedParams("Bad", 2, 0, 90.0, 7, 1.0);
  EXPECT_EQ((std::vector<double>{90.0, 1.0, 24.0}), DoublesIn(plug.PresetAt(1)->image));
}

TEST(Base64, RoundTripAndZeroFill)
{
  const unsigned char bytes[] = {0, 1, 2, 250, 251, 252, 253};
  for (int n = 0; n <= 7; ++n)
  {
    const std::string text = Base64::Encode(bytes, n);
    EXPECT_EQ(static_cast<size_t>((n + 2) / 3 * 4), text.size());
    unsigned char decoded[8];
    EXPECT_EQ(n, Base64::Decode(text.c_str(), decoded, n));
    EXPECT_EQ(0, std::memcmp(bytes, decoded, n));
  }
  EXPECT_EQ("TQ==", Base64::Encode(reinterpret_cast<const unsigned char*>("M"), 1));
  unsigned char out[6];
  EXPECT_EQ(3, Base64::Decode("TWFu", out, 6));
  EXPECT_EQ(0, std::memcmp("Man\0\0\0", out, 6));
  EXPECT_EQ(2, Base64::Decode("TWFu", out, 2));      // bytes beyond the size are dropped
  EXPECT_EQ(1, Base64::Decode("TQ==TWFu", out, 6));  // "=" ends the text

  PresetPlug plug(1);
  const StateChunk image = ImageOf({12.0});
  plug.MakePresetFromBlob("Blob", Base64::Encode(image.Bytes(), image.Size()).c_str(), 24);
  EXPECT_EQ((std::vector<double>{12.0, 0.0, 0.0}), DoublesIn(plug.PresetAt(0)->image));
}

TEST(PresetList, RoundTrip)
{
  PresetPlug source(3);
  source.FillDefaultPresets("First", 1);
  source.ParamAt(0)->Assign(55.0);
  source.FillDefaultPresets("Second", 1);
  StateChunk list;
  ASSERT_TRUE(source.SerializePresets(&list));
  EXPECT_EQ((4 + 5 + 1 + 24) + (4 + 6 + 1 + 24) + (4 + 5 + 1), list.Size());  // the free slot has no image

  PresetPlug target(3);
  EXPECT_EQ(list.Size(), target.UnserializePresets(&list, 0));
  EXPECT_STREQ("Second", target.PresetName(1));
  EXPECT_EQ(55.0, DoublesIn(target.PresetAt(1)->image)[0]);
  EXPECT_EQ(25.0, target.ParamAt(0)->Value());  // the list ends by loading preset 0
}

TEST(PresetList, HostileImagesEndTheLoopWithMinusOne)
{
  const int32_t lengths[] = {-8, -1, 1000, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
  for (int32_t length : lengths)
  {
    PresetPlug plug(2);
    plug.FillDefaultPresets("Kept", 1);
    StateChunk list;
    list.AppendInt32(length);
    list.Append("abcd\1", 5);
    EXPECT_EQ(-1, plug.UnserializePresets(&list, 0)) << length;
    EXPECT_STREQ("Kept", plug.PresetName(0)) << length;
  }
  PresetPlug plug(2);
  StateChunk truncated;
  truncated.AppendInt32(3);
  truncated.Append("abc", 3);  // the initialised byte is missing
  EXPECT_EQ(-1, plug.UnserializePresets(&truncated, 0));
  EXPECT_EQ(-1, plug.UnserializePresets(&truncated, 1000));

  StateChunk nul;
  nul.AppendInt32(5);
  nul.Append("ab\0cd\1", 6);
  nul.AppendChunk(ImageOf({5.0, 0.0, 6.0}));
  PresetPlug single(1);
  EXPECT_EQ(34, single.UnserializePresets(&nul, 0));
  EXPECT_STREQ("ab", single.PresetName(0));  // names end at the first NUL
}

TEST(PresetDumps, SourceAndBlobTexts)
{
  PresetPlug plug(2);
  plug.FillDefaultPresets("-", 1);
  const char* const ids[] = {"kMix", "kSwitch", "kBits"};
  const std::string path = ::testing::TempDir() + "preset_dump.txt";
  ASSERT_TRUE(plug.WritePresetSource(path.c_str(), ids));
  EXPECT_EQ("  MakePresetFromNamedParams(\"name\", 3,\n    kMix, 25.000000,\n    kSwitch, true,\n    kBits, 24);\n",
            ReadAndRemove(path));

  const StateChunk image = ImageOf({25.0, 1.0, 24.0});
  const std::string blob = Base64::Encode(image.Bytes(), image.Size());
  ASSERT_TRUE(plug.WritePresetBlob(path.c_str()));
  EXPECT_EQ("MakePresetFromBlob(\"name\", \"" + blob + "\", 24);\n", ReadAndRemove(path));
  ASSERT_TRUE(plug.WriteBankBlob(path.c_str()));
  EXPECT_EQ("MakePresetFromBlob(\"-\", \"" + blob + "\", 24);\nMakePresetFromBlob(\"empty\", \"\", 0);\n",
            ReadAndRemove(path));
  EXPECT_FALSE(plug.WriteBankBlob("/nonexistent-dir/x/bank.txt"));
}

TEST(PresetDumps, AWriteThatFailsPartWayReportsFalseAndKeepsTheEarlierFile)
{
  PresetPlug plug(2);
  plug.FillDefaultPresets("-", 1);
  const char* const ids[] = {"kMix", "kSwitch", "kBits"};
  const std::vector<std::pair<const char*, std::function<bool(const char*)>>> writers = {
    {"source", [&](const char* path) { return plug.WritePresetSource(path, ids); }},
    {"preset blob", [&](const char* path) { return plug.WritePresetBlob(path); }},
    {"bank blob", [&](const char* path) { return plug.WriteBankBlob(path); }},
  };
  const std::string path = ::testing::TempDir() + "preset_dump_full.txt";
  for (const auto& [what, write] : writers)
  {
    std::ofstream(path) << "earlier";
    bool written = true;
    {
      const FileSizeLimit diskFull(8);
      written = write(path.c_str());
    }
    EXPECT_FALSE(written) << what;
    EXPECT_EQ("earlier", ReadAndRemove(path)) << what;
    EXPECT_FALSE(std::ifstream(path + ".part").good()) << what << ": partial file left behind";
  }
}
