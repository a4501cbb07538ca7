#pragma once

#include "framework/IPlugBase.h"

#include <string>
#include <vector>

// A plug-in with a handful of parameters of every kind that records what the editor asks
// of it, in order, as short strings ("begin 0", "set 0 0.500", "end 0", ...).
class RecordingPlug : public IPlugBase
{
public:
  enum Param
  {
    kGain = 0,
    kBypass,
    kMode,
    kBits,
    kLevel,
    kNumParams
  };

  explicit RecordingPlug(int apiCode = 1);

  void SetParameterFromGUI(int paramIdx, double normalized) override;
  void BeginInformHostOfParamChange(int paramIdx) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  // Records the request and answers as a host that showed its menu.
  bool ShowHostParamMenu(int paramIdx, int x, int y) override;
  void RequestEditorSize(int width, int height) override;
  void EditorIdle() override;

  std::vector<std::string> calls;
  // The calls recorded so far, then forgotten.
  std::vector<std::string> TakeCalls();
  int CountCalls(const std::string& prefix) const;

private:
  void Record(const char* format, ...);
};
