// Channel configuration and the per-block buffer operations of IPlugBase.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/IPlugBase.h"
#include "framework/SampleCopy.h"
#include "framework/Trace.h"

namespace {
// Float conversion that never yields a subnormal (they are slow on the host's side) nor an
// infinity: a value beyond the float range becomes the largest float of its sign.
float ToFloatSample(double v)
{
  const float f = static_cast<float>(std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
  return std::fabs(f) < FLT_MIN ? 0.0f : f;
}

// End of the channel range first .. first + count, clamped to the channel count.
int RangeEnd(int first, int count, size_t channelCount)
{
  const long long end = static_cast<long long>(first) + count;
  return static_cast<int>(std::min<long long>(end, static_cast<long long>(channelCount)));
}

// Hands every connected channel in the range the next host array; host arrays are consumed
// only by connected channels.
template <typename Channel, typename Sample, typename Bind>
void ForEachConnected(std::vector<std::unique_ptr<Channel>>& channels, int first, int count, Sample** hostArrays,
                      Bind bind)
{
  const int end = RangeEnd(first, count, channels.size());
  Sample** next = hostArrays;
  for (int i = std::max(0, first); i < end; ++i)
    if (channels[i]->connected)
      bind(*channels[i], *next++);
}
}  // namespace

void IPlugBase::ParseChannelIo(const char* channelIoString)
{
  const char* token = channelIoString;
  while (token)
  {
    ChannelIoPair pair;
    if (std::sscanf(token, "%d-%d", &pair.inputs, &pair.outputs) != 2)
      pair = ChannelIoPair();
    mChannelIo.push_back(pair);
    const char* space = std::strchr(token, ' ');
    token = space ? space + 1 : nullptr;
  }
  int nInputs = 0;
  int nOutputs = 0;
  for (const ChannelIoPair& pair : mChannelIo)
  {
    nInputs = std::max(nInputs, pair.inputs);
    nOutputs = std::max(nOutputs, pair.outputs);
  }
  CreateChannels(nInputs, nOutputs);
}

void IPlugBase::CreateChannels(int nInputs, int nOutputs)
{
  mInputPointers.assign(static_cast<size_t>(nInputs), nullptr);
  mOutputPointers.assign(static_cast<size_t>(nOutputs), nullptr);
  for (int i = 0; i < nInputs; ++i)
  {
    mInputs.push_back(std::make_unique<InputChannel>());
    mInputs.back()->slot = &mInputPointers[i];
  }
  for (int i = 0; i < nOutputs; ++i)
  {
    mOutputs.push_back(std::make_unique<OutputChannel>());
    mOutputs.back()->slot = &mOutputPointers[i];
  }
}

bool IPlugBase::LegalIO(int nInputs, int nOutputs) const
{
  bool legal = false;
  if (mChannelIo.empty())
    legal = false;
  else if (nInputs < 0 && nOutputs < 0)
    legal = true;
  else
    legal = std::any_of(mChannelIo.begin(), mChannelIo.end(), [&](const ChannelIoPair& pair) {
      return (nInputs < 0 || pair.inputs == nInputs) && (nOutputs < 0 || pair.outputs == nOutputs);
    });
  TV_TRACE("%d:%d:%s", nInputs, nOutputs, legal ? "legal" : "illegal");
  return legal;
}

ChannelIoPair IPlugBase::ChannelIoAt(int i) const
{
  return i >= 0 && i < ChannelIoPairCount() ? mChannelIo[i] : ChannelIoPair();
}

void IPlugBase::ConnectInputChannels(int first, int count, bool connected)
{
  const int end = RangeEnd(first, count, mInputs.size());
  for (int i = std::max(0, first); i < end; ++i)
  {
    InputChannel& channel = *mInputs[i];
    channel.connected = connected;
    if (!connected)
      *channel.slot = channel.scratch.data();
  }
}

void IPlugBase::ConnectOutputChannels(int first, int count, bool connected)
{
  const int end = RangeEnd(first, count, mOutputs.size());
  for (int i = std::max(0, first); i < end; ++i)
  {
    OutputChannel& channel = *mOutputs[i];
    channel.connected = connected;
    if (!connected)
    {
      *channel.slot = channel.scratch.data();
      channel.floatDestination = nullptr;
    }
  }
}

bool IPlugBase::IsInputConnected(int i) const
{
  return i >= 0 && i < InputChannelCount() && mInputs[i]->connected;
}

bool IPlugBase::IsOutputConnected(int i) const
{
  return i >= 0 && i < OutputChannelCount() && mOutputs[i]->connected;
}

void IPlugBase::LabelBus(std::vector<std::string>* labels, int bus, const char* text)
{
  if (bus != 0 && bus != 1)
    return;
  const std::string label = text ? text : "";
  if (bus < static_cast<int>(labels->size()))
    (*labels)[bus] = label;
  else
    labels->insert(labels->end(), label);
}

void IPlugBase::LabelInputBus(int bus, const char* text)
{
  LabelBus(&mInputBusLabels, bus, text);
}

void IPlugBase::LabelOutputBus(int bus, const char* text)
{
  LabelBus(&mOutputBusLabels, bus, text);
}

const char* IPlugBase::InputBusLabel(int bus) const
{
  return bus >= 0 && bus < static_cast<int>(mInputBusLabels.size()) ? mInputBusLabels[bus].c_str() : "";
}

const char* IPlugBase::OutputBusLabel(int bus) const
{
  return bus >= 0 && bus < static_cast<int>(mOutputBusLabels.size()) ? mOutputBusLabels[bus].c_str() : "";
}

bool IPlugBase::BindInputBuffers(int first, int count, double** hostInputs)
{
  if (!hostInputs)
    return false;
  ForEachConnected(mInputs, first, count, hostInputs, [this](InputChannel& channel, double* host) {
    if (!host)
    {
      host = channel.scratch.data();
      ClearFrames(host, mBlockSize);
    }
    *channel.slot = host;
  });
  return true;
}

bool IPlugBase::BindInputBuffers(int first, int count, float** hostInputs, int nFrames)
{
  if (!hostInputs || !FrameCountFits(nFrames))
    return false;
  ForEachConnected(mInputs, first, count, hostInputs, [nFrames](InputChannel& channel, const float* host) {
    double* scratch = channel.scratch.data();
    if (host)
      std::copy(host, host + nFrames, scratch);
    else
      ClearFrames(scratch, nFrames);
    *channel.slot = scratch;
  });
  return true;
}

bool IPlugBase::BindOutputBuffers(int first, int count, double** hostOutputs)
{
  if (!hostOutputs)
    return false;
  ForEachConnected(mOutputs, first, count, hostOutputs, [](OutputChannel& channel, double* host) {
    *channel.slot = host ? host : channel.scratch.data();
    channel.floatDestination = nullptr;
  });
  return true;
}

bool IPlugBase::BindOutputBuffers(int first, int count, float** hostOutputs)
{
  if (!hostOutputs)
    return false;
  ForEachConnected(mOutputs, first, count, hostOutputs, [](OutputChannel& channel, float* host) {
    *channel.slot = channel.scratch.data();
    channel.floatDestination = host;
  });
  return true;
}

void IPlugBase::PointUnboundSlotsAtScratch(int nFrames)
{
  for (auto& channel : mInputs)
  {
    if (!*channel->slot)
    {
      ClearFrames(channel->scratch.data(), nFrames);
      *channel->slot = channel->scratch.data();
    }
  }
  for (auto& channel : mOutputs)
    if (!*channel->slot)
      *channel->slot = channel->scratch.data();
}

bool IPlugBase::ProcessHostBlock(int nFrames)
{
  if (!FrameCountFits(nFrames))
    return false;
  PointUnboundSlotsAtScratch(nFrames);
  ProcessBlock(mInputPointers.data(), mOutputPointers.data(), nFrames);
  return true;
}

void IPlugBase::ConvertOutputsToFloat(int nFrames, bool adding)
{
  for (auto& channel : mOutputs)
  {
    if (!channel->connected || !channel->floatDestination)
      continue;
    const double* source = channel->scratch.data();
    float* destination = channel->floatDestination;
    for (int s = 0; s < nFrames; ++s)
      destination[s] = ToFloatSample(adding ? destination[s] + source[s] : source[s]);
  }
}

bool IPlugBase::ProcessHostBlockFloat(int nFrames)
{
  if (!ProcessHostBlock(nFrames))
    return false;
  ConvertOutputsToFloat(nFrames, false);
  return true;
}

bool IPlugBase::ProcessHostBlockFloatAdding(int nFrames)
{
  if (!ProcessHostBlock(nFrames))
    return false;
  ConvertOutputsToFloat(nFrames, true);
  return true;
}

bool IPlugBase::PassThrough(int nFrames)
{
  if (!FrameCountFits(nFrames))
    return false;
  PointUnboundSlotsAtScratch(nFrames);
  const int nIn = InputChannelCount();
  const int nOut = OutputChannelCount();
  if (mLatency > 0 && mLatencyDelay)
  {
    mLatencyDelay->Process(mInputPointers.data(), mOutputPointers.data(), std::min(nIn, nOut), nFrames);
    return true;
  }
  for (int i = 0; i < nOut; ++i)
    CopyOrClearFrames(i < nIn ? mInputPointers[i] : nullptr, mOutputPointers[i], nFrames);
  return true;
}

bool IPlugBase::PassThroughFloat(int nFrames)
{
  if (!PassThrough(nFrames))
    return false;
  ConvertOutputsToFloat(nFrames, false);
  return true;
}

void IPlugBase::ClearScratch()
{
  for (auto& channel : mInputs)
    std::fill(channel->scratch.begin(), channel->scratch.end(), 0.0);
  for (auto& channel : mOutputs)
    std::fill(channel->scratch.begin(), channel->scratch.end(), 0.0);
}
