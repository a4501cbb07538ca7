#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <memory>
#include <string>

namespace TvHost {

// A loaded VST 3 module: the shared library is opened, its ModuleEntry called and its factory
// fetched on Open; the destructor releases the factory, calls ModuleExit and closes the
// library. Objects made from the factory must be released before the module goes away, which
// is why instances share ownership of it.
class PluginModule
{
public:
  // path is a .vst3 bundle folder or the shared library itself. On failure returns nullptr
  // and describes the cause in error.
  static std::shared_ptr<PluginModule> Open(const std::string& path, std::string& error);

  // The library inside a bundle (Contents/x86_64-linux/<bundle name>.so); any other path is
  // returned as it is.
  static std::string LibraryPathOf(const std::string& path);

  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  Steinberg::IPluginFactory* Factory() const { return mFactory; }
  const std::string& LibraryPath() const { return mLibraryPath; }

private:
  PluginModule(void* handle, std::string libraryPath);
  bool Enter(std::string& error);

  void* mHandle;
  std::string mLibraryPath;
  bool mEntered = false;
  Steinberg::IPluginFactory* mFactory = nullptr;
};

}  // namespace TvHost
