// The module's factory: one class, TolvexVulcrax, created under a process-wide lock.

#include <mutex>

#include "effect/TolvexVulcrax.h"
#include "framework/FixedText.h"
#include "framework/FourCharCode.h"
#include "vst3/ClassIdentifier.h"
#include "vst3/sdk/CPluginFactory.h"
#include "vst3/sdk/ModuleEntry.h"

using namespace Steinberg;

namespace {

constexpr char kVendor[] = "Tolvex";
constexpr char kVendorUrl[] = "https://www.tolvex.com";
constexpr char kVendorEmail[] = "mailto:info@tolvex.com";
constexpr char kCategory[] = "Audio Module Class";
constexpr char kClassName[] = "TolvexVulcrax";
constexpr char kSubCategories[] = "Fx|Distortion";
constexpr char kVersion[] = "1.2.0";
constexpr char kSdkVersion[] = "VST 3.5.2";
constexpr uint32 kSimpleModeSupported = 2;

// The class identifier's words as the module keeps them: two fixed words, then the maker ID
// and the unique ID of the effect.
const uint32_t kClassWords[4] = {0xF2AEE70D, 0x00DE4F4E,
                                 static_cast<uint32_t>(FourCharCode("Vlcx")),
                                 static_cast<uint32_t>(FourCharCode("Tlvx"))};

CPluginFactory* gFactory = nullptr;

std::recursive_mutex& CreationLock()
{
  static std::recursive_mutex lock;
  return lock;
}

const PFactoryInfo& FactoryInfo()
{
  static const PFactoryInfo info = [] {
    PFactoryInfo filled;
    CopyFixedText(filled.vendor, kVendor);
    CopyFixedText(filled.url, kVendorUrl);
    CopyFixedText(filled.email, kVendorEmail);
    filled.flags = PFactoryInfo::kUnicode;
    return filled;
  }();
  return info;
}

const PClassInfo2& ClassInfo()
{
  static const PClassInfo2 info = [] {
    PClassInfo2 filled;
    BuildClassIdentifier(kClassWords, filled.cid);
    filled.cardinality = PClassInfo::kManyInstances;
    CopyFixedText(filled.category, kCategory);
    CopyFixedText(filled.name, kClassName);
    filled.classFlags = kSimpleModeSupported;
    CopyFixedText(filled.subCategories, kSubCategories);
    CopyFixedText(filled.version, kVersion);
    CopyFixedText(filled.sdkVersion, kSdkVersion);
    return filled;
  }();
  return info;
}

// Instances are constructed one at a time; the lock is released on every path out.
FUnknown* CreateInstance(void* /*context*/)
{
  const std::lock_guard<std::recursive_mutex> lock(CreationLock());
  auto* effect = new TolvexVulcrax();
  return static_cast<Vst::IAudioProcessor*>(effect);
}

} // namespace

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
