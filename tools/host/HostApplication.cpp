#include "tools/host/HostApplication.h"

#include "tools/host/Utf16Text.h"

namespace TvHost {

using namespace Steinberg;

tresult PLUGIN_API HostApplication::getName(Vst::String128 name)
{
  if (!name)
    return kInvalidArgument;
  Utf8ToUtf16(mName, name, 128);
  return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID, TUID, void** obj)
{
  if (obj)
    *obj = nullptr;
  return kResultFalse;
}

}  // namespace TvHost
