#pragma once

#include "framework/IPlugBase.h"

// The base TolvexVulcrax derives from. A host adapter (which itself derives from IPlugBase)
// takes this place when the plug-in is built for a host.
using TolvexVulcraxBase = IPlugBase;

// The three-band saturation, bit-reduction and exciter effect: its identity, channel
// configuration and parameter table. The signal path plugs in through the three overrides
// ResetProcessing, ApplyParamChange and ProcessBlock (the base's defaults stand until then).
class TolvexVulcrax : public TolvexVulcraxBase
{
public:
  static constexpr int kEditorWidth = 1024;
  static constexpr int kEditorHeight = 480;

  TolvexVulcrax();
  ~TolvexVulcrax() override;

private:
  void DefineParameters();
  void DefineBand(int firstIndex, const char* bandName);
  // Builds the 1024 x 480 editor with its controls and attaches it (AttachEditor).
  void BuildEditor();
};
