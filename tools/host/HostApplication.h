#pragma once

#include "pluginterfaces/vst/ivsthostapplication.h"
#include "tools/host/HostObject.h"

#include <string>

namespace TvHost {

// The host context handed to a plug-in's initialize. Plug-ins identify the host by the name
// it reports, so the name is chosen by the tool or test that creates it.
class HostApplication : public HostObject<Steinberg::Vst::IHostApplication>
{
public:
  explicit HostApplication(std::string name) : mName(std::move(name)) {}

  void SetName(std::string name) { mName = std::move(name); }
  const std::string& Name() const { return mName; }

  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
  // The tools make no messages or attribute lists for plug-ins.
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid, void** obj) override;

private:
  std::string mName;
};

}  // namespace TvHost
