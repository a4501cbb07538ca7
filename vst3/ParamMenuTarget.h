#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

class IPlugVST3;
class IPlugParam;

// Receives the editor's own items of a parameter's context menu chosen in the host's menu
// and hands them to the editor. It holds a reference on the plug-in object, so an item the
// host executes after the popup has returned, or after the editor was closed, still finds
// the object (and then an editor, or nothing to do). Host's UI thread.
class ParamMenuTarget : public Steinberg::FObject, public Steinberg::Vst::IContextMenuTarget
{
public:
  ParamMenuTarget(IPlugVST3& plug, int paramIdx);

  // Appends the parameter's name and value as a disabled title, then the editor's items,
  // each with this target; a separator first when the host has items of its own in it.
  void AddItemsTo(Steinberg::Vst::IContextMenu& menu, const IPlugParam& param);

  Steinberg::tresult PLUGIN_API executeMenuItem(Steinberg::int32 tag) SMTG_OVERRIDE;

  OBJ_METHODS(ParamMenuTarget, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::Vst::IContextMenuTarget)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  Steinberg::IPtr<IPlugVST3> mPlug;
  int mParamIdx;
};
