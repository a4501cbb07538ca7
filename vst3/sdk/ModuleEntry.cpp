#include "vst3/sdk/ModuleEntry.h"
#include "vst3/sdk/ModuleRegistry.h"

#include "pluginterfaces/base/fplatform.h"

namespace {

ModuleRegistry& Registry()
{
  static ModuleRegistry registry(&InitModule, &DeinitModule);
  return registry;
}

}  // namespace

// The Linux entry points a host calls right after loading the module and before unloading it.
extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle)
{
  return Registry().Enter(sharedLibraryHandle);
}

SMTG_EXPORT_SYMBOL bool ModuleExit()
{
  return Registry().Exit();
}

}  // extern "C"
