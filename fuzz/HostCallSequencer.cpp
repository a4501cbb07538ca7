// Drives the built bundle's VST 3 interfaces in whatever order and with whatever arguments the
// input dictates, as a buggy or hostile host would: odd rates and block sizes, blocks longer
// than prepared, missing buffers and buses, lying parameter queues, state loads between blocks,
// terminate while active, and the interfaces released in any order. Besides crashes and
// sanitizer reports it checks that audio leaving the plug-in is finite and not subnormal for
// finite input, that the host always reads parameter values inside [0, 1], and that while
// every stage has been bypassed since the instance was made no block peaks far above the
// loudest input the session sent (the bands only split the signal and sum it again).

#include "effect/ParamIndex.h"
#include "fuzz/FaultyStream.h"
#include "fuzz/FuzzBundle.h"
#include "fuzz/HostileParameterChanges.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "tools/host/EventList.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using namespace Steinberg;
using TvFuzz::Violation;

constexpr double kLoudest = 1.0e6;
// Largest block peak over the loudest input so far with every stage bypassed: three band
// levels of +6 dB (about 2 each) on bands that sum to about the input, the resampling
// filters' overshoot on square waves, and headroom; far below the +30 dB bursts that
// crossover jumps once gave.
constexpr double kBypassedGain = 8.0;
// The stage bypass switches of the three bands.
constexpr std::array<int, 9> kStageBypassParams{kLowSatBypass,  kLowBitRedBypass,  kLowExcBypass,
                                                kMidSatBypass,  kMidBitRedBypass,  kMidExcBypass,
                                                kHighSatBypass, kHighBitRedBypass, kHighExcBypass};
constexpr int kMaxSteps = 40;
constexpr int kMaxBuses = 2;
constexpr int kMaxChannels = 3;

