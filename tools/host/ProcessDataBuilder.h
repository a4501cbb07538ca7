#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <vector>

namespace TvHost {

// Owns the channel buffers, bus records, transport context and ProcessData of one main input
// bus and one main output bus, in 32-bit or 64-bit samples. Everything is allocated by the
// constructor; Prepare only fills in the block's fields, so it is safe on an audio thread.
// Either bus may have 0 channels, in which case it is left out of ProcessData.
class ProcessDataBuilder
{
public:
  ProcessDataBuilder(Steinberg::int32 symbolicSampleSize, Steinberg::int32 inputChannels,
                     Steinberg::int32 outputChannels, Steinberg::int32 maxFrames, double sampleRate = 44100.0);
  ProcessDataBuilder(const ProcessDataBuilder&) = delete;
  ProcessDataBuilder& operator=(const ProcessDataBuilder&) = delete;

  bool Is64Bit() const { return mSampleSize == Steinberg::Vst::kSample64; }
  Steinberg::int32 MaxFrames() const { return mMaxFrames; }
  Steinberg::int32 InputChannels() const { return mInputChannels; }
  Steinberg::int32 OutputChannels() const { return mOutputChannels; }

  // Sample access in double precision, whatever the buffers hold.
  void SetInput(Steinberg::int32 channel, Steinberg::int32 frame, double value);
  double Input(Steinberg::int32 channel, Steinberg::int32 frame) const;
  void SetOutput(Steinberg::int32 channel, Steinberg::int32 frame, double value);
  double Output(Steinberg::int32 channel, Steinberg::int32 frame) const;

  // Copies frames of interleaved samples into the input channels, or out of the output ones.
  void WriteInputInterleaved(const double* interleaved, Steinberg::int32 frames);
  void ReadOutputInterleaved(double* interleaved, Steinberg::int32 frames) const;
  void ClearInputs();
  void FillOutputs(double value);

  // Raw channel arrays; nullptr for the precision not in use.
  float** Inputs32() { return Is64Bit() ? nullptr : mInputPointers32.data(); }
  float** Outputs32() { return Is64Bit() ? nullptr : mOutputPointers32.data(); }
  double** Inputs64() { return Is64Bit() ? mInputPointers64.data() : nullptr; }
  double** Outputs64() { return Is64Bit() ? mOutputPointers64.data() : nullptr; }

  Steinberg::Vst::ProcessContext& Context() { return mContext; }

  // Sets up ProcessData for a block of numSamples (cut to MaxFrames).
  Steinberg::Vst::ProcessData& Prepare(Steinberg::int32 numSamples,
                                       Steinberg::Vst::IParameterChanges* inputChanges = nullptr,
                                       Steinberg::Vst::IEventList* inputEvents = nullptr);
  Steinberg::Vst::ProcessData& Data() { return mData; }

  // Moves the transport on by the frames of the block just processed.
  void AdvanceTransport(Steinberg::int32 frames);

private:
  using Channels32 = std::vector<std::vector<float>>;
  using Channels64 = std::vector<std::vector<double>>;

  void LinkBuses();
  void Store(Channels32& channels32, Channels64& channels64, Steinberg::int32 channel, Steinberg::int32 frame,
             double value) const;
  double Load(const Channels32& channels32, const Channels64& channels64, Steinberg::int32 channel,
              Steinberg::int32 frame) const;

  Steinberg::int32 mSampleSize;
  Steinberg::int32 mMaxFrames;
  // Only the precision in use holds channels; the other stays empty.
  Channels32 mInputs32, mOutputs32;
  Channels64 mInputs64, mOutputs64;
  std::vector<float*> mInputPointers32, mOutputPointers32;
  std::vector<double*> mInputPointers64, mOutputPointers64;
  Steinberg::int32 mInputChannels;
  Steinberg::int32 mOutputChannels;
  Steinberg::Vst::AudioBusBuffers mInputBus{};
  Steinberg::Vst::AudioBusBuffers mOutputBus{};
  Steinberg::Vst::ProcessContext mContext{};
  Steinberg::Vst::ProcessData mData;
};

}  // namespace TvHost
