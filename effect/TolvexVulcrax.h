#pragma once

#include "effect/SignalPath.h"
#include "framework/IPlugBase.h"
#include "vst3/IPlugVST3.h"

// The base TolvexVulcrax derives from: the VST 3 adapter, which itself derives from IPlugBase.
using TolvexVulcraxBase = IPlugVST3;

// The three-band saturation, bit-reduction and exciter effect: its identity, channel
// configuration and parameter table. Its three overrides ResetProcessing, ApplyParamChange
// and ProcessBlock hand the audio work to the embedded SignalPath.
class TolvexVulcrax : public TolvexVulcraxBase
{
public:
  static constexpr int kEditorWidth = 1024;
  static constexpr int kEditorHeight = 480;

  TolvexVulcrax();
  ~TolvexVulcrax() override;

  void ResetProcessing() override;
  void ApplyParamChange(int paramIdx, ParamChangeSource source) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

  const SignalPath& Signal() const { return signalPath; }

private:
  void DefineParameters();
  void DefineBand(int firstIndex, const char* bandName);
  // Builds the 1024 x 480 editor with its controls and attaches it (AttachEditor).
  void BuildEditor();
  // Follows a parameter change in the editor beyond the control bound to it.
  void UpdateEditorFor(int paramIdx);

  SignalPath signalPath;
};
