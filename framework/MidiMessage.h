#pragma once

#include <cstdint>

// The framework's MIDI event record: sample offset within the block, status, two data bytes.
struct MidiMessage
{
  enum StatusKind
  {
    kNone = 0,
    kNoteOff = 8,
    kNoteOn = 9,
    kPolyAftertouch = 10,
    kControlChange = 11,
    kProgramChange = 12,
    kChannelAftertouch = 13,
    kPitchWheel = 14
  };

  static MidiMessage NoteOn(int note, int velocity, int offset, int channel);
  static MidiMessage NoteOff(int note, int offset, int channel);
  // value in 0..1, scaled to 0..127.
  static MidiMessage ControlChange(int controller, double value, int channel);
  // value in -1..1, scaled to the 14-bit bend range.
  static MidiMessage PitchBend(int channel, double value);

  // The high nibble of a channel-voice status (0x80..0xEF), kNone otherwise.
  int Kind() const;
  static const char* KindName(int kind);

  int offset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};
