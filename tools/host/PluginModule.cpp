#include "tools/host/PluginModule.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>

namespace TvHost {

using namespace Steinberg;

namespace {

using ModuleEntryFunction = bool (*)(void*);
using ModuleExitFunction = bool (*)();
using GetFactoryFunction = IPluginFactory* (*)();

constexpr const char* kArchitectureFolder = "x86_64-linux";

bool IsDirectory(const std::string& path)
{
  struct stat info
  {
  };
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path)
{
  struct stat info
  {
  };
  return stat(path.c_str(), &info) == 0;
}

template <class Function>
Function Symbol(void* handle, const char* name)
{
  return reinterpret_cast<Function>(dlsym(handle, name));
}

}  // namespace

std::string PluginModule::LibraryPathOf(const std::string& path)
{
  if (!IsDirectory(path))
    return path;
  // Resolved first, so that "." or "bundle/.." style paths still name the bundle.
  char resolved[PATH_MAX];
  std::string bundle = realpath(path.c_str(), resolved) ? resolved : path;
  while (bundle.size() > 1 && bundle.back() == '/')
    bundle.pop_back();
  std::string name = bundle.substr(bundle.find_last_of('/') + 1);
  const std::string extension = ".vst3";
  if (name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
    name.erase(name.size() - extension.size());
  return bundle + "/Contents/" + kArchitectureFolder + "/" + name + ".so";
}

std::shared_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string& error)
{
  if (!Exists(path))
  {
    error = "no such plug-in bundle or library: " + path;
    return nullptr;
  }
  const std::string libraryPath = LibraryPathOf(path);
  if (!Exists(libraryPath))
  {
    error = "bundle holds no library for this platform: " + libraryPath;
    return nullptr;
  }
  void* handle = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle)
  {
    const char* reason = dlerror();
    error = "cannot load " + libraryPath + ": " + (reason ? reason : "unknown reason");
    return nullptr;
  }
  std::shared_ptr<PluginModule> module(new PluginModule(handle, libraryPath));
  if (!module->Enter(error))
    return nullptr;
  return module;
}

PluginModule::PluginModule(void* handle, std::string libraryPath)
  : mHandle(handle), mLibraryPath(std::move(libraryPath))
{
}

bool PluginModule::Enter(std::string& error)
{
  // Linux modules must export ModuleEntry; a module without it is still accepted, as most
  // hosts do, since the factory alone is enough to use it.
  if (const auto entry = Symbol<ModuleEntryFunction>(mHandle, "ModuleEntry"))
  {
    if (!entry(mHandle))
    {
      error = "ModuleEntry of " + mLibraryPath + " failed";
      return false;
    }
    mEntered = true;
  }
  const auto getFactory = Symbol<GetFactoryFunction>(mHandle, "GetPluginFactory");
  if (!getFactory)
  {
    error = mLibraryPath + " exports no GetPluginFactory";
    return false;
  }
  mFactory = getFactory();
  if (!mFactory)
  {
    error = "GetPluginFactory of " + mLibraryPath + " returned no factory";
    return false;
  }
  return true;
}

PluginModule::~PluginModule()
{
  if (mFactory)
    mFactory->release();
  if (mEntered)
  {
    if (const auto exit = Symbol<ModuleExitFunction>(mHandle, "ModuleExit"))
      exit();
  }
  dlclose(mHandle);
}

}  // namespace TvHost
