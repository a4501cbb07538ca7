#include "vst3/IPlugVST3.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "vst3/SpeakerArrangements.h"
#include "vst3/WideText.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kMaxSidechainChannels = 2;
constexpr int kMaxBusChannels = 6;
constexpr int kHostNameBytes = 128;

}  // namespace

IPlugVST3::IPlugVST3(int nParams, const char* channelIoString, int nPresets, const char* effectName,
                     const char* productName, const char* makerName, int effectVersion, int uniqueId, int makerId,
                     int latency, bool doesMidi, bool stateChunks, bool isInstrument, int sidechainChannels)
  : IPlugBase(nParams, channelIoString, nPresets, effectName, productName, makerName, effectVersion, uniqueId, makerId,
              latency, doesMidi, stateChunks, isInstrument, kApiVst3),
    mSidechainChannels(sidechainChannels), mInputScratchHoldsAudio(static_cast<size_t>(InputChannelCount()), 0),
    mFloatWindow(std::max(InputChannelCount(), OutputChannelCount())),
    mDoubleWindow(std::max(InputChannelCount(), OutputChannelCount()))
{
  ConnectInputChannels(0, InputChannelCount(), true);
  ConnectOutputChannels(0, OutputChannelCount(), true);
  if (InputChannelCount() >= 1)
    MakeLatencyDelay();
  LabelBuses();
}

IPlugVST3::~IPlugVST3() = default;

void IPlugVST3::LabelBuses()
{
  LabelInputBus(0, "Main Input");
  if (mSidechainChannels != 0)
    LabelInputBus(1, "Aux Input");
  if (!IsInstrument())
  {
    LabelOutputBus(0, "Output");
    return;
  }
  const int pairs = (OutputChannelCount() + 1) / 2;
  for (int k = 1; k <= pairs; ++k)
  {
    char label[32];
    std::snprintf(label, sizeof label, "Output %i", k);
    LabelOutputBus(k - 1, label);
  }
}

tresult PLUGIN_API IPlugVST3::queryInterface(const TUID iid, void** obj)
{
  QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
  QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
  return SingleComponentEffect::queryInterface(iid, obj);
}

// ---- Lifecycle ------------------------------------------------------------------------------

tresult PLUGIN_API IPlugVST3::initialize(FUnknown* context)
{
  const tresult result = SingleComponentEffect::initialize(context);
  IdentifyHostApplication(context);
  if (result == kResultOk)
  {
    CreateBuses();
    CreateHostParameters();
  }
  AfterInitialize();
  LoadPreset(0);
  return result;
}

void IPlugVST3::IdentifyHostApplication(FUnknown* context)
{
  if (context == nullptr)
    return;
  FUnknownPtr<IHostApplication> application(context);
  if (!application)
    return;
  String128 wideName = {};
  application->getName(wideName);
  char name[kHostNameBytes];
  NarrowText(wideName, name, sizeof name);
  SetHost(name, 0);
}

void IPlugVST3::CreateBuses()
{
  TChar name[128];
  const int mainInputs = MainInputChannels();
  if (mainInputs >= 1 && mainInputs <= kMaxBusChannels)
  {
    WidenText(InputBusLabel(0), name, 128);
    addAudioBus(kInput, name, ArrangementForChannels(mainInputs));
  }
  if (!IsInstrument())
  {
    WidenText(OutputBusLabel(0), name, 128);
    addAudioBus(kOutput, name, ArrangementForChannels(OutputChannelCount()));
  }
  else
  {
    for (int k = 0; 2 * k < OutputChannelCount(); ++k)
    {
      WidenText(OutputBusLabel(k), name, 128);
      addAudioBus(kOutput, name, SpeakerArr::kStereo);
    }
  }
  if (mSidechainChannels != 0)
  {
    mSidechainChannels = std::min(mSidechainChannels, kMaxSidechainChannels);
    WidenText(InputBusLabel(1), name, 128);
    addAudioBus(kInput, name, ArrangementForChannels(mSidechainChannels), kAux, 0);
  }
  if (DoesMidi())
    addEventInput(STR16("MIDI Input"), 1);
}

// Removes what initialize created (buses and host parameter objects, through the SDK part),
// so a terminate/initialize cycle leaves exactly one set of each.
tresult PLUGIN_API IPlugVST3::terminate()
{
  mViews.clear();
  return SingleComponentEffect::terminate();
}

// ---- Buses ------------------------------------------------------------------------------------

// A bus of another width is replaced (keeping its active state); one of the same width takes
// the requested arrangement, so that an accepted request is what the host reads back.
void IPlugVST3::MatchAudioBus(BusList& buses, int index, SpeakerArrangement wanted, const char* name, BusType type,
                              int32 flags)
{
  if (index >= static_cast<int>(buses.size()))
    return;
  auto* current = static_cast<AudioBus*>(buses.at(index).get());
  if (ChannelsOf(current->getArrangement()) == ChannelsOf(wanted))
  {
    current->setArrangement(wanted);
    return;
  }
  TChar wideName[128];
  WidenText(name, wideName, 128);
  IPtr<Bus> bus(new AudioBus(wideName, type, flags, wanted), false);
  bus->setActive(current->isActive());
  buses.at(index) = bus;
}

