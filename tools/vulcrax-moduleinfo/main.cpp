// vulcrax-moduleinfo BUNDLE VERSION OUTPUT: loads the built bundle as a host does and writes
// the module-info file its factory describes (the build puts it into the bundle's
// Contents/Resources/moduleinfo.json).

#include "tools/host/PluginModule.h"
#include "tools/vulcrax-moduleinfo/ModuleInfoJson.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// "build/vst3/TolvexVulcrax.vst3" is the module "TolvexVulcrax".
std::string ModuleName(std::string bundle)
{
  while (!bundle.empty() && bundle.back() == '/')
    bundle.pop_back();
  const std::string name = bundle.substr(bundle.find_last_of('/') + 1);
  const std::string suffix = ".vst3";
  const bool hasSuffix =
    name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
  return hasSuffix ? name.substr(0, name.size() - suffix.size()) : name;
}

int Fail(const std::string& message)
{
  std::fprintf(stderr, "vulcrax-moduleinfo: %s\n", message.c_str());
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 4)
    return Fail("usage: vulcrax-moduleinfo BUNDLE VERSION OUTPUT");
  const std::string bundle = argv[1];
  const std::string outputPath = argv[3];
  std::string error;
  const auto module = TvHost::PluginModule::Open(bundle, error);
  if (!module)
    return Fail("cannot load " + bundle + ": " + error);
  const std::string json = ModuleInfoJson(*module->Factory(), ModuleName(bundle), argv[2]);
  std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
  output << json;
  output.close();
  if (output.fail())
    return Fail("cannot write " + outputPath);
  return EXIT_SUCCESS;
}
