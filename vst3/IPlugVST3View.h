#pragma once

#include "public.sdk/source/common/pluginview.h"

class IPlugVST3;

// The editor view a host asks the plug-in for. It places the plug-in's editor into the host's
// window and reports the editor's size; several views may share the one editor. A view holds
// a reference on the plug-in object for its whole life.
class IPlugVST3View : public Steinberg::CPluginView
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

  // Asks the host frame for a new size; the host answers with onSize. False without a frame.
  bool RequestResize(int width, int height);

private:
  IPlugVST3& mPlug;
  bool mExpectingResize = false;
};
