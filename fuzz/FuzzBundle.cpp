#include "fuzz/FuzzBundle.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace TvFuzz {

using namespace Steinberg;

FuzzBundle& FuzzBundle::Instance()
{
  static FuzzBundle bundle;
  return bundle;
}

FuzzBundle::FuzzBundle()
{
  std::string error;
  mModule = TvHost::PluginModule::Open(TV_PLUGIN_PATH, error);
  if (!mModule)
  {
    std::fprintf(stderr, "cannot load %s: %s\n", TV_PLUGIN_PATH, error.c_str());
    std::exit(1);
  }
  IPluginFactory* factory = mModule->Factory();
  for (int32 i = 0; i < factory->countClasses(); ++i)
  {
    PClassInfo info{};
    if (factory->getClassInfo(i, &info) == kResultOk &&
        std::strncmp(info.category, kVstAudioEffectClass, PClassInfo::kCategorySize) == 0)
    {
      std::memcpy(mClassId, info.cid, sizeof mClassId);
      return;
    }
  }
  std::fprintf(stderr, "%s has no audio effect class\n", TV_PLUGIN_PATH);
  std::exit(1);
}

IPtr<Vst::IComponent> FuzzBundle::CreateComponent()
{
  Vst::IComponent* component = nullptr;
  if (mModule->Factory()->createInstance(mClassId, Vst::IComponent::iid, reinterpret_cast<void**>(&component)) !=
        kResultOk ||
      !component)
    Violation("the factory made no instance of its audio effect");
  return owned(component);
}

}  // namespace TvFuzz
