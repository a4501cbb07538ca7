#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

// Creates one new object of a registered class; the caller owns the returned reference.
using CreateInstanceFunc = FUnknown* (*)(void* context);

// The module's class factory: answers the factory and class information and creates
// instances of the registered classes. Reference counted; when a current-factory slot is
// given, the destructor clears it if it still points at this factory.
class CPluginFactory : public FObject, public IPluginFactory3
{
public:
  explicit CPluginFactory(const PFactoryInfo& info, CPluginFactory** currentSlot = nullptr);
  ~CPluginFactory() override;

  CPluginFactory(const CPluginFactory&) = delete;
  CPluginFactory& operator=(const CPluginFactory&) = delete;

  // Refuses (false) a missing information record or creation function.
  bool registerClass(const PClassInfo2* info, CreateInstanceFunc createFunc, void* context = nullptr);

  // IPluginFactory
  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
  int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
  tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;

  // IPluginFactory2
  tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;

  // IPluginFactory3
  tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
  tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

  OBJ_METHODS(CPluginFactory, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(IPluginFactory)
  DEF_INTERFACE(IPluginFactory2)
  DEF_INTERFACE(IPluginFactory3)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  struct ClassEntry
  {
    PClassInfo2 info;
    CreateInstanceFunc create;
    void* context;
  };

  const ClassEntry* entryAt(int32 index) const;
  const ClassEntry* entryFor(FIDString cid) const;

  PFactoryInfo factoryInfo;
  CPluginFactory** currentSlot;
  std::vector<ClassEntry> classes;
};

}  // namespace Steinberg
