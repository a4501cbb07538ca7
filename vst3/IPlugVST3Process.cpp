// The audio path of IPlugVST3: parameter queues, events and the block itself. Everything
// here runs under the plug-in's mutex, allocates nothing and makes no system call.

#include "vst3/IPlugVST3.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <type_traits>

#include "framework/ScopedFlushToZero.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kEventNoteOn = Event::kNoteOnEvent;
constexpr int kEventNoteOff = Event::kNoteOffEvent;

template <typename Sample>
Sample** HostChannels(AudioBusBuffers& bus)
{
  if constexpr (std::is_same_v<Sample, float>)
    return bus.channelBuffers32;
  else
    return bus.channelBuffers64;
}

}  // namespace

tresult PLUGIN_API IPlugVST3::process(ProcessData& data)
{
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  const ScopedFlushToZero flushToZero;

  if (data.processContext != nullptr)
    mProcessContext = *data.processContext;
  ApplyParameterChanges(data.inputParameterChanges);
  if (DoesMidi())
    HandleEvents(data.inputEvents);

  // The buffers of a block in another precision than the one set up would be read past
  // their ends; its parameter changes still count, as a block without audio's do.
  if (data.numSamples > 0 && data.symbolicSampleSize != processSetup.symbolicSampleSize)
    return kInvalidArgument;
  if (processSetup.symbolicSampleSize == kSample64)
    ProcessAudio(data, mDoubleWindow);
  else if (processSetup.symbolicSampleSize == kSample32)
    ProcessAudio(data, mFloatWindow);
  return kResultOk;
}

// ---- Parameter changes and events -------------------------------------------------------------

// Only each queue's last point counts, at the start of the block. Points that are not finite
// are skipped; others are limited to the normalised range.
void IPlugVST3::ApplyParameterChanges(IParameterChanges* changes)
{
  if (changes == nullptr)
    return;
  const int32 queueCount = changes->getParameterCount();
  for (int32 q = 0; q < queueCount; ++q)
  {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (queue == nullptr)
      continue;
    const int32 points = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    if (points <= 0 || queue->getPoint(points - 1, offset, value) != kResultOk)
      continue;
    if (!std::isfinite(value))
      continue;
    ApplyParameterChange(queue->getParameterId(), std::clamp(value, 0.0, 1.0));
  }
}

void IPlugVST3::ApplyParameterChange(ParamID id, ParamValue value)
{
  if (id == kBypassParamId)
  {
    SetBypassed(value > 0.5);
  }
  else if (id == kPresetParamId)
  {
    // An empty slot would capture the current state into itself, growing its image: here,
    // on the audio thread, a change to an empty slot is ignored instead.
    LoadFilledPreset(static_cast<int>(PresetCount() * value));
  }
  else if (IsPluginParam(id))
  {
    const int index = static_cast<int>(id);
    ParamAt(index)->SetFromNormalized(value);
    if (Editor() != nullptr)
      Editor()->PushParamValue(index, value, true);
    ApplyParamChange(index, kSourceHost);
  }
  else if (IsMidiControllerParam(id))
  {
    const int controller = static_cast<int>(id) - NParams();
    HandleMidiMessage(MidiMessage::ControlChange(controller, value, 0));
  }
}

bool IPlugVST3::IsMidiControllerParam(ParamID id) const
{
  return DoesMidi() && id >= static_cast<ParamID>(NParams()) &&
         id < static_cast<ParamID>(NParams() + kMidiControllerCount);
}

void IPlugVST3::HandleEvents(IEventList* events)
{
  if (events == nullptr)
    return;
  const int32 count = events->getEventCount();
  for (int32 i = 0; i < count; ++i)
  {
    Event event = {};
    if (events->getEvent(i, event) != kResultOk)
      continue;
    if (event.type == kEventNoteOn)
    {
      const float velocity01 = std::isfinite(event.noteOn.velocity) ? event.noteOn.velocity : 0.0f;
      const int velocity = static_cast<int>(std::clamp(velocity01, 0.0f, 1.0f) * 127.0f);
      HandleMidiMessage(MidiMessage::NoteOn(event.noteOn.pitch, velocity, event.sampleOffset, event.noteOn.channel));
    }
    else if (event.type == kEventNoteOff)
    {
      HandleMidiMessage(MidiMessage::NoteOff(event.noteOff.pitch, event.sampleOffset, event.noteOff.channel));
    }
  }
}

// ---- Audio ------------------------------------------------------------------------------------

// A block longer than the block size of setupProcessing is processed in slices of at most
// that size; a block of 0 frames still runs the block routine once.
template <typename Sample>
void IPlugVST3::ProcessAudio(ProcessData& data, ChannelPointerWindow<Sample>& window)
{
  const int frames = std::max(data.numSamples, 0);
  const int sliceLength = BlockSize();
  if (sliceLength < 1)
  {
    SilenceOutputs(data);
    return;
  }
  int offset = 0;
  do
  {
    const int slice = std::min(sliceLength, frames - offset);
    ProcessSlice(data, window, offset, slice);
    offset += slice;
  } while (offset < frames);
}

template <typename Sample>
void IPlugVST3::ProcessSlice(ProcessData& data, ChannelPointerWindow<Sample>& window, int offset, int frames)
{
  ConnectInputChannels(0, InputChannelCount(), false);
  ConnectOutputChannels(0, OutputChannelCount(), false);
  ConnectInputs(data, window, offset, frames);
  ConnectOutputs(data, window, offset);
  RunBlock<Sample>(frames);
}

