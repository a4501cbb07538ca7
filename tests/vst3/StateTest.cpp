// The state blob: the parameter image followed by the 4-byte bypass word.

#include <cstring>
#include <random>
#include <vector>

#include "tests/vst3/PluginTestHost.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/ProcessDataBuilder.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using TvHost::MemoryStream;
using VstTest::kBypassId;
using VstTest::kImageParamCount;

namespace {

constexpr size_t kImageBytes = 8 * kImageParamCount;
constexpr ParamID kMultiband = 41;  // saved as 1 by ChangedBlob

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
    for (int i = 0; i < kImageParamCount; ++i)
      values.push_back(Controller()->getParamNormalized(i));
    return values;
  }

  // A saved blob with every parameter away from its default and the plug-in bypassed.
  std::vector<char> ChangedBlob()
  {
    for (int i = 0; i < kImageParamCount; ++i)
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

TEST_F(StateTest, BlobIsTheParameterImageAndTheBypassWord)
{
  std::vector<char> blob = SavedState();
  ASSERT_EQ(blob.size(), kImageBytes + 4);
  EXPECT_EQ(ReadDouble(blob, 0), 100.0);
  EXPECT_EQ(ReadDouble(blob, 64), 24.0);
  EXPECT_EQ(ReadDouble(blob, 336), 0.0);
  EXPECT_EQ(std::vector<char>(blob.end() - 4, blob.end()), std::vector<char>(4, 0));

  SetBypass(true);
  blob = SavedState();
  EXPECT_EQ(std::vector<char>(blob.end() - 4, blob.end()), (std::vector<char>{1, 0, 0, 0}));
  EXPECT_EQ(Controller()->getState(nullptr), kInvalidArgument);
}

TEST_F(StateTest, RoundTripRestoresEveryValueAndBypass)
{
  const std::vector<char> blob = ChangedBlob();
  const std::vector<double> saved = Values();
  ASSERT_TRUE(instance->SetupProcessing(48000.0, 64, kSample32));  // clears bypass
  for (int i = 0; i < kImageParamCount; ++i)
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
  // after the image, not the one at the image's length from the stream's start.
  SetBypass(false);
  for (int i = 0; i < kImageParamCount; ++i)
    Controller()->setParamNormalized(i, 0.5);
  std::vector<char> project(16, '\0');
  project.insert(project.end(), blob.begin(), blob.end());
  MemoryStream embedded(project, MemoryStream::EndOfData::kFailEmpty);
  ASSERT_EQ(embedded.seek(16, IBStream::kIBSeekSet, nullptr), kResultOk);
  ASSERT_EQ(Component()->setState(&embedded), kResultOk);
  EXPECT_EQ(Values(), saved);
  EXPECT_EQ(Controller()->getParamNormalized(kBypassId), 1.0);
}

TEST_F(StateTest, BlobEndingAfterTheImage)
{
  std::vector<char> blob = ChangedBlob();
  const std::vector<double> saved = Values();
  blob.resize(kImageBytes);

  // A stream that fails the read past its end: parameters restored, bypass kept, failure.
  SetBypass(false);
  for (int i = 0; i < kImageParamCount; ++i)
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
  for (int i = 0; i < kImageParamCount; ++i)
    Controller()->setParamNormalized(i, 0.5);
  const std::vector<double> before = Values();
  blob.resize(80);
  EXPECT_EQ(Load(blob, MemoryStream::EndOfData::kFailEmpty), kResultFalse);
  const std::vector<double> after = Values();
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(after[i], saved[i]) << i;
  EXPECT_EQ(after[10], 0.0);  // where the image ran out: 0, limited into the range
  for (int i = 11; i < kImageParamCount; ++i)
    EXPECT_EQ(after[i], before[i]) << i;
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
