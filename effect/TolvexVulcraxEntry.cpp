// The module entry of the effect: what the VST 3 factory tells hosts about it and how it
// creates an instance.
#include "effect/PluginIdentity.h"
#include "effect/TolvexVulcrax.h"
#include "vst3/PluginEntryInfo.h"

namespace {
constexpr char kSubCategories[] = "Fx|Distortion";

// One object is processor, component and controller; hosts start from its processor.
Steinberg::FUnknown* CreateEffect()
{
  return static_cast<Steinberg::Vst::IAudioProcessor*>(new TolvexVulcrax());
}
}  // namespace

const PluginEntryInfo& PluginEntry()
{
  static const PluginEntryInfo entry = {PluginIdentity::kMakerName,
                                        PluginIdentity::kMakerUrl,
                                        PluginIdentity::kMakerEmail,
                                        PluginIdentity::kEffectName,
                                        kSubCategories,
                                        PluginIdentity::kVersionText,
                                        {PluginIdentity::kClassWords[0], PluginIdentity::kClassWords[1],
                                         PluginIdentity::kClassWords[2], PluginIdentity::kClassWords[3]},
                                        &CreateEffect};
  return entry;
}
