#pragma once

#include <vector>

#include "framework/IEditor.h"
#include "framework/IPlugBase.h"

// A plug-in base whose host-facing and effect operations only record what reached them.
// Counters and "last" fields do not allocate, so the real-time tests can use them.
class RecordingPlug : public IPlugBase
{
public:
  explicit RecordingPlug(int nParams = 3, const char* channelIo = "1-1 2-2", int nPresets = 1, int latency = 0)
    : IPlugBase(nParams, channelIo, nPresets, "Recorder", "Test", "Maker", 0x00010203, 1, 2, latency, false, false,
                false, 1)
  {
  }

  void ApplyParamChange(int paramIdx, ParamChangeSource source) override
  {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    ++applyCount;
    lastAppliedIdx = paramIdx;
    lastSource = source;
  }

  void InformHostOfParamChange(int paramIdx, double normalized) override
  {
    ++informCount;
    lastInformedIdx = paramIdx;
    lastInformedValue = normalized;
  }

  void OnPresetChanged() override { ++presetChangedCount; }

  int applyCount = 0;
  int lastAppliedIdx = -1;
  int lastSource = 0;
  int informCount = 0;
  int lastInformedIdx = -1;
  double lastInformedValue = -1.0;
  int presetChangedCount = 0;
};

// An editor that records every call the plug-in side makes on it.
class RecordingEditor : public IEditor
{
public:
  struct Push
  {
    int paramIdx;
    double value;
    bool normalized;
  };

  explicit RecordingEditor(bool* destroyed = nullptr) : mDestroyed(destroyed) {}
  ~RecordingEditor() override
  {
    if (mDestroyed)
      *mDestroyed = true;
  }

  void PushParamValue(int paramIdx, double value, bool normalized) override
  {
    pushes.push_back({paramIdx, value, normalized});
  }
  void PrepareDrawSurfaces() override { preparedAfterPushes = static_cast<int>(pushes.size()); }
  void GreyParamControls(int, bool) override {}
  void MarkAllDirty() override {}
  int Width() const override { return 10; }
  int Height() const override { return 10; }
  double DisplayScale() override { return 1.0; }
  void* AttachToParentView(void*) override { return nullptr; }
  void* AttachToParentControl(void*, void*) override { return nullptr; }
  void DetachView() override {}

  std::vector<Push> pushes;
  int preparedAfterPushes = -1;

private:
  bool* mDestroyed;
};