tresult PLUGIN_API IPlugVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                                 int32 numOuts)
{
  if (numIns < 0 || numOuts < 0 || (numIns > 0 && inputs == nullptr) || (numOuts > 0 && outputs == nullptr))
    return kInvalidArgument;

  // A host that rearranges the buses while another thread still processes must not pull the
  // channels out from under a block.
  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  ConnectInputChannels(0, InputChannelCount(), false);
  ConnectOutputChannels(0, OutputChannelCount(), false);

  const SpeakerArrangement mainIn = numIns > 0 ? inputs[0] : SpeakerArr::kEmpty;
  const SpeakerArrangement mainOut = numOuts > 0 ? outputs[0] : SpeakerArr::kEmpty;
  if (!LegalIO(ChannelsOf(mainIn), ChannelsOf(mainOut)))
    return kResultFalse;

  MatchAudioBus(audioInputs, 0, mainIn, "Input", kMain, BusInfo::kDefaultActive);
  MatchAudioBus(audioOutputs, 0, mainOut, "Output", kMain, BusInfo::kDefaultActive);

  if (mSidechainChannels == 0)
    return numIns == 1 ? kResultTrue : kResultFalse;
  if (numIns != 2)
    return kResultFalse;
  MatchAudioBus(audioInputs, 1, inputs[1], "Sidechain Input", kAux, 0);
  return kResultTrue;
}

// ---- Processing set-up ---------------------------------------------------------------------

tresult PLUGIN_API IPlugVST3::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

// Refuses what no block could be processed with: an unknown sample size, a block size below
// one frame, a sample rate that is not a positive number, scratch arrays that cannot grow.
tresult PLUGIN_API IPlugVST3::setupProcessing(ProcessSetup& setup)
{
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
    return kResultFalse;
  // Far above any host's rate, yet low enough that the oversampled rate (at most four times
  // it up there) stays a sane filter rate: at absurd rates the band filters blow up into NaN.
  constexpr double kHighestRate = 1.0e7;
  if (setup.maxSamplesPerBlock < 1 || !(setup.sampleRate > 0.0 && setup.sampleRate <= kHighestRate))
    return kResultFalse;

  const std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (!SetBlockLength(setup.maxSamplesPerBlock))
    return kResultFalse;
  SetRate(setup.sampleRate);
  SetBypassed(false);
  ResetProcessing();
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::setActive(TBool state)
{
  ActivationChanged(state != 0);
  return kResultOk;
}

uint32 PLUGIN_API IPlugVST3::getLatencySamples()
{
  return static_cast<uint32>(std::max(LatencyFrames(), 0));
}

uint32 PLUGIN_API IPlugVST3::getTailSamples()
{
  return static_cast<uint32>(std::max(TailFrames(), 0));
}

// ---- Services for the plug-in base ---------------------------------------------------------

bool IPlugVST3::HostRendersOffline()
{
  return processSetup.processMode == kOffline;
}

int IPlugVST3::CurrentSamplePosition()
{
  return static_cast<int>(mProcessContext.projectTimeSamples);
}

double IPlugVST3::CurrentTempo()
{
  return mProcessContext.tempo;
}

void IPlugVST3::CurrentTimeSignature(int* numerator, int* denominator)
{
  if (numerator != nullptr)
    *numerator = mProcessContext.timeSigNumerator;
  if (denominator != nullptr)
    *denominator = mProcessContext.timeSigDenominator;
}

// The context's validity bits are not consulted: fields arrive as the host wrote them.
void IPlugVST3::FillTransportInfo(TransportInfo* info)
{
  if (info == nullptr)
    return;
  const ProcessContext& context = mProcessContext;
  info->tempo = context.tempo;
  info->samplePosition = static_cast<double>(context.projectTimeSamples);
  info->ppqPosition = context.projectTimeMusic;
  info->lastBarPosition = context.barPositionMusic;
  info->cycleStart = context.cycleStartMusic;
  info->cycleEnd = context.cycleEndMusic;
  info->numerator = context.timeSigNumerator;
  info->denominator = context.timeSigDenominator;
  info->playing = (context.state & ProcessContext::kPlaying) != 0;
  info->cycleActive = (context.state & ProcessContext::kCycleActive) != 0;
}

void IPlugVST3::SetLatencyFrames(int n)
{
  IPlugBase::SetLatencyFrames(n);
  if (componentHandler == nullptr)
    return;
  FUnknownPtr<IComponentHandler> handler(componentHandler);
  if (handler)
    handler->restartComponent(kLatencyChanged);
}