// Every slice starts with all channels disconnected; only the channels the host passes in
// this call are connected. The main bus feeds the first inputs, a side-chain bus the last.
template <typename Sample>
void IPlugVST3::ConnectInputs(ProcessData& data, ChannelPointerWindow<Sample>& window, int offset, int frames)
{
  AudioBusBuffers* main = data.numInputs >= 1 ? data.inputs : nullptr;
  AudioBusBuffers* side = nullptr;
  if (mSidechainChannels != 0)
  {
    const bool sidechainActive = audioInputs.size() > 1 && audioInputs.at(1)->isActive();
    if (!sidechainActive && mSidechainWasActive)
      ClearScratch();
    mSidechainWasActive = sidechainActive;
    if (sidechainActive && main != nullptr && data.numInputs >= 2)
      side = &data.inputs[1];
  }

  const int mainChannels = MainInputChannels();
  if (main != nullptr)
    ConnectInputChannels(0, std::min(std::max(main->numChannels, 0), mainChannels), true);
  if (side != nullptr)
    ConnectInputChannels(mainChannels, std::min(std::max(side->numChannels, 0), mSidechainChannels), true);
  ForgetStaleInputScratch<Sample>(main, side);

  const int mainRange = mSidechainChannels == 0 ? InputChannelCount() : mainChannels;
  if (main != nullptr)
    BindInputBus(0, mainRange, window.Window(HostChannels<Sample>(*main), main->numChannels, offset), frames);
  if (side != nullptr)
    BindInputBus(mainChannels, mSidechainChannels,
                 window.Window(HostChannels<Sample>(*side), side->numChannels, offset), frames);
}

// A channel fed nothing reads its scratch array. When an earlier 32-bit block left converted
// samples in the scratch of a channel that is not fed now, the scratch arrays are cleared so
// the channel reads silence instead of that old audio.
template <typename Sample>
void IPlugVST3::ForgetStaleInputScratch(AudioBusBuffers* main, AudioBusBuffers* side)
{
  const int mainChannels = MainInputChannels();
  bool stale = false;
  for (int i = 0; i < InputChannelCount(); ++i)
  {
    AudioBusBuffers* bus = i < mainChannels || mSidechainChannels == 0 ? main : side;
    const int channel = bus == main ? i : i - mainChannels;
    Sample** host = bus != nullptr ? HostChannels<Sample>(*bus) : nullptr;
    const bool fed = IsInputConnected(i) && host != nullptr && channel < bus->numChannels && host[channel] != nullptr;
    stale = stale || (!fed && mInputScratchHoldsAudio[i]);
    mInputScratchHoldsAudio[i] = fed && std::is_same_v<Sample, float>;
  }
  if (stale)
    ClearScratch();
}

template <typename Sample>
void IPlugVST3::BindInputBus(int first, int count, Sample** host, int frames)
{
  if constexpr (std::is_same_v<Sample, float>)
    IPlugBase::BindInputBuffers(first, count, host, frames);
  else
    IPlugBase::BindInputBuffers(first, count, host);
}

// Output bus b feeds the next channels; they are connected only while the bus is active. An
// output bus beyond the plug-in's own buses counts as inactive.
template <typename Sample>
void IPlugVST3::ConnectOutputs(ProcessData& data, ChannelPointerWindow<Sample>& window, int offset)
{
  if (data.outputs == nullptr)
    return;
  int first = 0;
  for (int32 b = 0; b < data.numOutputs && first < OutputChannelCount(); ++b)
  {
    AudioBusBuffers& bus = data.outputs[b];
    const int channels = std::max(bus.numChannels, 0);
    const bool active = b < static_cast<int32>(audioOutputs.size()) && audioOutputs.at(b)->isActive();
    ConnectOutputChannels(first, channels, active);
    IPlugBase::BindOutputBuffers(first, channels, window.Window(HostChannels<Sample>(bus), bus.numChannels, offset));
    first += channels;
  }
}

template <typename Sample>
void IPlugVST3::RunBlock(int frames)
{
  if constexpr (std::is_same_v<Sample, float>)
  {
    if (IsBypassed())
      PassThroughFloat(frames);
    else
      ProcessHostBlockFloat(frames);
  }
  else
  {
    if (IsBypassed())
      PassThrough(frames);
    else
      ProcessHostBlock(frames);
  }
}

// Without a block size from setupProcessing nothing can be processed; the host gets silence
// instead of whatever its buffers held.
void IPlugVST3::SilenceOutputs(ProcessData& data)
{
  if (data.outputs == nullptr || data.numSamples < 1)
    return;
  const bool wide = processSetup.symbolicSampleSize == kSample64;
  for (int32 b = 0; b < data.numOutputs; ++b)
  {
    AudioBusBuffers& bus = data.outputs[b];
    void** channels =
      wide ? reinterpret_cast<void**>(bus.channelBuffers64) : reinterpret_cast<void**>(bus.channelBuffers32);
    if (channels == nullptr)
      continue;
    const size_t bytes = static_cast<size_t>(data.numSamples) * (wide ? sizeof(double) : sizeof(float));
    for (int32 c = 0; c < bus.numChannels; ++c)
      if (channels[c] != nullptr)
        std::memset(channels[c], 0, bytes);
  }
}
