#include "graphics/linux/IGraphicsLinux.h"

#include "graphics/lice/LICE_Png.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <vector>

namespace
{
constexpr const char* kBundleContents = "Contents";

bool HasPngExtension(const char* name)
{
  const char* dot = std::strrchr(name, '.');
  if (!dot)
  {
    return false;
  }
  const char* ext = dot + 1;
  return std::strlen(ext) == 3 && std::tolower(static_cast<unsigned char>(ext[0])) == 'p' &&
         std::tolower(static_cast<unsigned char>(ext[1])) == 'n' &&
         std::tolower(static_cast<unsigned char>(ext[2])) == 'g';
}

std::string ParentFolder(const std::string& path)
{
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LastComponent(const std::string& path)
{
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file this code was loaded from: the plug-in module inside its bundle, or a program
// that links the libraries directly.
std::string ModulePath()
{
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ModulePath), &info) == 0 || info.dli_fname == nullptr)
  {
    return std::string();
  }
  return info.dli_fname;
}

// A module at BUNDLE/Contents/<architecture>/NAME.so has its bundle at BUNDLE.
std::string BundleFolder()
{
  const std::string contents = ParentFolder(ParentFolder(ModulePath()));
  if (LastComponent(contents) != kBundleContents)
  {
    return std::string();
  }
  return ParentFolder(contents);
}

// The user's home folder from the password database; the plug-in reads no environment.
std::string HomeFolder()
{
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
      found->pw_dir == nullptr)
  {
    return std::string();
  }
  return found->pw_dir;
}

std::string HomeSubfolder(const char* name)
{
  const std::string home = HomeFolder();
  return home.empty() ? home : home + "/" + name;
}
} // namespace

IGraphicsLinux::IGraphicsLinux(IPlugBase* plug, int width, int height, int fps) : IGraphics(plug, width, height, fps)
{
}

IGraphicsLinux::~IGraphicsLinux()
{
  DetachView();
}

std::string IGraphicsLinux::ResourceFolder()
{
  const std::string bundle = BundleFolder();
  if (!bundle.empty())
  {
    return bundle + "/" + kBundleContents + "/Resources";
  }
  return TV_SOURCE_IMAGE_DIR;
}

LICE_IBitmap* IGraphicsLinux::LoadPlatformBitmap(int, const char* name)
{
  if (!name || !HasPngExtension(name))
  {
    return nullptr;
  }
  const std::string path = ResourceFolder() + "/" + LastComponent(name);
  return LoadPngFile(path.c_str());
}

void IGraphicsLinux::BlitToScreen(const IRECT&) {}

void IGraphicsLinux::DismissTextEntry() {}

bool IGraphicsLinux::HasOpenView() const
{
  return false;
}

int IGraphicsLinux::ShowAlert(const char*, const char*, int)
{
  return 0;
}

IPopupMenu* IGraphicsLinux::RunPopupMenu(IPopupMenu*, const IRECT&)
{
  return nullptr;
}

void IGraphicsLinux::BeginTextEntry(IControl*, const IText&, const IRECT&, const char*, IPlugParam*) {}

void IGraphicsLinux::HostExecutablePath(std::string& path)
{
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  path = length > 0 && static_cast<size_t>(length) < buffer.size() ? std::string(buffer.data(), length)
                                                                    : std::string();
}

// The folder that holds the bundle, followed by "/".
void IGraphicsLinux::PluginFolderPath(std::string& path)
{
  const std::string bundle = BundleFolder();
  path = bundle.empty() ? std::string() : ParentFolder(bundle) + "/";
}

void IGraphicsLinux::DesktopFolderPath(std::string& path)
{
  path = HomeSubfolder("Desktop");
}

void IGraphicsLinux::AppSupportFolderPath(std::string& path, bool system)
{
  path = system ? std::string("/usr/local/share") : HomeSubfolder(".local/share");
}

void IGraphicsLinux::SafeDataFolderPath(std::string& path)
{
  path = HomeSubfolder("Music");
}

void IGraphicsLinux::AskForFile(std::string& file, int, std::string&, const char*)
{
  file.clear();
}

bool IGraphicsLinux::AskForColour(IColor*)
{
  return false;
}

bool IGraphicsLinux::OpenLink(const char*)
{
  return false;
}

void* IGraphicsLinux::AttachToParentView(void*)
{
  return nullptr;
}

void IGraphicsLinux::DetachView() {}

void* IGraphicsLinux::NativeView()
{
  return nullptr;
}

bool IGraphicsLinux::ReadClipboardText(std::string& text)
{
  text.clear();
  return false;
}
