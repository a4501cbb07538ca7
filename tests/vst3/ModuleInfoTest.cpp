// The bundle's Contents/Resources/moduleinfo.json, read as a scanning host reads it, against
// what the module's factory reports through dlopen.

#include "tests/vst3/JsonValue.h"

#include "effect/PluginIdentity.h"
#include "tools/host/PluginModule.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace Steinberg;

namespace {

namespace fs = std::filesystem;

// The module lies in <bundle>/Contents/x86_64-linux/.
const fs::path kBundle = fs::path(TV_PLUGIN_PATH).parent_path().parent_path().parent_path();

std::string Hex(const TUID cid)
{
  std::string text;
  for (int i = 0; i < 16; ++i)
  {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(cid[i]));
    text += pair;
  }
  return text;
}

std::string WordsHex(const uint32_t (&words)[4])
{
  std::string text;
  for (const uint32_t word : words)
  {
    char eight[9];
    std::snprintf(eight, sizeof eight, "%08X", static_cast<unsigned>(word));
    text += eight;
  }
  return text;
}

std::string Text(const JsonValue* value)
{
  return value != nullptr && value->type == JsonValue::Type::kString ? value->text : "<missing>";
}

double Number(const JsonValue* value)
{
  return value != nullptr && value->type == JsonValue::Type::kNumber ? value->number : -1.0;
}

bool Flag(const JsonValue* value)
{
  EXPECT_TRUE(value != nullptr && value->type == JsonValue::Type::kBool);
  return value != nullptr && value->boolean;
}

// "Fx|Distortion" as the factory gives it, from the file's list.
std::string JoinedList(const JsonValue* list)
{
  std::string joined;
  if (list == nullptr || list->type != JsonValue::Type::kArray)
    return "<missing>";
  for (const JsonValue& item : list->items)
    joined += (joined.empty() ? "" : "|") + Text(&item);
  return joined;
}

bool IsEmptyArray(const JsonValue* value)
{
  return value != nullptr && value->type == JsonValue::Type::kArray && value->items.empty();
}

class ModuleInfo : public testing::Test
{
protected:
  void SetUp() override
  {
    std::string error;
    mModule = TvHost::PluginModule::Open(kBundle.string(), error);
    ASSERT_NE(mModule, nullptr) << error;
    std::ifstream file(kBundle / "Contents/Resources/moduleinfo.json", std::ios::binary);
    ASSERT_TRUE(file) << "no moduleinfo.json in " << kBundle;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_TRUE(JsonValue::Parse(text, mInfo, error)) << error;
    ASSERT_EQ(mInfo.type, JsonValue::Type::kObject);
  }

  std::shared_ptr<TvHost::PluginModule> mModule;
  JsonValue mInfo;
};

TEST_F(ModuleInfo, FactoryInfoIsWhatTheFactoryReports)
{
  PFactoryInfo factory;
  ASSERT_EQ(mModule->Factory()->getFactoryInfo(&factory), kResultOk);
  EXPECT_EQ(Text(mInfo.Member("Name")), kBundle.stem().string());
  EXPECT_EQ(Text(mInfo.Member("Version")), PluginIdentity::kVersionText);
  EXPECT_TRUE(IsEmptyArray(mInfo.Member("Compatibility")));

  const JsonValue* info = mInfo.Member("Factory Info");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(Text(info->Member("Vendor")), factory.vendor);
  EXPECT_EQ(Text(info->Member("URL")), factory.url);
  EXPECT_EQ(Text(info->Member("E-Mail")), factory.email);
  const JsonValue* flags = info->Member("Flags");
  ASSERT_NE(flags, nullptr);
  EXPECT_EQ(Flag(flags->Member("Unicode")), (factory.flags & PFactoryInfo::kUnicode) != 0);
  EXPECT_EQ(Flag(flags->Member("Classes Discardable")), (factory.flags & PFactoryInfo::kClassesDiscardable) != 0);
  EXPECT_EQ(Flag(flags->Member("Component Non Discardable")),
            (factory.flags & PFactoryInfo::kComponentNonDiscardable) != 0);
}

TEST_F(ModuleInfo, EveryClassIsWhatTheFactoryReports)
{
  IPluginFactory* factory = mModule->Factory();
  FUnknownPtr<IPluginFactory2> factory2(factory);
  ASSERT_TRUE(factory2);
  PFactoryInfo factoryInfo;
  factory->getFactoryInfo(&factoryInfo);
  const JsonValue* classes = mInfo.Member("Classes");
  ASSERT_NE(classes, nullptr);
  ASSERT_EQ(classes->type, JsonValue::Type::kArray);
  ASSERT_EQ(static_cast<int32>(classes->items.size()), factory->countClasses());

  for (int32 index = 0; index < factory->countClasses(); ++index)
  {
    SCOPED_TRACE("class " + std::to_string(index));
    PClassInfo2 reported;
    ASSERT_EQ(factory2->getClassInfo2(index, &reported), kResultOk);
    const JsonValue& entry = classes->items[index];
    EXPECT_EQ(Text(entry.Member("CID")), Hex(reported.cid));
    EXPECT_EQ(Text(entry.Member("Category")), reported.category);
    EXPECT_EQ(Text(entry.Member("Name")), reported.name);
    // A class that names no vendor is the factory's, as hosts read it.
    EXPECT_EQ(Text(entry.Member("Vendor")), reported.vendor[0] != 0 ? reported.vendor : factoryInfo.vendor);
    EXPECT_EQ(Text(entry.Member("Version")), reported.version);
    EXPECT_EQ(Text(entry.Member("SDKVersion")), reported.sdkVersion);
    EXPECT_EQ(JoinedList(entry.Member("Sub Categories")), reported.subCategories);
    EXPECT_EQ(Number(entry.Member("Class Flags")), reported.classFlags);
    EXPECT_EQ(Number(entry.Member("Cardinality")), reported.cardinality);
    EXPECT_TRUE(IsEmptyArray(entry.Member("Snapshots")));
  }
  // The effect's identity, independent of the factory: its four words, most significant byte first.
  EXPECT_EQ(Text(classes->items[0].Member("CID")), WordsHex(PluginIdentity::kClassWords));
  EXPECT_EQ(Text(classes->items[0].Member("Name")), PluginIdentity::kEffectName);
  EXPECT_EQ(Text(classes->items[0].Member("Vendor")), PluginIdentity::kMakerName);
}

// The reader the file is checked with refuses what a strict JSON reader refuses.
TEST(JsonReader, RefusesWhatIsNotStrictJson)
{
  const char* const refused[] = {"",         "{",        "{\"a\": 1,}", "[1, 2,]",       "{a: 1}",
                                 "// c\n{}", "[01]",     "[1.]",        "[- 1]",         "[tru]",
                                 "{} {}",    "[\"\t\"]", "[\"\\x\"]",   "[\"\\u00zz\"]", "{\"a\" 1}"};
  for (const char* text : refused)
  {
    JsonValue value;
    std::string error;
    EXPECT_FALSE(JsonValue::Parse(text, value, error)) << text;
  }
  JsonValue value;
  std::string error;
  ASSERT_TRUE(JsonValue::Parse(" {\"a\": [1, -2.5e3, true, null], \"b\\\"\": {\"c\": \"\\u0041\\n\"}} ", value, error))
    << error;
  EXPECT_EQ(value.Member("a")->items[1].number, -2500.0);
  EXPECT_EQ(value.Member("b\"")->Member("c")->text, "A\n");
  EXPECT_EQ(value.Member("missing"), nullptr);
}

}  // namespace
