#pragma once

#include <cstdint>

namespace Steinberg {
class FUnknown;
}

// What the module's factory tells hosts about the one class it makes, and how it makes an
// instance. The plug-in linked into the module defines PluginEntry() in its own source, so
// the factory here names no effect.
struct PluginEntryInfo
{
  const char* vendor;
  const char* vendorUrl;
  const char* vendorEmail;
  const char* className;
  const char* subCategories;
  const char* version;
  // The class identifier's four words, each written most significant byte first.
  uint32_t classWords[4];
  // Constructs one instance and returns its IAudioProcessor interface as an FUnknown with
  // one reference held by the caller. The factory calls it under its creation lock.
  Steinberg::FUnknown* (*create)();
};

// Defined by the plug-in; the same record on every call.
const PluginEntryInfo& PluginEntry();
