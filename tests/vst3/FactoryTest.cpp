// The module's exports, its factory and the class it creates, seen through dlopen.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "effect/PluginIdentity.h"
#include "tools/host/Utf16Text.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;

namespace {

using GetFactoryFunc = IPluginFactory* (*)();
using EntryFunc = bool (*)(void*);
using ExitFunc = bool (*)();

const char kClassIdHex[] = "F2AEE70D00DE4F4E566C6378546C7678";

// The module opened with dlopen for the length of one test.
class ModuleLibrary
{
public:
  ModuleLibrary() : handle(dlopen(TV_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL)) {}
  ~ModuleLibrary()
  {
    if (handle != nullptr)
      dlclose(handle);
  }
  template <typename Func>
  Func Symbol(const char* name) const
  {
    return reinterpret_cast<Func>(dlsym(handle, name));
  }
  void* handle;
};

std::string Hex(const char* bytes, int count)
{
  std::string text;
  for (int i = 0; i < count; ++i)
  {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(bytes[i]));
    text += pair;
  }
  return text;
}

class FactoryTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_NE(library.handle, nullptr) << dlerror();
    getFactory = library.Symbol<GetFactoryFunc>("GetPluginFactory");
    ASSERT_NE(getFactory, nullptr);
    factory = getFactory();
    ASSERT_NE(factory, nullptr);
  }
  void TearDown() override
  {
    if (factory != nullptr)
      factory->release();
  }

  ModuleLibrary library;
  GetFactoryFunc getFactory = nullptr;
  IPluginFactory* factory = nullptr;
};

}  // namespace

TEST(ModuleExports, EntryPointsExistAndNothingElseLeaks)
{
  ModuleLibrary library;
  ASSERT_NE(library.handle, nullptr) << dlerror();
  EXPECT_NE(library.Symbol<void*>("GetPluginFactory"), nullptr);
  auto entry = library.Symbol<EntryFunc>("ModuleEntry");
  auto exit = library.Symbol<ExitFunc>("ModuleExit");
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(library.Symbol<void*>("InitModule"), nullptr);
  EXPECT_EQ(library.Symbol<void*>("_ZN9Steinberg7FObject7releaseEv"), nullptr);

  EXPECT_TRUE(entry(nullptr));
  EXPECT_TRUE(entry(library.handle));
  EXPECT_TRUE(entry(library.handle));
  EXPECT_TRUE(exit());
  EXPECT_TRUE(exit());
}

TEST_F(FactoryTest, FactoryInformation)
{
  PFactoryInfo info;
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Tolvex");
  EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
  EXPECT_GT(std::strlen(info.url), 0u);
  EXPECT_GT(std::strlen(info.email), 0u);
  EXPECT_EQ(factory->countClasses(), 1);
}

TEST_F(FactoryTest, ClassInformationInAllThreeForms)
{
  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);
  EXPECT_EQ(Hex(info.cid, 16), kClassIdHex);
  EXPECT_EQ(std::memcmp(info.cid + 8, "VlcxTlvx", 8), 0);
  EXPECT_EQ(info.cardinality, PClassInfo::kManyInstances);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.name, "TolvexVulcrax");
  EXPECT_NE(factory->getClassInfo(1, &info), kResultOk);

  FUnknownPtr<IPluginFactory2> factory2(factory);
  ASSERT_TRUE(factory2);
  PClassInfo2 info2;
  ASSERT_EQ(factory2->getClassInfo2(0, &info2), kResultOk);
  EXPECT_EQ(Hex(info2.cid, 16), kClassIdHex);
  EXPECT_EQ(info2.classFlags, 2u);
  EXPECT_STREQ(info2.subCategories, "Fx|Distortion");
  EXPECT_STREQ(info2.vendor, "");
  EXPECT_STREQ(info2.version, PluginIdentity::kVersionText);
  EXPECT_STREQ(info2.sdkVersion, "VST 3.5.2");
  // Fields are zero-filled after their text.
  for (size_t i = std::strlen(info2.name); i < sizeof info2.name; ++i)
    ASSERT_EQ(info2.name[i], 0);

  FUnknownPtr<IPluginFactory3> factory3(factory);
  ASSERT_TRUE(factory3);
  PClassInfoW infoW;
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &infoW), kResultOk);
  EXPECT_EQ(TvHost::Utf16ToUtf8(infoW.name, PClassInfo::kNameSize), "TolvexVulcrax");
  EXPECT_EQ(TvHost::Utf16ToUtf8(infoW.sdkVersion, PClassInfoW::kVersionSize), "VST 3.5.2");
}

TEST_F(FactoryTest, LiveFactoryIsSharedAndRebuiltAfterFullRelease)
{
  IPluginFactory* second = getFactory();
  EXPECT_EQ(second, factory);
  // Two references are held now: one more makes three.
  EXPECT_EQ(factory->addRef(), 3u);
  factory->release();
  second->release();
  factory->release();

  factory = getFactory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->countClasses(), 1);
  EXPECT_EQ(factory->addRef(), 2u);
  factory->release();
}

TEST_F(FactoryTest, CreateInstanceAnswersOnlyItsClassAndKnownInterfaces)
{
  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);

  void* object = reinterpret_cast<void*>(1);
  TUID unknownClass = {};
  EXPECT_EQ(factory->createInstance(unknownClass, Vst::IComponent::iid, &object), kNoInterface);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->createInstance(info.cid, IPluginFactory::iid, &object), kNoInterface);
  EXPECT_EQ(object, nullptr);

  ASSERT_EQ(factory->createInstance(info.cid, Vst::IComponent::iid, &object), kResultOk);
  IPtr<Vst::IComponent> component(static_cast<Vst::IComponent*>(object), false);

  // One object answers every interface, with one shared reference count.
  FUnknownPtr<Vst::IAudioProcessor> processor(component);
  FUnknownPtr<Vst::IEditController> controller(component);
  FUnknownPtr<Vst::IEditController2> controller2(component);
  FUnknownPtr<Vst::IConnectionPoint> connection(component);
  FUnknownPtr<Vst::IUnitInfo> units(component);
  FUnknownPtr<Vst::IMidiMapping> midi(component);
  EXPECT_TRUE(processor && controller && controller2 && connection && units && midi);
  EXPECT_EQ(component->addRef(), 8u);
  component->release();
}