template <class T, size_t N>
T Pick(FuzzedDataProvider& data, const std::array<T, N>& choices)
{
  return choices[data.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

double AnyRate(FuzzedDataProvider& data)
{
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  static constexpr std::array<double, 14> rates{0.0,     -44100.0, nan,     inf,      1.0,      8000.0, 22050.0,
                                                44100.0, 48000.0,  96000.0, 192000.0, 768000.0, 1.0e9,  0.0};
  const double rate = Pick(data, rates);
  return rate == 0.0 && data.ConsumeBool() ? data.ConsumeFloatingPoint<double>() : rate;
}

int32 AnyBlockSize(FuzzedDataProvider& data)
{
  static constexpr std::array<int32, 11> sizes{0, -1, 1, 2, 31, 64, 512, 1024, 4096, 65536, 0};
  const int32 size = Pick(data, sizes);
  if (size != 0 || !data.ConsumeBool())
    return size;
  // Mostly short blocks, which keep the executions fast; long ones come from the table.
  const auto any = data.ConsumeIntegralInRange<int32>(0, 65536);
  return any > 4096 ? any % 1100 : any;
}

int32 AnySampleSize(FuzzedDataProvider& data)
{
  static constexpr std::array<int32, 3> sizes{Vst::kSample32, Vst::kSample64, 7};
  return Pick(data, sizes);
}

Vst::SpeakerArrangement AnyArrangement(FuzzedDataProvider& data)
{
  static constexpr std::array<Vst::SpeakerArrangement, 5> arrangements{
    Vst::SpeakerArr::kMono, Vst::SpeakerArr::kStereo, Vst::SpeakerArr::k51, Vst::SpeakerArr::kEmpty, 0};
  const Vst::SpeakerArrangement arrangement = Pick(data, arrangements);
  return arrangement == 0 && data.ConsumeBool() ? data.ConsumeIntegral<uint64>() : arrangement;
}

Vst::ParamID AnyParamId(FuzzedDataProvider& data)
{
  static constexpr std::array<Vst::ParamID, 6> special{
    0x62706173 /* bpas */, 0x70727374 /* prst */, 43, 0xFFFFFFFF, 0x80000000, 42};
  return data.ConsumeBool() ? data.ConsumeIntegralInRange<Vst::ParamID>(0, 42) : Pick(data, special);
}

double AnyNormalized(FuzzedDataProvider& data)
{
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  static constexpr std::array<double, 9> values{0.0, 1.0, 0.5, -1.0, 2.0, nan, inf, -inf, 1.0e300};
  return data.ConsumeBool() ? data.ConsumeProbability<double>() : Pick(data, values);
}

// A finite input sample no louder than kLoudest and never subnormal.
double AudibleSample(double value)
{
  if (!std::isfinite(value))
    return 0.0;
  value = std::fmax(-kLoudest, std::fmin(kLoudest, value));
  return std::fpclassify(value) == FP_SUBNORMAL ? 0.0 : value;
}

// The same in single precision, where more values are subnormal.
float AudibleFloat(double value)
{
  const auto narrow = static_cast<float>(value);
  return std::fpclassify(narrow) == FP_SUBNORMAL ? 0.0f : narrow;
}

// In the sample's own precision: a float can be subnormal where the same value as a double
// is not.
template <class Sample>
bool Clean(Sample sample)
{
  return std::isfinite(sample) && std::fpclassify(sample) != FP_SUBNORMAL;
}

// The audio buffers of one process call: up to two buses each way, channels that may be
// missing, pointer arrays that may be null, outputs that may share the inputs' memory.
class BlockBuffers
{
public:
  void Build(FuzzedDataProvider& data, Vst::ProcessData& process)
  {
    const bool wide = process.symbolicSampleSize == Vst::kSample64;
    const size_t frames = static_cast<size_t>(std::max<int32>(process.numSamples, 1));
    const int32 numInputs = data.ConsumeIntegralInRange<int32>(0, kMaxBuses);
    const int32 numOutputs = data.ConsumeIntegralInRange<int32>(0, kMaxBuses);
    const bool inPlace = data.ConsumeBool();
    FillPattern(data);

    for (int bus = 0; bus < kMaxBuses; ++bus)
    {
      BuildBus(data, mInputs[bus], mInputStore[bus], frames, wide, true);
      if (inPlace && bus < numInputs && mInputs[bus].channelBuffers32)
        ShareBus(mInputs[bus], mOutputs[bus]);
      else
        BuildBus(data, mOutputs[bus], mOutputStore[bus], frames, wide, false);
    }
    process.numInputs = numInputs;
    process.numOutputs = numOutputs;
    process.inputs = numInputs > 0 || data.ConsumeBool() ? mInputs.data() : nullptr;
    process.outputs = numOutputs > 0 || data.ConsumeBool() ? mOutputs.data() : nullptr;
    if (data.ConsumeBool() && numInputs > 0)
      process.inputs = nullptr;
    if (data.ConsumeBool() && numOutputs > 0)
      process.outputs = nullptr;
  }

  // No input sample of the block is louder than this.
  double InputBound() const { return std::max(std::fabs(mSpike), 1.25 * std::fabs(mLevel)); }

  // Largest magnitude of the samples the plug-in handed back for the block.
  double OutputPeak(const Vst::ProcessData& process) const
  {
    double peak = 0.0;
    ForEachOutput(process, [&](int32, int32, int32, auto sample) { peak = std::max(peak, std::fabs(double{sample})); });
    return peak;
  }

  // Every sample the plug-in handed back for the block must be finite and not subnormal.
  void CheckOutputs(const Vst::ProcessData& process) const
  {
    const bool wide = process.symbolicSampleSize == Vst::kSample64;
    ForEachOutput(process, [&](int32 bus, int32 channel, int32 frame, auto sample) {
      if (Clean(sample))
        return;
      std::fprintf(stderr, "output bus %d channel %d frame %d of %d (%s): %g\n", bus, channel, frame,
                   process.numSamples, wide ? "64-bit" : "32-bit", double{sample});
      Violation("a block of finite input gave NaN, infinite or subnormal output");
    });
  }

private:
  // Calls visit(bus, channel, frame, sample) for every sample of the outputs that are there,
  // the sample in the block's own precision.
  template <class Visit>
  static void ForEachOutput(const Vst::ProcessData& process, Visit visit)
  {
    if (!process.outputs || process.numSamples <= 0)
      return;
    const bool wide = process.symbolicSampleSize == Vst::kSample64;
    for (int32 bus = 0; bus < std::min<int32>(process.numOutputs, kMaxBuses); ++bus)
    {
      const Vst::AudioBusBuffers& buffers = process.outputs[bus];
      if (!buffers.channelBuffers32)
        continue;
      for (int32 channel = 0; channel < std::min<int32>(buffers.numChannels, kMaxChannels); ++channel)
      {
        const auto visitChannel = [&](const auto* samples) {
          for (int32 i = 0; samples && i < process.numSamples; ++i)
            visit(bus, channel, i, samples[i]);
        };
        if (wide)
          visitChannel(buffers.channelBuffers64[channel]);
        else
          visitChannel(buffers.channelBuffers32[channel]);
      }
    }
  }

  struct BusStore
  {
    std::array<std::vector<float>, kMaxChannels> samples32;
    std::array<std::vector<double>, kMaxChannels> samples64;
    std::array<float*, kMaxChannels> pointers32{};
    std::array<double*, kMaxChannels> pointers64{};
  };

  void FillPattern(FuzzedDataProvider& data)
  {
    static constexpr std::array<double, 6> levels{0.0, 1.0e-3, 1.0, 32.0, kLoudest, -kLoudest};
    mLevel = Pick(data, levels);
    mPeriod = data.ConsumeIntegralInRange<int>(1, 200);
    mSpike = AudibleSample(data.ConsumeFloatingPoint<double>());
  }

  double PatternAt(size_t i, int channel) const
  {
    if (i == 0)
      return mSpike;
    const double phase = static_cast<double>((i + channel * 7) % mPeriod) / mPeriod;
    return AudibleSample(mLevel * (phase < 0.5 ? 1.0 : -1.0) * (0.25 + phase));
  }

  void BuildBus(FuzzedDataProvider& data, Vst::AudioBusBuffers& bus, BusStore& store, size_t frames, bool wide,
                bool input)
  {
    bus.numChannels = data.ConsumeIntegralInRange<int32>(0, kMaxChannels);
    bus.silenceFlags = data.ConsumeBool() ? data.ConsumeIntegral<uint64>() : 0;
    for (int channel = 0; channel < kMaxChannels; ++channel)
    {
      const bool present = channel >= bus.numChannels || !data.ConsumeBool() || data.ConsumeBool();
      store.samples32[channel].assign(wide ? 0 : frames, 0.0f);
      store.samples64[channel].assign(wide ? frames : 0, 0.0);
      for (size_t i = 0; input && i < frames; ++i)
      {
        if (wide)
          store.samples64[channel][i] = PatternAt(i, channel);
        else
          store.samples32[channel][i] = AudibleFloat(PatternAt(i, channel));
      }
      store.pointers32[channel] = present && !wide ? store.samples32[channel].data() : nullptr;
      store.pointers64[channel] = present && wide ? store.samples64[channel].data() : nullptr;
    }
    const bool arrayMissing = bus.numChannels > 0 && data.ConsumeProbability<double>() < 0.1;
    if (wide)
      bus.channelBuffers64 = arrayMissing ? nullptr : store.pointers64.data();
    else
      bus.channelBuffers32 = arrayMissing ? nullptr : store.pointers32.data();
  }

  static void ShareBus(const Vst::AudioBusBuffers& input, Vst::AudioBusBuffers& output)
  {
    output = input;
    output.silenceFlags = 0;
  }

  std::array<Vst::AudioBusBuffers, kMaxBuses> mInputs{};
  std::array<Vst::AudioBusBuffers, kMaxBuses> mOutputs{};
  std::array<BusStore, kMaxBuses> mInputStore;
  std::array<BusStore, kMaxBuses> mOutputStore;
  double mLevel = 0.0;
  int mPeriod = 1;
  double mSpike = 0.0;
};

// One plug-in instance and the host's side of the conversation with it.
class HostileSession
{
public:
  explicit HostileSession(FuzzedDataProvider& data) : mData(data)
  {
    mComponent = TvFuzz::FuzzBundle::Instance().CreateComponent();
    mProcessor = TvFuzz::QueryInterface<Vst::IAudioProcessor>(mComponent);
    mController = TvFuzz::QueryInterface<Vst::IEditController>(mComponent);
    if (data.ConsumeProbability<double>() < 0.95)
      Initialize();
    NoteStages();
  }

  void Step()
  {
    switch (mData.ConsumeIntegralInRange<int>(0, 13))
    {
      case 0:
        SetupProcessing();
        break;
      case 1:
        SetBusArrangements();
        break;
      case 2:
        SetActive();
        break;
      case 3:
        SetProcessing();
        break;
      case 4:
      case 5:
      case 6:
        Process();
        break;
      case 7:
        LoadState();
        break;
      case 8:
        SaveAndReload();
        break;
      case 9:
        ChangeFromController();
        break;
      case 10:
        AskAboutBuses();
        break;
      case 11:
        AskAboutParameters();
        break;
      case 12:
        Terminate();
        break;
      case 13:
        OpenAndDropView();
        break;
    }
    NoteStages();
  }

  // Drops the references in an order the input chooses, possibly while still active.
  void Release()
  {
    if (mData.ConsumeBool() && mComponent)
      mComponent->setActive(false);
    if (mData.ConsumeBool() && mComponent)
      mComponent->terminate();
    switch (mData.ConsumeIntegralInRange<int>(0, 2))
    {
      case 0:
        mComponent = nullptr;
        mProcessor = nullptr;
        mController = nullptr;
        break;
      case 1:
        mController = nullptr;
        mProcessor = nullptr;
        mComponent = nullptr;
        break;
      default:
        mProcessor = nullptr;
        mComponent = nullptr;
        mController = nullptr;
        break;
    }
  }

private:
  void Initialize() { mComponent->initialize(&TvFuzz::FuzzBundle::Instance().Host()); }

  void SetupProcessing()
  {
    Vst::ProcessSetup setup{};
    setup.processMode = mData.ConsumeIntegralInRange<int32>(-1, 3);
    setup.symbolicSampleSize = AnySampleSize(mData);
    setup.maxSamplesPerBlock = AnyBlockSize(mData);
    setup.sampleRate = AnyRate(mData);
    mProcessor->setupProcessing(setup);
  }

  void SetBusArrangements()
  {
    std::array<Vst::SpeakerArrangement, 3> inputs{AnyArrangement(mData), AnyArrangement(mData), AnyArrangement(mData)};
    std::array<Vst::SpeakerArrangement, 3> outputs{AnyArrangement(mData), AnyArrangement(mData), AnyArrangement(mData)};
    const int32 numIns = mData.ConsumeIntegralInRange<int32>(0, 3);
    const int32 numOuts = mData.ConsumeIntegralInRange<int32>(0, 3);
    const bool nullArrays = mData.ConsumeProbability<double>() < 0.1;
    mProcessor->setBusArrangements(nullArrays ? nullptr : inputs.data(), numIns, nullArrays ? nullptr : outputs.data(),
                                   numOuts);
    mComponent->activateBus(Vst::kAudio, mData.ConsumeIntegralInRange<int32>(0, 1),
                            mData.ConsumeIntegralInRange<int32>(-1, 2), mData.ConsumeBool());
  }

  void SetActive() { mComponent->setActive(mData.ConsumeBool()); }
  void SetProcessing() { mProcessor->setProcessing(mData.ConsumeBool()); }

  void Process()
  {
    Vst::ProcessData process{};
    process.processMode = mData.ConsumeIntegralInRange<int32>(0, 2);
    process.symbolicSampleSize = mData.ConsumeProbability<double>() < 0.9 ? mSampleSize : AnySampleSize(mData);
    if (mData.ConsumeBool())
      mSampleSize = process.symbolicSampleSize == Vst::kSample64 ? Vst::kSample64 : Vst::kSample32;
    process.numSamples = AnyBlockSize(mData);
    mBuffers.Build(mData, process);
    mLoudestInput = std::max(mLoudestInput, mBuffers.InputBound());
    process.inputParameterChanges = mData.ConsumeBool() ? FillChanges() : nullptr;
    process.outputParameterChanges = mData.ConsumeBool() ? &mOutputChanges : nullptr;
    process.inputEvents = mData.ConsumeBool() ? &mEvents : nullptr;
    process.outputEvents = mData.ConsumeBool() ? &mEvents : nullptr;
    process.processContext = mData.ConsumeBool() ? FillContext() : nullptr;
    mOutputChanges.Clear();
    if (mProcessor->process(process) == kResultOk)
    {
      mBuffers.CheckOutputs(process);
      CheckBypassedPeak(process);
    }
    CheckParameters();
  }

  // Parameter values reach the signal path in a process call, a state load or a reset, and
  // change in single steps; reading them after every step sees every value that can have
  // been applied. What cannot be read counts as a stage at work.
  void NoteStages()
  {
    if (!mOnlyBypassed)
      return;
    TvHost::MemoryStream saved;
    constexpr size_t kImageBytes = kImageParamCount * sizeof(double);
    if (mComponent->getState(&saved) != kResultOk || saved.Bytes().size() < kImageBytes)
    {
      mOnlyBypassed = false;
      return;
    }
    for (const int param : kStageBypassParams)
    {
      double value = 0.0;
      std::memcpy(&value, saved.Bytes().data() + param * sizeof(double), sizeof value);
      mOnlyBypassed = mOnlyBypassed && value >= 0.5;
    }
  }

  void CheckBypassedPeak(const Vst::ProcessData& process)
  {
    NoteStages();
    if (!mOnlyBypassed)
      return;
    const double peak = mBuffers.OutputPeak(process);
    if (peak > kBypassedGain * mLoudestInput)
    {
      std::fprintf(stderr, "block of %d frames peaks at %g, loudest input so far %g\n", process.numSamples, peak,
                   mLoudestInput);
      Violation("with every stage bypassed a block peaked far above the loudest input");
    }
  }

  Vst::IParameterChanges* FillChanges()
  {
    const int queues = mData.ConsumeIntegralInRange<int>(0, TvFuzz::HostileParameterChanges::kMaxQueues);
    mInputChanges.Reset(mData.ConsumeBool() ? queues : mData.ConsumeIntegralInRange<int32>(-1, 100));
    for (int q = 0; q < queues; ++q)
    {
      TvFuzz::HostileParamQueue* queue = mInputChanges.NextQueue();
      const int points = mData.ConsumeIntegralInRange<int>(0, TvFuzz::HostileParamQueue::kMaxPoints);
      queue->Reset(AnyParamId(mData), mData.ConsumeBool() ? points : mData.ConsumeIntegralInRange<int32>(-1, 1000));
      for (int p = 0; p < points; ++p)
      {
        const int32 offset =
          mData.ConsumeBool() ? mData.ConsumeIntegralInRange<int32>(0, 4096) : mData.ConsumeIntegral<int32>();
        queue->Append(offset, AnyNormalized(mData));
      }
    }
    return &mInputChanges;
  }

  Vst::ProcessContext* FillContext()
  {
    mContext = Vst::ProcessContext{};
    mContext.state = mData.ConsumeIntegral<uint32>();
    mContext.sampleRate = AnyRate(mData);
    mContext.tempo = mData.ConsumeFloatingPoint<double>();
    mContext.projectTimeSamples = mData.ConsumeIntegral<int64>();
    mContext.projectTimeMusic = mData.ConsumeFloatingPoint<double>();
    mContext.timeSigNumerator = mData.ConsumeIntegral<int32>();
    mContext.timeSigDenominator = mData.ConsumeIntegral<int32>();
    return &mContext;
  }

  void LoadState()
  {
    const auto fault = static_cast<TvFuzz::FaultyStream::Fault>(
      mData.ConsumeIntegralInRange<int>(0, TvFuzz::FaultyStream::kFaultCount - 1));
    const auto limit = mData.ConsumeIntegralInRange<int64>(0, 400);
    const auto size = mData.ConsumeIntegralInRange<size_t>(0, 400);
    TvFuzz::FaultyStream stream(mData.ConsumeBytes<unsigned char>(size), fault, limit);
    Deliver(&stream);
  }

  // A state saved a moment ago, given back with one byte changed and maybe cut short.
  void SaveAndReload()
  {
    TvHost::MemoryStream saved;
    if (mComponent->getState(&saved) != kResultOk)
      return;
    std::vector<unsigned char> bytes(saved.Bytes().begin(), saved.Bytes().end());
    if (!bytes.empty() && mData.ConsumeBool())
      bytes[mData.ConsumeIntegralInRange<size_t>(0, bytes.size() - 1)] = mData.ConsumeIntegral<unsigned char>();
    if (mData.ConsumeBool())
      bytes.resize(mData.ConsumeIntegralInRange<size_t>(0, bytes.size()));
    TvFuzz::FaultyStream stream(std::move(bytes), TvFuzz::FaultyStream::Fault::kNone);
    Deliver(&stream);
  }

  void Deliver(IBStream* stream)
  {
    switch (mData.ConsumeIntegralInRange<int>(0, 3))
    {
      case 0:
        mComponent->setState(stream);
        break;
      case 1:
        mController->setComponentState(stream);
        break;
      case 2:
        mController->setState(stream);
        break;
      default:
        mComponent->setState(nullptr);
        break;
    }
    CheckParameters();
  }

  void ChangeFromController()
  {
    const Vst::ParamID id = AnyParamId(mData);
    mController->setParamNormalized(id, AnyNormalized(mData));
    Vst::String128 text{};
    mController->getParamStringByValue(id, AnyNormalized(mData), text);
    const std::string typed = mData.ConsumeRandomLengthString(40);
    for (size_t i = 0; i < typed.size() && i < 127; ++i)
      text[i] = static_cast<Vst::TChar>(static_cast<unsigned char>(typed[i]));
    text[std::min<size_t>(typed.size(), 127)] = 0;
    Vst::ParamValue parsed = 0.0;
    if (mController->getParamValueByString(id, text, parsed) == kResultOk && !(parsed >= 0.0 && parsed <= 1.0))
    {
      std::fprintf(stderr, "parameter %u, text \"%s\": %g\n", id, typed.c_str(), parsed);
      Violation("a typed value gave a normalised value outside [0, 1]");
    }
    mController->normalizedParamToPlain(id, AnyNormalized(mData));
    mController->plainParamToNormalized(id, mData.ConsumeFloatingPoint<double>());
    CheckParameters();
  }

  void AskAboutBuses()
  {
    Vst::BusInfo info{};
    const auto type = mData.ConsumeIntegralInRange<int32>(-1, 2);
    const auto direction = mData.ConsumeIntegralInRange<int32>(-1, 2);
    const auto index = mData.ConsumeIntegralInRange<int32>(-1, 3);
    mComponent->getBusCount(type, direction);
    mComponent->getBusInfo(type, direction, index, info);
    Vst::SpeakerArrangement arrangement = 0;
    mProcessor->getBusArrangement(direction, index, arrangement);
    mProcessor->canProcessSampleSize(AnySampleSize(mData));
    mProcessor->getLatencySamples();
    mProcessor->getTailSamples();
  }

  void AskAboutParameters()
  {
    Vst::ParameterInfo info{};
    mController->getParameterInfo(mData.ConsumeIntegralInRange<int32>(-2, 50), info);
    mController->getParamNormalized(AnyParamId(mData));
  }

  void Terminate()
  {
    mComponent->terminate();
    if (mData.ConsumeBool())
      Initialize();
  }

  void OpenAndDropView()
  {
    IPtr<IPlugView> view = owned(mController->createView(mData.ConsumeBool() ? Vst::ViewType::kEditor : "other"));
    if (view)
      view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID);
  }

  // Every parameter the plug-in lists must read inside [0, 1].
  void CheckParameters()
  {
    const int32 count = mController->getParameterCount();
    for (int32 i = 0; i < count; ++i)
    {
      Vst::ParameterInfo info{};
      if (mController->getParameterInfo(i, info) != kResultOk)
        continue;
      const Vst::ParamValue value = mController->getParamNormalized(info.id);
      if (!(value >= 0.0 && value <= 1.0))
        Violation("the host read a parameter value outside [0, 1]");
    }
  }

  FuzzedDataProvider& mData;
  IPtr<Vst::IComponent> mComponent;
  IPtr<Vst::IAudioProcessor> mProcessor;
  IPtr<Vst::IEditController> mController;
  int32 mSampleSize = Vst::kSample32;
  BlockBuffers mBuffers;
  TvFuzz::HostileParameterChanges mInputChanges;
  TvHost::ParameterChanges mOutputChanges;
  TvHost::EventList mEvents;
  Vst::ProcessContext mContext{};
  bool mOnlyBypassed = true;
  double mLoudestInput = 0.0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  TvFuzz::FuzzBundle::Instance();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  FuzzedDataProvider data(bytes, size);
  HostileSession session(data);
  for (int step = 0; step < kMaxSteps && data.remaining_bytes() > 0; ++step)
    session.Step();
  session.Release();
  return 0;
}
