#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "framework/MidiMessage.h"

TEST(MidiMessage, ConstructorsBuildStatusAndData)
{
  const MidiMessage on = MidiMessage::NoteOn(60, 100, 12, 3);
  EXPECT_EQ(0x93, on.status);
  EXPECT_EQ(60, on.data1);
  EXPECT_EQ(100, on.data2);
  EXPECT_EQ(12, on.offset);
  EXPECT_STREQ("noteon", MidiMessage::KindName(on.Kind()));

  const MidiMessage off = MidiMessage::NoteOff(60, 5, 0);
  EXPECT_EQ(0x80, off.status);
  EXPECT_EQ(0, off.data2);

  const MidiMessage cc = MidiMessage::ControlChange(7, 0.5, 1);
  EXPECT_EQ(0xB1, cc.status);
  EXPECT_EQ(63, cc.data2);
  EXPECT_EQ(0, cc.offset);
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
  const MidiMessage bottom = MidiMessage::PitchBend(0, -1.0);
  EXPECT_EQ(0, bottom.data1);
  EXPECT_EQ(0, bottom.data2);
  const MidiMessage nan = MidiMessage::PitchBend(0, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(0, nan.data2);
}

TEST(MidiMessage, KindNames)
{
  MidiMessage m;
  EXPECT_STREQ("none", MidiMessage::KindName(m.Kind()));
  m.status = 0xF0;
  EXPECT_EQ(MidiMessage::kNone, m.Kind());
  m.status = 0xE5;
  EXPECT_STREQ("pitchwheel", MidiMessage::KindName(m.Kind()));
  EXPECT_STREQ("unknown", MidiMessage::KindName(3));
}
