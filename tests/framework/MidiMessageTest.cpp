#include <limits>

#include <gtest/gtest.h>

#include "framework/MidiMessage.h"

TEST(MidiMessage, ConstructorsAndKinds)
{
  const MidiMessage on = MidiMessage::NoteOn(60, 100, 12, 3);
  EXPECT_EQ(0x93, on.status);
  EXPECT_EQ(100, on.data2);
  EXPECT_STREQ("noteon", MidiMessage::KindName(on.Kind()));
  EXPECT_EQ(63, MidiMessage::ControlChange(7, 0.5, 1).data2);
  EXPECT_STREQ("none", MidiMessage::KindName(MidiMessage().Kind()));
  EXPECT_STREQ("unknown", MidiMessage::KindName(3));
}

TEST(MidiMessage, PitchBendCoversTheFourteenBitRange)
{
  const MidiMessage centre = MidiMessage::PitchBend(0, 0.0);
  EXPECT_EQ(0xE0, centre.status);
  EXPECT_EQ(0, centre.data1);
  EXPECT_EQ(64, centre.data2);
  const MidiMessage top = MidiMessage::PitchBend(0, 1.0);  // limited to 8191
  EXPECT_EQ(0x7F, top.data1);
  EXPECT_EQ(127, top.data2);
  EXPECT_EQ(0, MidiMessage::PitchBend(0, -1.0).data2);
  EXPECT_EQ(0, MidiMessage::PitchBend(0, std::numeric_limits<double>::quiet_NaN()).data2);
}
