#pragma once

#include "framework/FixedText.h"
#include "framework/StateChunk.h"

// One preset: a name and the state image it restores.
struct PresetSlot
{
  static constexpr int kNameSize = 256;

  PresetSlot() { CopyFixedText(name, "empty"); }

  bool initialised = false;
  char name[kNameSize] = {};
  StateChunk image;
};
