#include "tools/host/ProcessDataBuilder.h"

#include <algorithm>

namespace TvHost {

using namespace Steinberg;

namespace {

template <class Sample>
std::vector<Sample*> PointersTo(std::vector<std::vector<Sample>>& channels)
{
  std::vector<Sample*> pointers;
  for (auto& channel : channels)
    pointers.push_back(channel.data());
  return pointers;
}

constexpr double kDefaultTempo = 120.0;

}  // namespace

ProcessDataBuilder::ProcessDataBuilder(int32 symbolicSampleSize, int32 inputChannels, int32 outputChannels,
                                       int32 maxFrames, double sampleRate)
  : mSampleSize(symbolicSampleSize), mMaxFrames(std::max(maxFrames, 0)), mInputChannels(std::max(inputChannels, 0)),
    mOutputChannels(std::max(outputChannels, 0))
{
  const auto frames = static_cast<size_t>(mMaxFrames);
  if (Is64Bit())
  {
    mInputs64.assign(mInputChannels, std::vector<double>(frames, 0.0));
    mOutputs64.assign(mOutputChannels, std::vector<double>(frames, 0.0));
  }
  else
  {
    mInputs32.assign(mInputChannels, std::vector<float>(frames, 0.0f));
    mOutputs32.assign(mOutputChannels, std::vector<float>(frames, 0.0f));
  }
  mInputPointers32 = PointersTo(mInputs32);
  mOutputPointers32 = PointersTo(mOutputs32);
  mInputPointers64 = PointersTo(mInputs64);
  mOutputPointers64 = PointersTo(mOutputs64);

  mContext.sampleRate = sampleRate;
  mContext.tempo = kDefaultTempo;
  mContext.timeSigNumerator = 4;
  mContext.timeSigDenominator = 4;
  mContext.state = Vst::ProcessContext::kPlaying | Vst::ProcessContext::kProjectTimeMusicValid |
                   Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kTimeSigValid;
  LinkBuses();
}

void ProcessDataBuilder::LinkBuses()
{
  mInputBus.numChannels = mInputChannels;
  mOutputBus.numChannels = mOutputChannels;
  if (Is64Bit())
  {
    mInputBus.channelBuffers64 = mInputPointers64.data();
    mOutputBus.channelBuffers64 = mOutputPointers64.data();
  }
  else
  {
    mInputBus.channelBuffers32 = mInputPointers32.data();
    mOutputBus.channelBuffers32 = mOutputPointers32.data();
  }
  mData.symbolicSampleSize = mSampleSize;
  mData.processMode = Vst::kOffline;
  mData.numInputs = mInputChannels > 0 ? 1 : 0;
  mData.numOutputs = mOutputChannels > 0 ? 1 : 0;
  mData.inputs = mInputChannels > 0 ? &mInputBus : nullptr;
  mData.outputs = mOutputChannels > 0 ? &mOutputBus : nullptr;
  mData.processContext = &mContext;
}

void ProcessDataBuilder::SetInput(int32 channel, int32 frame, double value)
{
  Store(mInputs32, mInputs64, channel, frame, value);
}

double ProcessDataBuilder::Input(int32 channel, int32 frame) const
{
  return Load(mInputs32, mInputs64, channel, frame);
}

void ProcessDataBuilder::SetOutput(int32 channel, int32 frame, double value)
{
  Store(mOutputs32, mOutputs64, channel, frame, value);
}

double ProcessDataBuilder::Output(int32 channel, int32 frame) const
{
  return Load(mOutputs32, mOutputs64, channel, frame);
}

void ProcessDataBuilder::Store(Channels32& channels32, Channels64& channels64, int32 channel, int32 frame,
                               double value) const
{
  if (Is64Bit())
    channels64[channel][frame] = value;
  else
    channels32[channel][frame] = static_cast<float>(value);
}

double ProcessDataBuilder::Load(const Channels32& channels32, const Channels64& channels64, int32 channel,
                                int32 frame) const
{
  return Is64Bit() ? channels64[channel][frame] : channels32[channel][frame];
}

void ProcessDataBuilder::WriteInputInterleaved(const double* interleaved, int32 frames)
{
  frames = std::min(frames, mMaxFrames);
  for (int32 frame = 0; frame < frames; ++frame)
    for (int32 channel = 0; channel < mInputChannels; ++channel)
      SetInput(channel, frame, interleaved[frame * mInputChannels + channel]);
}

void ProcessDataBuilder::ReadOutputInterleaved(double* interleaved, int32 frames) const
{
  frames = std::min(frames, mMaxFrames);
  for (int32 frame = 0; frame < frames; ++frame)
    for (int32 channel = 0; channel < mOutputChannels; ++channel)
      interleaved[frame * mOutputChannels + channel] = Output(channel, frame);
}

void ProcessDataBuilder::ClearInputs()
{
  for (auto& channel : mInputs32)
    std::fill(channel.begin(), channel.end(), 0.0f);
  for (auto& channel : mInputs64)
    std::fill(channel.begin(), channel.end(), 0.0);
}

void ProcessDataBuilder::FillOutputs(double value)
{
  for (auto& channel : mOutputs32)
    std::fill(channel.begin(), channel.end(), static_cast<float>(value));
  for (auto& channel : mOutputs64)
    std::fill(channel.begin(), channel.end(), value);
}

Vst::ProcessData& ProcessDataBuilder::Prepare(int32 numSamples, Vst::IParameterChanges* inputChanges,
                                              Vst::IEventList* inputEvents)
{
  mData.numSamples = std::clamp(numSamples, 0, mMaxFrames);
  mData.inputParameterChanges = inputChanges;
  mData.inputEvents = inputEvents;
  mInputBus.silenceFlags = 0;
  mOutputBus.silenceFlags = 0;
  return mData;
}

void ProcessDataBuilder::AdvanceTransport(int32 frames)
{
  mContext.projectTimeSamples += frames;
  if (mContext.sampleRate > 0.0)
    mContext.projectTimeMusic += frames / mContext.sampleRate * mContext.tempo / 60.0;
  mContext.continousTimeSamples += frames;
}

}  // namespace TvHost
