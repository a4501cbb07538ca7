// Feeds arbitrary bytes to the plug-in base's readers: the preset-list image, the state chunk
// and base64 preset text. Whatever they accept, every parameter stays finite and inside its
// range, the preset list saves and reads back unchanged, and the extension after a state
// image, wherever it is looked for, never changes what the image restores.

#include "effect/ParamIndex.h"
#include "effect/TolvexVulcrax.h"
#include "framework/Base64.h"
#include "framework/StateChunk.h"
#include "fuzz/Violation.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using TvFuzz::Violation;

void CheckParameters(const IPlugBase& plug)
{
  for (int i = 0; i < plug.NParams(); ++i)
  {
    const IPlugParam* param = plug.ParamAt(i);
    double low = 0.0, high = 0.0;
    param->Limits(&low, &high);
    if (!std::isfinite(param->Value()) || param->Value() < low || param->Value() > high)
      Violation("a parameter left its range");
  }
}

// Saving the presets, reading them into a fresh effect and saving again gives the same bytes.
void CheckPresetRoundTrip(TolvexVulcrax& effect)
{
  StateChunk first;
  if (!effect.SerializePresets(&first))
    Violation("the presets do not save");
  TolvexVulcrax other;
  if (other.UnserializePresets(&first, 0) != first.Size())
    Violation("saved presets do not read back in full");
  StateChunk second;
  if (!other.SerializePresets(&second) || second.Size() != first.Size() ||
      std::memcmp(first.Bytes(), second.Bytes(), static_cast<size_t>(first.Size())) != 0)
    Violation("presets change on a save and read");
}

// The image's values as a reader of the image alone restores them.
void CheckImageUnchanged(const TolvexVulcrax& effect, const StateChunk& chunk, int start)
{
  TolvexVulcrax imageOnly;
  imageOnly.UnserializeParams(&chunk, start);
  for (int i = 0; i < kImageParamCount; ++i)
    if (effect.ParamAt(i)->Value() != imageOnly.ParamAt(i)->Value())
      Violation("the extension changed a value of the image");
}

}  // namespace

// Input: one byte choosing the reader and a start offset, then its bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  if (size < 1 || size > 1 << 16)
    return 0;
  const int reader = bytes[0] % 4;
  const int start = bytes[0] / 4 % 16;
  StateChunk chunk;
  chunk.Append(bytes + 1, static_cast<int>(size - 1));
  TolvexVulcrax effect;

  switch (reader)
  {
    case 0:
    {
      const int end = effect.UnserializePresets(&chunk, start);
      if (end != -1 && (end < start || end > chunk.Size()))
        Violation("the preset reader reports a position outside the image");
      break;
    }
    case 1:
    {
      const int end = effect.UnserializeState(&chunk, start);
      if (end != -1 && (end < start || end > chunk.Size()))
        Violation("the state reader reports a position outside the chunk");
      CheckImageUnchanged(effect, chunk, start);
      TolvexVulcrax afterWord;
      const int imageEnd = afterWord.UnserializeStateAroundGap(&chunk, start, 4);
      if (imageEnd != -1 && imageEnd != start + 8 * kImageParamCount)
        Violation("the state reader reports another end of the image");
      CheckImageUnchanged(afterWord, chunk, start);
      CheckParameters(afterWord);
      break;
    }
    case 2:
    {
      const std::string text(reinterpret_cast<const char*>(bytes + 1), size - 1);
      effect.MakePresetFromBlob("fuzz", text.c_str(), start * 64);
      effect.LoadPresetByName("fuzz");
      break;
    }
    default:
    {
      const std::string text(reinterpret_cast<const char*>(bytes + 1), size - 1);
      unsigned char decoded[64];
      const int count = Base64::Decode(text.c_str(), decoded, start * 4);
      if (count < 0 || count > start * 4)
        Violation("base64 decoding reports more bytes than fit");
      break;
    }
  }
  CheckParameters(effect);
  CheckPresetRoundTrip(effect);
  return 0;
}
