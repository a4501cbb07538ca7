#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingPlug.h"
#include "framework/Base64.h"
#include "framework/StateChunk.h"

namespace
{
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

  std::vector<double> Values() const
  {
    return {ParamAt(0)->Value(), ParamAt(1)->Value(), ParamAt(2)->Value()};
  }
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

std::string ReadFile(const std::string& path)
{
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TempPath(const char* name)
{
  return ::testing::TempDir() + name;
}
}  // namespace

TEST(StateChunk, AppendsAndReadsUnalignedValues)
{
  StateChunk chunk;
  const unsigned char flag = 1;
  EXPECT_EQ(1, chunk.Append(&flag, 1));
  EXPECT_EQ(9, chunk.AppendDouble(-2.5));
  EXPECT_EQ(13, chunk.AppendInt32(-7));
  double d = 0;
  int32_t i = 0;
  EXPECT_EQ(9, chunk.ReadDouble(&d, 1));
  EXPECT_EQ(-2.5, d);
  EXPECT_EQ(13, chunk.ReadInt32(&i, 9));
  EXPECT_EQ(-7, i);
  d = 42;
  EXPECT_EQ(-1, chunk.ReadDouble(&d, 6));
  EXPECT_EQ(42, d);
  EXPECT_EQ(-1, chunk.ReadDouble(&d, -3));
  EXPECT_EQ(-1, chunk.Append(&flag, -1));
  chunk.Clear();
  EXPECT_EQ(0, chunk.Size());
  EXPECT_EQ(-1, chunk.ReadInt32(&i, 0));
}

TEST(StateChunk, ImageIsLittleEndianDoublesWithNothingAround)
{
  PresetPlug plug;
  StateChunk chunk;
  chunk.AppendInt32(99);  // the image goes after what the chunk already holds
  ASSERT_TRUE(plug.SerializeState(&chunk));
  ASSERT_EQ(4 + 24, chunk.Size());
  const unsigned char expected25[8] = {0, 0, 0, 0, 0, 0, 0x39, 0x40};
  EXPECT_EQ(0, std::memcmp(expected25, chunk.Bytes() + 4, 8));
  EXPECT_EQ((std::vector<double>{25.0, 1.0, 24.0}), DoublesIn(chunk, 4));
}

TEST(ParamState, FullImageRestoresAndAppliesEveryParameter)
{
  PresetPlug plug;
  const StateChunk image = ImageOf({150.0, 0.0, -1.0});
  EXPECT_EQ(24, plug.UnserializeState(&image, 0));
  EXPECT_EQ((std::vector<double>{100.0, 0.0, 4.0}), plug.Values());
  EXPECT_EQ(3, plug.applyCount);
  EXPECT_EQ(kSourceState, plug.lastSource);
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
  const StateChunk image = ImageOf({std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(), 8.0});
  EXPECT_EQ(24, plug.UnserializeParams(&image, 0));
  EXPECT_EQ((std::vector<double>{25.0, 1.0, 8.0}), plug.Values());
}

TEST(ParamState, StartPositionAndTrailingData)
{
  PresetPlug plug;
  StateChunk image;
  image.AppendInt32(1);
  image.AppendDouble(30.0);
  image.AppendDouble(0.0);
  image.AppendDouble(5.0);
  image.AppendInt32(1);  // e.g. a bypass word that the caller reads itself
  EXPECT_EQ(28, plug.UnserializeParams(&image, 4));
  EXPECT_EQ((std::vector<double>{30.0, 0.0, 5.0}), plug.Values());
  EXPECT_EQ(-1, plug.UnserializeParams(nullptr, 0));
}

TEST(Presets, DefaultPresetCapturesAndLoadRestores)
{
  PresetPlug plug(2);
  EXPECT_STREQ("empty", plug.PresetName(0));
  plug.FillDefaultPresets("-", 1);
  EXPECT_STREQ("-", plug.PresetName(0));
  EXPECT_STREQ("", plug.PresetName(5));
  plug.ParamAt(0)->Assign(80.0);
  plug.ParamAt(1)->Assign(0.0);
  auto* editor = new RecordingEditor();
  plug.AttachEditor(editor);
  editor->pushes.clear();

  EXPECT_TRUE(plug.LoadPreset(0));
  EXPECT_EQ((std::vector<double>{25.0, 1.0, 24.0}), plug.Values());
  EXPECT_EQ(0, plug.CurrentPresetIndex());
  EXPECT_EQ(1, plug.presetChangedCount);
  EXPECT_EQ(3u, editor->pushes.size());
  EXPECT_FALSE(plug.LoadPreset(2));
  EXPECT_FALSE(plug.LoadPreset(-1));
  EXPECT_EQ(0, plug.CurrentPresetIndex());
}

TEST(Presets, LoadingAFreeSlotCapturesTheCurrentState)
{
  PresetPlug plug(3);
  plug.ParamAt(0)->Assign(60.0);
  EXPECT_TRUE(plug.LoadPreset(1));
  EXPECT_STREQ("user preset 1", plug.PresetName(1));
  EXPECT_TRUE(plug.LoadPreset(2));
  EXPECT_STREQ("user preset 2", plug.PresetName(2));
  EXPECT_EQ(2, plug.CurrentPresetIndex());
  plug.ParamAt(0)->Assign(10.0);
  EXPECT_TRUE(plug.LoadPresetByName("user preset 1"));
  EXPECT_EQ(60.0, plug.ParamAt(0)->Value());
  EXPECT_FALSE(plug.LoadPresetByName(""));
  EXPECT_FALSE(plug.LoadPresetByName(nullptr));
  EXPECT_FALSE(plug.LoadPresetByName("nothing"));
}

TEST(Presets, ModifyFillAndPrune)
{
  PresetPlug plug(3);
  plug.FillDefaultPresets(nullptr, 1);
  EXPECT_STREQ("Empty", plug.PresetName(0));
  plug.ParamAt(0)->Assign(70.0);
  plug.ModifyCurrentPreset("Changed");
  EXPECT_STREQ("Changed", plug.PresetName(0));
  EXPECT_EQ(70.0, DoublesIn(plug.PresetAt(0)->image)[0]);
  plug.ModifyCurrentPreset("");
  EXPECT_STREQ("Changed", plug.PresetName(0));

  plug.AddPresetValues("Values", 40.0, 0, 12);
  EXPECT_STREQ("Values", plug.PresetName(1));
  EXPECT_EQ((std::vector<double>{40.0, 0.0, 12.0}), DoublesIn(plug.PresetAt(1)->image));
  plug.PruneEmptyPresets();
  EXPECT_EQ(2, plug.PresetCount());
  plug.FillEmptyPresets();  // nothing left to fill
  EXPECT_EQ(2, plug.PresetCount());

  PresetPlug other(2);
  other.FillEmptyPresets();
  EXPECT_STREQ("Empty", other.PresetName(1));
  EXPECT_TRUE(other.PresetAt(1)->initialised);
}

TEST(Presets, NamedParamsFillTheRestFromCurrentValues)
{
  PresetPlug plug(2);
  plug.ParamAt(0)->Assign(33.0);
  plug.MakePresetFromNamedParams("Named", 1, 2, 8);
  EXPECT_EQ((std::vector<double>{33.0, 1.0, 8.0}), DoublesIn(plug.PresetAt(0)->image));
  // An index outside the list is never written; the pairs after it cannot be read safely.
  plug.MakePresetFromNamedParams("Bad", 2, 0, 90.0, 7, 1.0);
  EXPECT_EQ((std::vector<double>{90.0, 1.0, 24.0}), DoublesIn(plug.PresetAt(1)->image));
  plug.MakePresetFromNamedParams("No slot", 1, 0, 1.0);  // every slot taken: nothing happens
  EXPECT_STREQ("Bad", plug.PresetName(1));
}

TEST(Base64, RoundTripAndZeroFill)
{
  const unsigned char bytes[] = {0, 1, 2, 250, 251, 252, 253};
  for (int n = 0; n <= 7; ++n)
  {
    const std::string text = Base64::Encode(bytes, n);
    EXPECT_EQ(static_cast<size_t>((n + 2) / 3 * 4), text.size());
    unsigned char decoded[10];
    EXPECT_EQ(n, Base64::Decode(text.c_str(), decoded, n));
    EXPECT_EQ(0, std::memcmp(bytes, decoded, n));
  }
  EXPECT_EQ("TWFu", Base64::Encode(reinterpret_cast<const unsigned char*>("Man"), 3));
  EXPECT_EQ("TQ==", Base64::Encode(reinterpret_cast<const unsigned char*>("M"), 1));

  unsigned char out[6];
  EXPECT_EQ(3, Base64::Decode("TWFu", out, 6));
  EXPECT_EQ(0, std::memcmp("Man\0\0\0", out, 6));
  EXPECT_EQ(2, Base64::Decode("TWFu", out, 2));  // bytes beyond the size are dropped
  EXPECT_EQ(1, Base64::Decode("TQ==TWFu", out, 6));  // "=" ends the text
}

TEST(Presets, BlobPresetDecodesIntoAZeroFilledImage)
{
  PresetPlug plug(1);
  const StateChunk image = ImageOf({12.0});
  const std::string text = Base64::Encode(image.Bytes(), image.Size());
  plug.MakePresetFromBlob("Blob", text.c_str(), 24);
  ASSERT_EQ(24, plug.PresetAt(0)->image.Size());
  EXPECT_EQ((std::vector<double>{12.0, 0.0, 0.0}), DoublesIn(plug.PresetAt(0)->image));
  EXPECT_TRUE(plug.LoadPreset(0));
  EXPECT_EQ((std::vector<double>{12.0, 0.0, 4.0}), plug.Values());
}

TEST(PresetList, RoundTrip)
{
  PresetPlug source(2);
  source.FillDefaultPresets("First", 1);
  source.ParamAt(0)->Assign(55.0);
  source.FillDefaultPresets("Second", 1);
  StateChunk list;
  ASSERT_TRUE(source.SerializePresets(&list));
  EXPECT_EQ(2 * (4 + 1 + 24) + 5 + 6, list.Size());

  PresetPlug target(2);
  EXPECT_EQ(list.Size(), target.UnserializePresets(&list, 0));
  EXPECT_STREQ("First", target.PresetName(0));
  EXPECT_STREQ("Second", target.PresetName(1));
  // The list ends by loading the current preset (0), whose image holds Mix 25.
  EXPECT_EQ(25.0, target.ParamAt(0)->Value());
  EXPECT_EQ(55.0, DoublesIn(target.PresetAt(1)->image)[0]);
}

TEST(PresetList, UninitialisedSlotsCarryNoImage)
{
  PresetPlug plug(2);
  StateChunk list;
  ASSERT_TRUE(plug.SerializePresets(&list));
  EXPECT_EQ(2 * (4 + 5 + 1), list.Size());
}

TEST(PresetList, HostileLengthsEndTheLoopWithoutReadingOutside)
{
  const int32_t lengths[] = {-8, -1, 1000, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
  for (int32_t length : lengths)
  {
    PresetPlug plug(2);
    plug.FillDefaultPresets("Kept", 1);
    StateChunk list;
    list.AppendInt32(length);
    list.Append("abcd", 4);
    list.Append("\1", 1);
    EXPECT_EQ(-1, plug.UnserializePresets(&list, 0)) << length;
    EXPECT_STREQ("Kept", plug.PresetName(0)) << length;
  }

  PresetPlug plug(2);
  StateChunk truncated;
  truncated.AppendInt32(3);
  truncated.Append("abc", 3);  // the initialised byte is missing
  EXPECT_EQ(-1, plug.UnserializePresets(&truncated, 0));
  StateChunk stub;
  stub.Append("\1\0", 2);  // not even a length
  EXPECT_EQ(-1, plug.UnserializePresets(&stub, 0));
  EXPECT_EQ(-1, plug.UnserializePresets(&stub, 1000));
}

TEST(PresetList, NamesAreCutAtTheFirstNul)
{
  PresetPlug plug(1);
  StateChunk list;
  list.AppendInt32(5);
  list.Append("ab\0cd", 5);
  const unsigned char initialised = 1;
  list.Append(&initialised, 1);
  list.AppendChunk(ImageOf({5.0, 0.0, 6.0}));
  EXPECT_EQ(34, plug.UnserializePresets(&list, 0));
  EXPECT_STREQ("ab", plug.PresetName(0));
  EXPECT_EQ((std::vector<double>{5.0, 0.0, 6.0}), plug.Values());
}

TEST(PresetDumps, SourceAndBlobTexts)
{
  PresetPlug plug(2);
  plug.FillDefaultPresets("-", 1);
  const char* const ids[] = {"kMix", "kSwitch", "kBits"};
  const std::string sourcePath = TempPath("preset_source.txt");
  ASSERT_TRUE(plug.WritePresetSource(sourcePath.c_str(), ids));
  EXPECT_EQ("  MakePresetFromNamedParams(\"name\", 3,\n    kMix, 25.000000,\n    kSwitch, true,\n    kBits, 24);\n",
            ReadFile(sourcePath));

  const StateChunk image = ImageOf({25.0, 1.0, 24.0});
  const std::string blob = Base64::Encode(image.Bytes(), image.Size());
  const std::string blobPath = TempPath("preset_blob.txt");
  ASSERT_TRUE(plug.WritePresetBlob(blobPath.c_str()));
  EXPECT_EQ("MakePresetFromBlob(\"name\", \"" + blob + "\", 24);\n", ReadFile(blobPath));

  const std::string bankPath = TempPath("bank_blob.txt");
  ASSERT_TRUE(plug.WriteBankBlob(bankPath.c_str()));
  EXPECT_EQ("MakePresetFromBlob(\"-\", \"" + blob + "\", 24);\nMakePresetFromBlob(\"empty\", \"\", 0);\n",
            ReadFile(bankPath));

  EXPECT_FALSE(plug.WriteBankBlob("/nonexistent-dir/x/bank.txt"));
  std::remove(sourcePath.c_str());
  std::remove(blobPath.c_str());
  std::remove(bankPath.c_str());
}
