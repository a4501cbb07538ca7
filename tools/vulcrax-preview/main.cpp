// Opens the plug-in's editor in a window of its own, loaded from the bundle through VST 3
// with a small run loop and frame, as a Linux host shows it. For designers looking at the
// editor and for scripted screenshots.
#include "tools/host/EditorFrame.h"
#include "tools/host/HostApplication.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"
#include "tools/vulcrax-preview/PreviewWindow.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace Steinberg;

namespace {
struct Options
{
  std::string bundle = TV_DEFAULT_PLUGIN_PATH;
  float scale = 1.0f;
  std::string screenshot;
  int quitAfterMs = -1;
};

constexpr int kScreenshotDelayMs = 500;
constexpr int kRunSliceMs = 10;

void Usage()
{
  std::fprintf(stderr,
               "usage: vulcrax-preview [--bundle PATH] [--scale N] [--screenshot OUT.png] [--quit-after MS]\n"
               "Opens the editor of the plug-in bundle (default %s) in a window.\n"
               "  --scale N           the host's content scale, any factor from 0.75 to 3 (1.5 for 1536 x 720)\n"
               "  --screenshot FILE   writes the window to a PNG file after half a second and quits\n"
               "  --quit-after MS     closes the editor after MS milliseconds\n",
               TV_DEFAULT_PLUGIN_PATH);
}

bool Parse(int argc, char** argv, Options& options)
{
  for (int i = 1; i < argc; ++i)
  {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--bundle") == 0 && hasValue)
      options.bundle = argv[++i];
    else if (std::strcmp(argv[i], "--scale") == 0 && hasValue)
      options.scale = std::strtof(argv[++i], nullptr);
    else if (std::strcmp(argv[i], "--screenshot") == 0 && hasValue)
      options.screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--quit-after") == 0 && hasValue)
      options.quitAfterMs = std::atoi(argv[++i]);
    else
      return false;
  }
  if (!options.screenshot.empty() && options.quitAfterMs < 0)
    options.quitAfterMs = kScreenshotDelayMs;
  return true;
}

IPtr<IPlugView> CreateView(Vst::IEditController& controller, float scale)
{
  IPtr<IPlugView> view(controller.createView(Vst::ViewType::kEditor), false);
  if (view && scale != 1.0f)
  {
    FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
    if (scaling)
      scaling->setContentScaleFactor(scale);
  }
  return view;
}

// A size the user gave the window goes to the editor as a host passes it on: checked against
// the editor's constraints first, the window then takes the size the editor accepted.
void FollowWindowSize(IPlugView& view, PreviewWindow& window)
{
  ViewRect size;
  if (!window.TakeResize(size.right, size.bottom))
    return;
  view.checkSizeConstraint(&size);
  window.Resize(size.getWidth(), size.getHeight());
  view.onSize(&size);
}

// The editor's own requests for a new size (a new content scale) resize the window.
void FollowEditorRequests(TvHost::EditorFrame& frame, PreviewWindow& window, size_t& answered)
{
  if (frame.resizes.size() == answered)
    return;
  answered = frame.resizes.size();
  window.Resize(frame.resizes.back().getWidth(), frame.resizes.back().getHeight());
}

// Serves the editor and the window until the user closes it or the time is up.
void Run(IPlugView& view, TvHost::EditorFrame& frame, PreviewWindow& window, int quitAfterMs)
{
  const auto start = std::chrono::steady_clock::now();
  auto elapsedMs = [&start] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  };
  size_t answered = frame.resizes.size();
  while (window.HandleEvents() && (quitAfterMs < 0 || elapsedMs() < quitAfterMs))
  {
    FollowWindowSize(view, window);
    FollowEditorRequests(frame, window, answered);
    frame.RunFor(kRunSliceMs);
  }
}

// The window's size for an editor size proposed to the view.
ViewRect Constrained(IPlugView& view, int width, int height)
{
  ViewRect size(0, 0, width, height);
  view.checkSizeConstraint(&size);
  return size;
}
}  // namespace

int main(int argc, char** argv)
{
  Options options;
  if (!Parse(argc, argv, options))
  {
    Usage();
    return 2;
  }
  std::string error;
  auto module = TvHost::PluginModule::Open(options.bundle, error);
  TvHost::HostApplication host("vulcrax-preview");
  auto instance = module ? TvHost::PluginInstance::Create(module, &host, error) : nullptr;
  if (!instance)
  {
    std::fprintf(stderr, "vulcrax-preview: %s\n", error.c_str());
    return 1;
  }
  IPtr<IPlugView> view = CreateView(*instance->Controller(), options.scale);
  ViewRect size;
  if (!view || view->getSize(&size) != kResultOk)
  {
    std::fprintf(stderr, "vulcrax-preview: the plug-in has no editor\n");
    return 1;
  }
  const ViewRect smallest = Constrained(*view, 1, 1);
  const ViewRect largest = Constrained(*view, 1 << 16, 1 << 16);
  PreviewWindow window(size.getWidth(), size.getHeight(), "TolvexVulcrax", smallest.getWidth(), smallest.getHeight(),
                       largest.getWidth(), largest.getHeight());
  if (!window.Valid())
  {
    std::fprintf(stderr, "vulcrax-preview: no X display (DISPLAY is not set or the server cannot be reached)\n");
    return 1;
  }
  TvHost::EditorFrame frame;
  view->setFrame(&frame);
  if (view->attached(reinterpret_cast<void*>(window.Handle()), kPlatformTypeX11EmbedWindowID) != kResultOk)
  {
    std::fprintf(stderr, "vulcrax-preview: the editor could not be opened in the window\n");
    return 1;
  }
  Run(*view, frame, window, options.quitAfterMs);
  const bool written = options.screenshot.empty() || window.Screenshot(options.screenshot);
  view->removed();
  view->setFrame(nullptr);
  if (!written)
  {
    std::fprintf(stderr, "vulcrax-preview: cannot write %s\n", options.screenshot.c_str());
    return 1;
  }
  return 0;
}
