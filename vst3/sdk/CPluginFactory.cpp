#include "vst3/sdk/CPluginFactory.h"

#include <cstring>

namespace Steinberg {

CPluginFactory::CPluginFactory(const PFactoryInfo& info, CPluginFactory** currentSlot)
  : factoryInfo(info), currentSlot(currentSlot)
{
}

CPluginFactory::~CPluginFactory()
{
  if (currentSlot != nullptr && *currentSlot == this)
    *currentSlot = nullptr;
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateInstanceFunc createFunc, void* context)
{
  if (info == nullptr || createFunc == nullptr)
    return false;
  classes.push_back(ClassEntry{*info, createFunc, context});
  return true;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const
{
  if (index < 0 || index >= static_cast<int32>(classes.size()))
    return nullptr;
  return &classes[static_cast<size_t>(index)];
}

const CPluginFactory::ClassEntry* CPluginFactory::entryFor(FIDString cid) const
{
  if (cid == nullptr)
    return nullptr;
  for (const ClassEntry& entry : classes)
    if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) == 0)
      return &entry;
  return nullptr;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
  if (info == nullptr)
    return kInvalidArgument;
  *info = factoryInfo;
  return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses()
{
  return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr)
    return kInvalidArgument;
  std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
  info->cardinality = entry->info.cardinality;
  std::memcpy(info->category, entry->info.category, sizeof(info->category));
  std::memcpy(info->name, entry->info.name, sizeof(info->name));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr)
    return kInvalidArgument;
  *info = entry->info;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr)
    return kInvalidArgument;
  *info = PClassInfoW();
  info->fromAscii(entry->info);
  return kResultOk;
}

// The object is created with one reference; the interface asked for adds its own, so the
// creation reference is dropped whether or not the object provides that interface.
tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj)
{
  if (obj == nullptr)
    return kInvalidArgument;
  *obj = nullptr;
  const ClassEntry* entry = entryFor(cid);
  if (entry == nullptr || iid == nullptr)
    return kNoInterface;
  FUnknown* instance = entry->create(entry->context);
  if (instance == nullptr)
    return kOutOfMemory;
  const tresult result = instance->queryInterface(iid, obj);
  instance->release();
  if (result != kResultOk)
    *obj = nullptr;
  return result == kResultOk ? kResultOk : kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* /*context*/)
{
  return kNotImplemented;
}

}  // namespace Steinberg
