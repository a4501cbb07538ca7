// The state extension after the image: the parameters the image does not hold and the editor
// scale, read back by this version and passed over by readers of the image alone.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingPlug.h"
#include "framework/StateChunk.h"
#include "framework/StateExtension.h"

namespace {
constexpr double kOlder = 0.0;  // what states without the mode stand for
constexpr double kNewer = 1.0;  // the mode's default

// Mix, switch and bits form the image, as in an earlier version; the mode came later.
class ExtendedPlug : public RecordingPlug
{
public:
  explicit ExtendedPlug(int nPresets = 1) : RecordingPlug(4, "1-1 2-2", nPresets)
  {
    ParamAt(0)->DefineDouble("Mix", 25.0, 0.0, 100.0, 1.0, 1.0, "%");
    ParamAt(1)->DefineBool("Switch", true);
    ParamAt(2)->DefineInt("Bits", 24, 4, 24, "bits");
    ParamAt(3)->DefineEnum("Mode", static_cast<int>(kNewer), 2);
    ParamAt(3)->SetValueInOlderStates(kOlder);
    SetImageParamCount(3);
  }

  double Mode() const { return ParamAt(3)->Value(); }
};

void AppendText(StateChunk& chunk, const std::string& bytes)
{
  chunk.Append(bytes.data(), static_cast<int>(bytes.size()));
}

StateChunk Image(double mix = 40.0)
{
  StateChunk chunk;
  for (double v : {mix, 0.0, 12.0})
    chunk.AppendDouble(v);
  return chunk;
}

// The image followed by "TVX1" and the records given as raw bytes.
StateChunk Extended(const std::string& records)
{
  StateChunk chunk = Image();
  AppendText(chunk, "TVX1" + records);
  return chunk;
}

std::string Doubles(std::vector<double> values)
{
  return std::string(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(double));
}

std::string Record(const std::string& tag, const std::string& payload)
{
  const int32_t size = static_cast<int32_t>(payload.size());
  return tag + std::string(reinterpret_cast<const char*>(&size), 4) + payload;
}

std::string BytesOf(const StateChunk& chunk)
{
  return std::string(reinterpret_cast<const char*>(chunk.Bytes()), static_cast<size_t>(chunk.Size()));
}

const std::string kEnd = Record("END ", "");
}  // namespace

TEST(StateExtension, FollowsTheImageWhichReadersOfTheImageAloneStopAt)
{
  ExtendedPlug plug;
  plug.ParamAt(3)->Assign(kOlder);
  StateChunk state;
  ASSERT_TRUE(plug.SerializeState(&state));
  EXPECT_EQ(BytesOf(state), Doubles({25.0, 1.0, 24.0}) + "TVX1" + Record("PARM", Doubles({kOlder})) + kEnd);

  ExtendedPlug reader;
  EXPECT_EQ(24, reader.UnserializeParams(&state, 0));
  EXPECT_EQ(kNewer, reader.Mode());
  EXPECT_EQ(state.Size(), reader.UnserializeState(&state, 0));
  EXPECT_EQ(kOlder, reader.Mode());
}

// Every case restores the image, applies each parameter once, and never reads past the data.
TEST(StateExtension, LaterParametersComeFromTheRecordOrStandForAnOlderState)
{
  const std::string saved = Record("PARM", Doubles({kNewer}));
  StateChunk cutImage = Image();
  cutImage.Resize(20);
  const struct
  {
    const char* what;
    StateChunk chunk;
    int end;
    double mode;
  } cases[] = {
    {"no extension", Image(), 24, kOlder},
    {"the record", Extended(saved + kEnd), 24 + 4 + 16 + 8, kNewer},
    {"without the closing record", Extended(saved), 24 + 4 + 16, kNewer},
    {"an unknown record first", Extended(Record("XTRA", "abc") + saved + kEnd), 24 + 4 + 11 + 16 + 8, kNewer},
    {"a value for a parameter this version lacks", Extended(Record("PARM", Doubles({kNewer, 5.0})) + kEnd),
     24 + 4 + 24 + 8, kNewer},
    {"records after the closing one", Extended(kEnd + saved), 24 + 4 + 8, kOlder},
    {"no values", Extended(Record("PARM", "") + kEnd), 24 + 4 + 8 + 8, kOlder},
    {"value no number", Extended(Record("PARM", Doubles({std::nan("")})) + kEnd), 24 + 4 + 16 + 8, kOlder},
    {"value out of range", Extended(Record("PARM", Doubles({9.0})) + kEnd), 24 + 4 + 16 + 8, kNewer},
    {"record cut", Extended(saved.substr(0, 12)), 24 + 4, kOlder},
    {"length past the end", Extended("PARM\xff\xff\xff\x7f" + Doubles({kNewer})), 24 + 4, kOlder},
    {"negative length", Extended("PARM\xf8\xff\xff\xff" + Doubles({kNewer})), 24 + 4, kOlder},
    {"image cut: the later parameters keep their values", std::move(cutImage), -1, 0.5},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.what);
    ExtendedPlug plug;
    plug.ParamAt(3)->Assign(0.5);
    EXPECT_EQ(c.end, plug.UnserializeState(&c.chunk, 0));
    EXPECT_EQ(40.0, plug.ParamAt(0)->Value());
    EXPECT_EQ(c.mode, plug.Mode());
    EXPECT_EQ(4, plug.applyCount);
  }
}

