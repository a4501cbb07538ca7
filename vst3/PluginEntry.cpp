// The module's factory: the one class the plug-in's PluginEntry() describes, created under a
// process-wide lock.

#include <mutex>

#include "framework/FixedText.h"
#include "vst3/ClassIdentifier.h"
#include "vst3/PluginEntryInfo.h"
#include "vst3/sdk/CPluginFactory.h"
#include "vst3/sdk/ModuleEntry.h"

using namespace Steinberg;

namespace {

constexpr char kCategory[] = "Audio Module Class";
constexpr char kSdkVersion[] = "VST 3.5.2";
constexpr uint32 kSimpleModeSupported = 2;

CPluginFactory* gFactory = nullptr;

std::recursive_mutex& CreationLock()
{
  static std::recursive_mutex lock;
  return lock;
}

const PFactoryInfo& FactoryInfo()
{
  static const PFactoryInfo info = [] {
    const PluginEntryInfo& entry = PluginEntry();
    PFactoryInfo filled;
    CopyFixedText(filled.vendor, entry.vendor);
    CopyFixedText(filled.url, entry.vendorUrl);
    CopyFixedText(filled.email, entry.vendorEmail);
    filled.flags = PFactoryInfo::kUnicode;
    return filled;
  }();
  return info;
}

const PClassInfo2& ClassInfo()
{
  static const PClassInfo2 info = [] {
    const PluginEntryInfo& entry = PluginEntry();
    PClassInfo2 filled;
    BuildClassIdentifier(entry.classWords, filled.cid);
    filled.cardinality = PClassInfo::kManyInstances;
    CopyFixedText(filled.category, kCategory);
    CopyFixedText(filled.name, entry.className);
    filled.classFlags = kSimpleModeSupported;
    CopyFixedText(filled.subCategories, entry.subCategories);
    CopyFixedText(filled.version, entry.version);
    CopyFixedText(filled.sdkVersion, kSdkVersion);
    return filled;
  }();
  return info;
}

// Instances are constructed one at a time; the lock is released on every path out.
FUnknown* CreateInstance(void* /*context*/)
{
  const std::lock_guard<std::recursive_mutex> lock(CreationLock());
  return PluginEntry().create();
}

}  // namespace

bool InitModule()
{
  return true;
}

bool DeinitModule()
{
  return true;
}

// The caller owns one reference. Once the host has released the factory completely, the
// next call builds a new one with the same single class.
extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
  if (gFactory != nullptr)
  {
    gFactory->addRef();
    return gFactory;
  }
  gFactory = new CPluginFactory(FactoryInfo(), &gFactory);
  gFactory->registerClass(&ClassInfo(), &CreateInstance);
  return gFactory;
}
