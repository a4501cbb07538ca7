// Types arbitrary text into every kind of parameter, both as the editor's text field hands it
// over and as a host asks the controller to read it. Accepted text always becomes a finite
// value inside the parameter's range, and a normalised value inside [0, 1].

#include "effect/TolvexVulcrax.h"
#include "fuzz/Violation.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/headless/IGraphicsHeadless.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

using TvFuzz::Violation;

bool InUnitRange(double value)
{
  return value >= 0.0 && value <= 1.0;
}

void CheckParameter(const IPlugParam& param)
{
  double low = 0.0, high = 0.0;
  param.Limits(&low, &high);
  if (!std::isfinite(param.Value()) || param.Value() < low || param.Value() > high)
    Violation("typed text moved a parameter out of its range");
}

}  // namespace

// Input: one byte choosing the parameter, then the typed text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  if (size < 1 || size > 256)
    return 0;
  static TolvexVulcrax effect;
  const int paramIdx = bytes[0] % effect.NParams();
  const std::string text(reinterpret_cast<const char*>(bytes + 1), size - 1);
  IPlugParam& param = *effect.ParamAt(paramIdx);

  Steinberg::Vst::String128 wide{};
  for (size_t i = 0; i < text.size() && i < 127; ++i)
    wide[i] = static_cast<Steinberg::Vst::TChar>(static_cast<unsigned char>(text[i]));
  Steinberg::Vst::ParamValue parsed = -1.0;
  if (effect.getParamValueByString(static_cast<Steinberg::Vst::ParamID>(paramIdx), wide, parsed) ==
        Steinberg::kResultTrue &&
      !InUnitRange(parsed))
    Violation("the host read typed text as a value outside [0, 1]");

  double value = 0.0;
  if (param.ValueForText(text.c_str(), &value) && !std::isfinite(value))
    Violation("a value text gave a value that is not finite");

  IGraphicsHeadless graphics(&effect, 64, 64, 0, "/nonexistent");
  IBitmapControl control(&effect, 0, 0, paramIdx, IFrameStrip{});
  graphics.ApplyTextEntryResult(&control, &param, text.c_str());
  if (!InUnitRange(control.Value()))
    Violation("the text field set a control outside [0, 1]");
  CheckParameter(param);
  return 0;
}
