#pragma once

#include "public.sdk/source/common/pluginview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <memory>

class HostRunLoop;
class IPlugVST3;

// The editor view a host asks the plug-in for. It places the plug-in's editor into the host's
// window, served by the run loop of the host's frame, and reports the editor's size; several
// views may share the one editor. The editor is shown at the host's content scale times the
// size the user chose (kept in the plug-in's state, IPlugBase::EditorScaleInState), within
// EditorScale's range; the view can be resized to any size of the editor's aspect ratio in
// that range. A view holds a reference on the plug-in object for its whole life.
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
  Steinberg::tresult PLUGIN_API canResize() SMTG_OVERRIDE { return Steinberg::kResultTrue; }
  Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;

  // The interfaces of CPluginView and the content scale; the object keeps CPluginView's name.
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::IPlugViewContentScaleSupport)
  END_DEFINE_INTERFACES(CPluginView)
  REFCOUNT_METHODS(CPluginView)

  // Asks the host frame for a new size; the host answers with onSize unless it refuses. False
  // without a frame.
  bool RequestResize(int width, int height);
  // An open view asks its host for the size the shared editor now has.
  void FollowEditorSize();

private:
  bool OpenEditor();
  void CloseEditor();
  // The scale the editor is shown at in this view.
  double ShownScale() const;
  // The scale for a window size the host proposes: the side that differs more from the
  // current size decides, so that dragging either edge resizes.
  double ScaleForSize(const Steinberg::ViewRect& size) const;
  // The editor's size in window pixels at a scale.
  Steinberg::ViewRect SizeAt(double scale) const;
  // Shows the editor at the scale when this view has it open.
  void ApplyScale();

  IPlugVST3& mPlug;
  bool mExpectingResize = false;
  double mContentScale = 1.0;
  std::unique_ptr<HostRunLoop> mRunLoop;
  void* mEditorView = nullptr;
};