// An adapter keeps a word of its own between the image and the extension.
TEST(StateExtension, AdaptersReadItAfterTheirOwnWords)
{
  ExtendedPlug writer;
  StateChunk blob;
  ASSERT_TRUE(writer.SerializeParams(&blob));
  blob.AppendInt32(1);
  ASSERT_TRUE(writer.SerializeStateExtension(&blob));

  ExtendedPlug reader;
  reader.ParamAt(3)->Assign(kOlder);
  EXPECT_EQ(24, reader.UnserializeStateAroundGap(&blob, 0, 4));
  EXPECT_EQ(kNewer, reader.Mode());
  EXPECT_EQ(4, reader.applyCount);
  for (const int gap : {0, -4, blob.Size()})
  {
    EXPECT_EQ(24, reader.UnserializeStateAroundGap(&blob, 0, gap)) << gap;
    EXPECT_EQ(kOlder, reader.Mode()) << gap;
  }
}

TEST(StateExtension, PresetsAndThePresetListCarryTheLaterParameters)
{
  ExtendedPlug plug(4);
  plug.AddPresetValues("Values", 40.0, 0, 12, static_cast<int>(kOlder));
  plug.MakePresetFromNamedParams("Named", 1, 3, static_cast<int>(kOlder));
  const StateChunk earlier = Image(60.0);  // saved by a version without the mode
  plug.AddPresetFromChunk("Earlier", &earlier);
  plug.FillDefaultPresets("Default", 1);
  const std::string older = "TVX1" + Record("PARM", Doubles({kOlder})) + kEnd;
  EXPECT_EQ(BytesOf(plug.PresetAt(0)->image), Doubles({40.0, 0.0, 12.0}) + older);
  EXPECT_EQ(BytesOf(plug.PresetAt(1)->image), Doubles({25.0, 1.0, 24.0}) + older);

  StateChunk list;
  ASSERT_TRUE(plug.SerializePresets(&list));
  ExtendedPlug target(4);
  EXPECT_EQ(list.Size(), target.UnserializePresets(&list, 0));
  EXPECT_STREQ("Default", target.PresetName(3));
  for (int slot = 0; slot < 4; ++slot)
  {
    SCOPED_TRACE(slot);
    ASSERT_TRUE(target.LoadPreset(slot));
    EXPECT_EQ(slot == 3 ? kNewer : kOlder, target.Mode());
  }
}

TEST(StateExtension, EditorScaleTravelsAsTheViewRecord)
{
  ExtendedPlug plug;
  EXPECT_EQ(0.0, plug.EditorScaleInState());
  for (const double refused : {0.0, -1.0, std::nan(""), HUGE_VAL})
    plug.SetEditorScaleInState(refused);
  EXPECT_EQ(0.0, plug.EditorScaleInState());
  plug.SetEditorScaleInState(1.5);
  StateChunk state;
  ASSERT_TRUE(plug.SerializeState(&state));
  EXPECT_EQ(BytesOf(state).substr(24 + 4 + 16), Record("VIEW", Doubles({1.5})) + kEnd);

  const struct
  {
    const char* what;
    StateChunk chunk;
    double scale;
  } cases[] = {
    {"saved", std::move(state), 1.5},
    {"with fields of a later version", Extended(Record("VIEW", Doubles({2.25, 7.0}))), 2.25},
    {"no record: the scale stays", Extended(kEnd), 1.25},
    {"too short", Extended(Record("VIEW", "abcd")), 1.25},
    {"no scale", Extended(Record("VIEW", Doubles({-2.0}))), 1.25},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.what);
    ExtendedPlug reader;
    reader.SetEditorScaleInState(1.25);
    reader.UnserializeState(&c.chunk, 0);
    EXPECT_EQ(c.scale, reader.EditorScaleInState());
  }
}

// A plug-in whose image holds every parameter keeps its state the bare image until it has an
// editor scale to keep.
TEST(StateExtension, NoExtensionWhenThereIsNothingToKeep)
{
  RecordingPlug plug(2);
  plug.ParamAt(0)->DefineDouble("Gain", 1.0, 0.0, 2.0, 0.5, 1.0);
  plug.ParamAt(1)->DefineBool("Switch", false);
  StateChunk bare;
  ASSERT_TRUE(plug.SerializeState(&bare));
  EXPECT_EQ(BytesOf(bare), Doubles({1.0, 0.0}));
  plug.SetEditorScaleInState(2.0);
  StateChunk withScale;
  ASSERT_TRUE(plug.SerializeState(&withScale));
  EXPECT_EQ(BytesOf(withScale), Doubles({1.0, 0.0}) + "TVX1" + Record("VIEW", Doubles({2.0})) + kEnd);
}
