#include "RecordingPlug.h"

#include "framework/FourCharCode.h"

#include <cstdarg>
#include <cstdio>

RecordingPlug::RecordingPlug(int apiCode)
  : IPlugBase(kNumParams, "1-1 2-2", 1, "Test", "Test", "Test", 0x10000, FourCharCode("Test"), FourCharCode("Tst1"), 0,
              false, true, false, apiCode)
{
  ParamAt(kGain)->DefineDouble("Gain", 50.0, 0.0, 100.0, 0.1, 1.0, "%");
  ParamAt(kBypass)->DefineBool("Bypass", false);
  ParamAt(kMode)->DefineEnum("Mode", 1, 3);
  ParamAt(kMode)->AddValueText(0, "Soft");
  ParamAt(kMode)->AddValueText(1, "Hard");
  ParamAt(kMode)->AddValueText(2, "Fold");
  ParamAt(kBits)->DefineInt("Bits", 16, 4, 24, "bits");
  ParamAt(kLevel)->DefineDouble("Level", 0.0, -24.0, 24.0, 0.1, 1.0, "dB");
}

void RecordingPlug::Record(const char* format, ...)
{
  char text[128];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  calls.emplace_back(text);
}

void RecordingPlug::SetParameterFromGUI(int paramIdx, double normalized)
{
  Record("set %d %.4f", paramIdx, normalized);
  IPlugBase::SetParameterFromGUI(paramIdx, normalized);
}

void RecordingPlug::BeginInformHostOfParamChange(int paramIdx)
{
  Record("begin %d", paramIdx);
}
void RecordingPlug::EndInformHostOfParamChange(int paramIdx)
{
  Record("end %d", paramIdx);
}
bool RecordingPlug::ShowHostParamMenu(int paramIdx, int x, int y)
{
  Record("menu %d %d %d", paramIdx, x, y);
  return true;
}
void RecordingPlug::RequestEditorSize(int width, int height)
{
  Record("resize %d %d", width, height);
}
void RecordingPlug::EditorIdle()
{
  Record("idle");
}

std::vector<std::string> RecordingPlug::TakeCalls()
{
  std::vector<std::string> taken;
  taken.swap(calls);
  return taken;
}

int RecordingPlug::CountCalls(const std::string& prefix) const
{
  int n = 0;
  for (const std::string& c : calls)
    if (c.compare(0, prefix.size(), prefix) == 0)
      ++n;
  return n;
}
