#include "graphics/linux/IGraphicsLinux.h"

#include "graphics/controls/IControl.h"
#include "graphics/ResourceImage.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11PopupMenu.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {
constexpr const char* kBundleContents = "Contents";
// A menu opens this far below the rectangle it belongs to.
constexpr int kMenuOffset = 4;

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
}  // namespace

IGraphicsLinux::IGraphicsLinux(IPlugBase* plug, int width, int height, int fps) : IGraphics(plug, width, height, fps) {}

IGraphicsLinux::~IGraphicsLinux()
{
  mTextEntry.reset();
  mWindows.clear();
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
  return LoadResourceImage(ResourceFolder(), name);
}

void IGraphicsLinux::HostExecutablePath(std::string& path)
{
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  path = length > 0 && static_cast<size_t>(length) < buffer.size() ? std::string(buffer.data(), length) : std::string();
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

int IGraphicsLinux::ShowAlert(const char*, const char*, int)
{
  return 0;
}

bool IGraphicsLinux::AskForColour(IColor*)
{
  return false;
}

bool IGraphicsLinux::OpenLink(const char*)
{
  return false;
}

bool IGraphicsLinux::ReadClipboardText(std::string& text)
{
  text.clear();
  return false;
}

// ---- Views -------------------------------------------------------------------------------

void* IGraphicsLinux::OpenHostView(void* parentWindow, IEditorRunLoop& runLoop)
{
  if (DrawSurface() == nullptr)
  {
    PrepareDrawSurfaces();
  }
  std::unique_ptr<X11EditorWindow> window =
    X11EditorWindow::Open(*this, reinterpret_cast<X11EditorWindow::Window>(parentWindow), runLoop);
  if (!window)
  {
    return nullptr;
  }
  X11EditorWindow* view = window.get();
  mWindows.push_back(std::move(window));
  // The first paint comes before the first tick: it must already show the current values.
  ApplyPendingChanges();
  Render(IRECT(0, 0, Width(), Height()));
  return view;
}

void IGraphicsLinux::CloseHostView(void* view)
{
  const auto found =
    std::find_if(mWindows.begin(), mWindows.end(),
                 [view](const std::unique_ptr<X11EditorWindow>& window) { return window.get() == view; });
  if (found == mWindows.end())
  {
    return;
  }
  X11EditorWindow* window = found->get();
  if (mTextEntry && mTextEntry->window == window)
  {
    EndTextEntry(false);
  }
  if (mInputWindow == window)
  {
    mInputWindow = nullptr;
  }
  window->LeaveRunLoop();
  if (!window->Dispatching())
  {
    mWindows.erase(found);
  }
  if (mWindows.empty())
  {
    ReleaseScaledImages();
  }
}

// Every open window takes the new size and shows the editor repainted at the new scale.
void IGraphicsLinux::SetDisplayScale(double scale)
{
  const double before = DisplayScale();
  IGraphics::SetDisplayScale(scale);
  if (DisplayScale() == before)
  {
    return;
  }
  if (mTextEntry)
  {
    EndTextEntry(false);
  }
  for (const auto& window : mWindows)
  {
    window->FollowScale();
  }
  if (!mWindows.empty())
  {
    Render(IRECT(0, 0, Width(), Height()));
  }
}

void IGraphicsLinux::DestroyWindow(X11EditorWindow* window)
{
  CloseHostView(window);
}

void* IGraphicsLinux::AttachToParentView(void*)
{
  return nullptr;
}

void IGraphicsLinux::DetachView()
{
  while (!mWindows.empty())
  {
    CloseHostView(mWindows.back().get());
  }
}

void* IGraphicsLinux::NativeView()
{
  return mWindows.empty() ? nullptr : mWindows.front().get();
}

X11EditorWindow* IGraphicsLinux::InputWindow() const
{
  if (mInputWindow != nullptr)
  {
    return mInputWindow;
  }
  return mWindows.empty() ? nullptr : mWindows.front().get();
}

// ---- Painting ----------------------------------------------------------------------------

void IGraphicsLinux::TimerTick()
{
  IRECT dirty;
  if (NeedsRedraw(&dirty))
  {
    Render(dirty);
  }
}

// An open text field stays on top of whatever was repainted under it.
void IGraphicsLinux::BlitToScreen(const IRECT& rect)
{
  if (mTextEntry && DrawSurface() != nullptr && rect.Intersects(mTextEntry->layoutRect))
  {
    mTextEntry->field.Draw(*DrawSurface());
  }
  for (const auto& window : mWindows)
  {
    window->Present(rect);
  }
}

void IGraphicsLinux::MarkControlsDirty(const IRECT& rect)
{
  for (int i = 0; i < ControlCount(); ++i)
  {
    IControl* control = ControlAt(i);
    if (rect.Intersects(control->DrawnRect()))
    {
      control->MarkDirty(false);
    }
  }
}

// ---- Menus -------------------------------------------------------------------------------

IPopupMenu* IGraphicsLinux::RunPopupMenu(IPopupMenu* menu, const IRECT& anchor)
{
  X11EditorWindow* window = InputWindow();
  if (menu == nullptr || window == nullptr)
  {
    return nullptr;
  }
  ReleaseCapture();
  int rootX = 0;
  int rootY = 0;
  if (!window->RootPosition(anchor.L, anchor.B + kMenuOffset, rootX, rootY))
  {
    return nullptr;
  }
  IPopupMenu* chosen = X11PopupMenu::Run(window->XDisplay(), rootX, rootY, *menu, DisplayScale());
  // What the choice does may open another modal menu at once: the place this one leaves is
  // repainted first.
  window->PresentPendingExposures();
  return chosen;
}
