#pragma once

#include "fuzz/Violation.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "tools/host/HostApplication.h"
#include "tools/host/PluginModule.h"

#include <memory>

namespace TvFuzz {

// The built bundle, loaded once per fuzzing process (before fuzzing starts, so its coverage
// counters are seen) and kept loaded: each input makes and drops its own instances.
class FuzzBundle
{
public:
  static FuzzBundle& Instance();

  // A new, uninitialised instance of the module's audio effect; aborts when there is none.
  Steinberg::IPtr<Steinberg::Vst::IComponent> CreateComponent();
  TvHost::HostApplication& Host() { return mHost; }

private:
  FuzzBundle();

  std::shared_ptr<TvHost::PluginModule> mModule;
  Steinberg::TUID mClassId{};
  TvHost::HostApplication mHost{"Fuzz Host"};
};

template <class Interface>
Steinberg::IPtr<Interface> QueryInterface(Steinberg::FUnknown* object)
{
  Interface* result = nullptr;
  if (!object || object->queryInterface(Interface::iid, reinterpret_cast<void**>(&result)) != Steinberg::kResultOk)
    return nullptr;
  return Steinberg::owned(result);
}

}  // namespace TvFuzz
