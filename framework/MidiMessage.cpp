#include "framework/MidiMessage.h"

#include <algorithm>

namespace {
uint8_t StatusByte(int kindNibble, int channel)
{
  return static_cast<uint8_t>((kindNibble << 4) | (channel & 0x0F));
}

// Limits v to lo..hi before any integer conversion; NaN gives lo.
double Limited(double v, double lo, double hi)
{
  return !(v > lo) ? lo : std::min(v, hi);
}
}  // namespace

MidiMessage MidiMessage::NoteOn(int note, int velocity, int offset, int channel)
{
  MidiMessage m;
  m.offset = offset;
  m.status = StatusByte(kNoteOn, channel);
  m.data1 = static_cast<uint8_t>(note);
  m.data2 = static_cast<uint8_t>(velocity);
  return m;
}

MidiMessage MidiMessage::NoteOff(int note, int offset, int channel)
{
  MidiMessage m;
  m.offset = offset;
  m.status = StatusByte(kNoteOff, channel);
  m.data1 = static_cast<uint8_t>(note);
  return m;
}

MidiMessage MidiMessage::ControlChange(int controller, double value, int channel)
{
  MidiMessage m;
  m.status = StatusByte(kControlChange, channel);
  m.data1 = static_cast<uint8_t>(controller);
  m.data2 = static_cast<uint8_t>(static_cast<int>(Limited(value, 0.0, 1.0) * 127.0));
  return m;
}

MidiMessage MidiMessage::PitchBend(int channel, double value)
{
  const int v = static_cast<int>(Limited(value * 8192.0, -8192.0, 8191.0));
  MidiMessage m;
  m.status = StatusByte(kPitchWheel, channel);
  m.data1 = static_cast<uint8_t>(v & 0x7F);
  m.data2 = static_cast<uint8_t>(((v + 8192) >> 7) & 0x7F);
  return m;
}

int MidiMessage::Kind() const
{
  return status >= 0x80 && status <= 0xEF ? status >> 4 : kNone;
}

const char* MidiMessage::KindName(int kind)
{
  switch (kind)
  {
    case kNoteOff:
      return "noteoff";
    case kNoteOn:
      return "noteon";
    case kPolyAftertouch:
      return "aftertouch";
    case kControlChange:
      return "controlchange";
    case kProgramChange:
      return "programchange";
    case kChannelAftertouch:
      return "channelaftertouch";
    case kPitchWheel:
      return "pitchwheel";
    case kNone:
      return "none";
    default:
      return "unknown";
  }
}
