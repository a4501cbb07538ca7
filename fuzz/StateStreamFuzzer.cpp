// Loads arbitrary state blobs into the built bundle through streams that fail the way hosts'
// streams do. Whatever is loaded, the host must read every parameter inside [0, 1], the state
// must save again, and loading that saved state must give back exactly the same values. What
// follows the image and the bypass word (the extension) never changes what those two restore.

#include "effect/ParamIndex.h"
#include "fuzz/FaultyStream.h"
#include "fuzz/FuzzBundle.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/MemoryStream.h"

#include <cstdint>
#include <vector>

namespace {

using namespace Steinberg;
using TvFuzz::Violation;

std::vector<Vst::ParamValue> HostView(Vst::IEditController& controller)
{
  std::vector<Vst::ParamValue> values;
  for (int32 i = 0; i < controller.getParameterCount(); ++i)
  {
    Vst::ParameterInfo info{};
    if (controller.getParameterInfo(i, info) != kResultOk)
      Violation("a listed parameter has no info");
    const Vst::ParamValue value = controller.getParamNormalized(info.id);
    if (!(value >= 0.0 && value <= 1.0))
      Violation("the host read a parameter value outside [0, 1]");
    values.push_back(value);
  }
  return values;
}

struct Instance
{
  explicit Instance(TvHost::HostApplication& host)
    : component(TvFuzz::FuzzBundle::Instance().CreateComponent()),
      controller(TvFuzz::QueryInterface<Vst::IEditController>(component))
  {
    if (!controller || component->initialize(&host) != kResultOk)
      Violation("the instance does not initialise");
  }
  ~Instance() { component->terminate(); }

  IPtr<Vst::IComponent> component;
  IPtr<Vst::IEditController> controller;
};

// The image and bypass word as every version reads them; the extension follows.
constexpr size_t kImageAndBypassBytes = 8 * kImageParamCount + 4;
constexpr Vst::ParamID kBypassId = 0x62706173;  // 'bpas'

std::vector<Vst::ParamValue> ImageAndBypass(Vst::IEditController& controller)
{
  std::vector<Vst::ParamValue> values;
  for (Vst::ParamID id = 0; id < static_cast<Vst::ParamID>(kImageParamCount); ++id)
    values.push_back(controller.getParamNormalized(id));
  values.push_back(controller.getParamNormalized(kBypassId));
  return values;
}

void CheckExtensionKeepsTheImage(TvHost::HostApplication& host, const std::vector<char>& blob)
{
  if (blob.size() <= kImageAndBypassBytes)
    return;
  Instance whole(host);
  TvHost::MemoryStream wholeStream(blob);
  whole.component->setState(&wholeStream);
  Instance cut(host);
  TvHost::MemoryStream cutStream(std::vector<char>(blob.begin(), blob.begin() + kImageAndBypassBytes));
  cut.component->setState(&cutStream);
  if (ImageAndBypass(*whole.controller) != ImageAndBypass(*cut.controller))
    Violation("the extension changed a value of the image or the bypass word");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  TvFuzz::FuzzBundle::Instance();
  return 0;
}

// Input: one byte choosing the stream's fault, the receiving call and the host (one host keeps
// the bytes of reads that report an error), one byte for where a cut-off stream stops, then
// the blob.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  if (size < 2)
    return 0;
  const auto fault = static_cast<TvFuzz::FaultyStream::Fault>(bytes[0] % TvFuzz::FaultyStream::kFaultCount);
  const int receiver = (bytes[0] / TvFuzz::FaultyStream::kFaultCount) % 3;
  TvFuzz::FaultyStream stream(std::vector<unsigned char>(bytes + 2, bytes + size), fault, bytes[1] * 2);

  TvHost::HostApplication host(bytes[0] / (3 * TvFuzz::FaultyStream::kFaultCount) % 2 ? "WaveLab 8" : "Fuzz Host");
  Instance loaded(host);
  if (receiver == 0)
    loaded.component->setState(&stream);
  else if (receiver == 1)
    loaded.controller->setComponentState(&stream);
  else
    loaded.controller->setState(&stream);
  const std::vector<Vst::ParamValue> values = HostView(*loaded.controller);

  TvHost::MemoryStream saved;
  if (loaded.component->getState(&saved) != kResultOk)
    Violation("the state does not save after a load");
  saved.Rewind();
  Instance reloaded(host);
  if (reloaded.component->setState(&saved) != kResultOk)
    Violation("a saved state does not load");
  if (HostView(*reloaded.controller) != values)
    Violation("a saved state loads with other values");
  CheckExtensionKeepsTheImage(host, std::vector<char>(bytes + 2, bytes + size));
  return 0;
}
