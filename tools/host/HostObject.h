#pragma once

#include "pluginterfaces/base/funknown.h"

namespace TvHost {

// Base for objects the host owns and lends to the plug-in for the length of a call or of a
// session(parameter queues, event lists, streams, the host context). The plug-in may addRef
// and release them, but they are destroyed by their C++ owner, never by a release; the count
// is kept so tests can check that a plug-in gives back every reference it took.
template <class Interface>
class HostObject : public Interface
{
public:
  HostObject() = default;
  HostObject(const HostObject&) : Interface() {}
  HostObject& operator=(const HostObject&) { return *this; }
  virtual ~HostObject() = default;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
  {
    if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::FUnknown::iid) ||
        Steinberg::FUnknownPrivate::iidEqual(iid, Interface::iid))
    {
      addRef();
      *obj = static_cast<Interface*>(this);
      return Steinberg::kResultOk;
    }
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }

  Steinberg::uint32 PLUGIN_API addRef() override { return ++mReferences; }
  Steinberg::uint32 PLUGIN_API release() override { return --mReferences; }

  // References held besides the owner's own one.
  Steinberg::uint32 BorrowedReferences() const { return mReferences - 1; }

private:
  Steinberg::uint32 mReferences = 1;
};

}  // namespace TvHost
