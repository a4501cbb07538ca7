#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <string>
#include <vector>

namespace TvHost {

// Standard VST 3 preset files (.vstpreset), read and written with the SDK's preset-file code.
// Only the component state is kept: a plug-in whose component is also its controller needs no
// separate controller chunk.

// Writes the component's state, exactly as its getState gives it, under classId into path.
// False with a one-line message in error; no file is left behind then.
bool WritePresetFile(const std::string& path, const Steinberg::FUID& classId, Steinberg::Vst::IComponent& component,
                     std::string& error);

// What a preset file holds for a host: the class it belongs to and the component state.
struct PresetContents
{
  Steinberg::FUID classId;
  std::vector<char> componentState;
};

// Reads path; false with a one-line message for a file that cannot be read, is no preset file
// or is damaged. The chunk list is checked against the file's length, so a cut or corrupted
// file is refused here instead of handing the plug-in a state that runs past the data.
bool ReadPresetFile(const std::string& path, PresetContents& contents, std::string& error);

}  // namespace TvHost
