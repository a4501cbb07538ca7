#pragma once

#include "public.sdk/source/common/pluginview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <memory>

class HostRunLoop;
class IPlugVST3;

// The editor view a host asks the plug-in for. It places the plug-in's editor into the host's
// window, served by the run loop of the host's frame, and reports the editor's size; several
// views may share the one editor. A host scale factor of 2 or more shows the editor pixel-
// doubled (tripled...) at that integer scale. A view holds a reference on the plug-in object
// for its whole life.
class IPlugVST3View : public Steinberg::CPluginView, public Steinberg::IPlugViewContentScaleSupport
{
public:
  // Platform type of the host windows the editor can be placed into.
  static constexpr const char* kPlatformType = "X11EmbedWindowID";

  explicit IPlugVST3View(IPlugVST3& plug);
  ~IPlugVST3View() override;

  IPlugVST3View(const IPlugVST3View&) = delete;
  IPlugVST3View& operator=(const IPlugVST3View&) = delete;

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API removed() SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;

  // The interfaces of CPluginView and the content scale; the object keeps CPluginView's name.
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::IPlugViewContentScaleSupport)
  END_DEFINE_INTERFACES(CPluginView)
  REFCOUNT_METHODS(CPluginView)

  // Asks the host frame for a new size; the host answers with onSize. False without a frame.
  bool RequestResize(int width, int height);
  // Editor pixels are shown as blocks of PixelScale() x PixelScale() host pixels.
  int PixelScale() const { return mPixelScale; }

private:
  bool OpenEditor();
  void CloseEditor();

  IPlugVST3& mPlug;
  bool mExpectingResize = false;
  int mPixelScale = 1;
  std::unique_ptr<HostRunLoop> mRunLoop;
  void* mEditorView = nullptr;
};
