#pragma once

#include "pluginterfaces/vst/ivstevents.h"
#include "tools/host/HostObject.h"

namespace TvHost {

// An event list that is always empty: the tools send no notes, and a plug-in that reads or
// writes events gets a valid list to talk to.
class EventList : public HostObject<Steinberg::Vst::IEventList>
{
public:
  Steinberg::int32 PLUGIN_API getEventCount() override { return 0; }
  Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32, Steinberg::Vst::Event&) override
  {
    return Steinberg::kResultFalse;
  }
  Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event&) override { return Steinberg::kResultFalse; }
};

}  // namespace TvHost
