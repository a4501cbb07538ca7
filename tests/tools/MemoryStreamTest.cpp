#include "tools/host/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace Steinberg;
using TvHost::MemoryStream;

namespace {

std::vector<char> Bytes(const std::string& text)
{
  return {text.begin(), text.end()};
}

}  // namespace

TEST(MemoryStream, WritesGrowAndSeeksMoveThePosition)
{
  MemoryStream stream;
  char hello[] = "hello";
  int32 written = 0;
  ASSERT_EQ(stream.write(hello, 5, &written), kResultOk);
  EXPECT_EQ(written, 5);
  int64 position = -1;
  ASSERT_EQ(stream.seek(1, IBStream::kIBSeekSet, &position), kResultOk);
  EXPECT_EQ(position, 1);
  char ab[] = "AB";
  stream.write(ab, 2);
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "hABlo");

  ASSERT_EQ(stream.seek(-2, IBStream::kIBSeekEnd, &position), kResultOk);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(stream.seek(-4, IBStream::kIBSeekCur, &position), kInvalidArgument);
  ASSERT_EQ(stream.tell(&position), kResultOk);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(stream.seek(0, 7), kInvalidArgument);

  // Writing past the end fills the gap with zeros.
  stream.seek(7, IBStream::kIBSeekSet);
  stream.write(ab, 1);
  EXPECT_EQ(stream.Bytes().size(), 8u);
  EXPECT_EQ(stream.Bytes()[5], 0);
}

TEST(MemoryStream, ReadAtTheEndAnswersAsConfigured)
{
  char buffer[8] = {};
  int32 read = -1;

  MemoryStream succeeding(Bytes("abc"));
  EXPECT_EQ(succeeding.read(buffer, 8, &read), kResultOk);
  EXPECT_EQ(read, 3);
  EXPECT_EQ(succeeding.read(buffer, 4, &read), kResultOk);
  EXPECT_EQ(read, 0);

  MemoryStream failingEmpty(Bytes("abc"), MemoryStream::EndOfData::kFailEmpty);
  EXPECT_EQ(failingEmpty.read(buffer, 8, &read), kResultOk);
  EXPECT_EQ(read, 3);
  EXPECT_EQ(failingEmpty.read(buffer, 4, &read), kResultFalse);
  EXPECT_EQ(read, 0);

  MemoryStream failingShort(Bytes("abc"), MemoryStream::EndOfData::kFailOnShortRead);
  EXPECT_EQ(failingShort.read(buffer, 2, &read), kResultOk);
  EXPECT_EQ(failingShort.read(buffer, 4, &read), kResultFalse);
  EXPECT_EQ(read, 1);
  EXPECT_EQ(buffer[0], 'c');
}

TEST(MemoryStream, ReadsPastASeekBeyondTheEndDeliverNothing)
{
  MemoryStream stream(Bytes("abc"));
  ASSERT_EQ(stream.seek(10, IBStream::kIBSeekSet), kResultOk);
  char buffer[4];
  int32 read = -1;
  EXPECT_EQ(stream.read(buffer, 4, &read), kResultOk);
  EXPECT_EQ(read, 0);
  EXPECT_EQ(stream.read(nullptr, 4, &read), kInvalidArgument);
}

TEST(MemoryStream, SavesAndLoadsFiles)
{
  const std::string path = testing::TempDir() + "memory_stream_test.bin";
  MemoryStream original(Bytes(std::string("a\0b", 3)));
  ASSERT_TRUE(original.SaveFile(path));
  MemoryStream loaded;
  ASSERT_TRUE(loaded.LoadFile(path));
  EXPECT_EQ(loaded.Bytes(), original.Bytes());
  std::remove(path.c_str());
  EXPECT_FALSE(loaded.LoadFile(path));
  EXPECT_FALSE(loaded.LoadFile(testing::TempDir()));  // a folder opens but cannot be read
  EXPECT_FALSE(original.SaveFile("/nonexistent-folder/state.bin"));
}
