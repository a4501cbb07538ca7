// Decodes arbitrary bytes as a PNG file, directly and as an editor's strip image, and draws
// every frame of whatever strip results.

#include "framework/IPlugBase.h"
#include "fuzz/Violation.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/headless/IGraphicsHeadless.h"
#include "graphics/lice/LICE_Png.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using TvFuzz::Violation;

constexpr const char* kImageName = "fuzz.png";

// A folder of this process holding the one image file each input is written to.
const std::string& ImageFolder()
{
  static const std::string folder = [] {
    std::string pattern = "/tmp/tv-fuzz-png-XXXXXX";
    if (!mkdtemp(pattern.data()))
      Violation("cannot make a temporary folder");
    return pattern;
  }();
  return folder;
}

bool WriteImage(const uint8_t* bytes, size_t size)
{
  const std::string path = ImageFolder() + "/" + kImageName;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

void DrawEveryFrame(const IFrameStrip& strip)
{
  IPlugBase plug(1, "1-1", 1, "Fuzz", "Fuzz", "Fuzz", 0x00010000, 1, 2, 0, false, false, false, 0);
  IGraphicsHeadless graphics(&plug, 48, 48, 0, ImageFolder().c_str());
  auto* control = new IBitmapControl(&plug, 0, 0, -1, strip);
  graphics.AddControl(control);
  graphics.PrepareDrawSurfaces();
  for (int frame = 0; frame < strip.frames; ++frame)
  {
    control->SetValueFromUser(strip.frames > 1 ? static_cast<double>(frame) / (strip.frames - 1) : 0.0);
    graphics.RenderAll();
  }
}

}  // namespace

// Input: one byte for the strip's frame count and direction, then the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  if (size < 1 || !WriteImage(bytes + 1, size - 1))
    return 0;
  const std::string path = ImageFolder() + "/" + kImageName;
  std::unique_ptr<LICE_IBitmap> direct(LoadPngFile(path.c_str()));
  if (direct && (direct->Width() <= 0 || direct->Height() <= 0))
    Violation("a decoded image has no pixels");

  static int nextId = 1000;
  IPlugBase plug(1, "1-1", 1, "Fuzz", "Fuzz", "Fuzz", 0x00010000, 1, 2, 0, false, false, false, 0);
  IGraphicsHeadless loader(&plug, 48, 48, 0, ImageFolder().c_str());
  const int frames = bytes[0] % 32 + 1;
  IFrameStrip strip = loader.LoadStripBitmap(nextId++, kImageName, frames, bytes[0] & 0x80);
  if (strip.bitmap)
    DrawEveryFrame(strip);
  loader.ReleaseBitmap(strip);
  return 0;
}
