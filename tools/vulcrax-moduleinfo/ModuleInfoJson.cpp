#include "tools/vulcrax-moduleinfo/ModuleInfoJson.h"

#include "tools/host/Utf16Text.h"

#include "pluginterfaces/base/funknown.h"

#include <cstdio>
#include <sstream>

using namespace Steinberg;

namespace {

// One class as the factory describes it, from the richest description it offers.
struct ClassFacts
{
  std::string cid;
  std::string category;
  std::string name;
  std::string vendor;
  std::string version;
  std::string sdkVersion;
  std::string subCategories;
  uint32 classFlags = 0;
  int32 cardinality = 0;
};

template <size_t N>
std::string FixedText(const char8 (&text)[N])
{
  size_t length = 0;
  while (length < N && text[length] != 0)
    ++length;
  return std::string(text, length);
}

template <size_t N>
std::string FixedText(const char16 (&text)[N])
{
  return TvHost::Utf16ToUtf8(text, static_cast<int>(N));
}

// The 16 bytes of the class identifier in the order the factory hands them over, as 32
// upper-case hexadecimal digits.
std::string CidText(const TUID cid)
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

template <typename Info>
void TakeCommonFacts(const Info& info, ClassFacts& facts)
{
  facts.cid = CidText(info.cid);
  facts.category = FixedText(info.category);
  facts.name = FixedText(info.name);
  facts.cardinality = info.cardinality;
}

template <typename Info>
void TakeVersionFacts(const Info& info, ClassFacts& facts)
{
  facts.vendor = FixedText(info.vendor);
  facts.version = FixedText(info.version);
  facts.sdkVersion = FixedText(info.sdkVersion);
  facts.subCategories = FixedText(info.subCategories);
  facts.classFlags = info.classFlags;
}

bool ReadClass(IPluginFactory& factory, int32 index, ClassFacts& facts)
{
  FUnknownPtr<IPluginFactory3> factory3(&factory);
  PClassInfoW infoW;
  if (factory3 && factory3->getClassInfoUnicode(index, &infoW) == kResultOk)
  {
    TakeCommonFacts(infoW, facts);
    TakeVersionFacts(infoW, facts);
    return true;
  }
  FUnknownPtr<IPluginFactory2> factory2(&factory);
  PClassInfo2 info2;
  if (factory2 && factory2->getClassInfo2(index, &info2) == kResultOk)
  {
    TakeCommonFacts(info2, facts);
    TakeVersionFacts(info2, facts);
    return true;
  }
  PClassInfo info;
  if (factory.getClassInfo(index, &info) != kResultOk)
    return false;
  TakeCommonFacts(info, facts);
  return true;
}

std::string Quoted(const std::string& text)
{
  std::string quoted = "\"";
  for (const char c : text)
  {
    if (c == '"' || c == '\\')
    {
      quoted += '\\';
      quoted += c;
    }
    else if (static_cast<unsigned char>(c) < 0x20)
    {
      char escape[7];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    }
    else
    {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Bool(bool value)
{
  return value ? "true" : "false";
}

// "Fx|Distortion" is written as ["Fx", "Distortion"].
std::string SubCategoryList(const std::string& subCategories)
{
  std::string list = "[";
  std::istringstream parts(subCategories);
  std::string part;
  for (bool first = true; std::getline(parts, part, '|');)
  {
    if (part.empty())
      continue;
    list += (first ? "" : ", ") + Quoted(part);
    first = false;
  }
  return list + "]";
}

void WriteFactoryInfo(std::ostream& out, const PFactoryInfo& info)
{
  out << "  \"Factory Info\": {\n"
      << "    \"Vendor\": " << Quoted(FixedText(info.vendor)) << ",\n"
      << "    \"URL\": " << Quoted(FixedText(info.url)) << ",\n"
      << "    \"E-Mail\": " << Quoted(FixedText(info.email)) << ",\n"
      << "    \"Flags\": {\n"
      << "      \"Unicode\": " << Bool(info.flags & PFactoryInfo::kUnicode) << ",\n"
      << "      \"Classes Discardable\": " << Bool(info.flags & PFactoryInfo::kClassesDiscardable) << ",\n"
      << "      \"Component Non Discardable\": " << Bool(info.flags & PFactoryInfo::kComponentNonDiscardable) << "\n"
      << "    }\n"
      << "  },\n";
}

// A class that names no vendor of its own is the factory's, as hosts read it.
void WriteClass(std::ostream& out, const ClassFacts& facts, const std::string& factoryVendor)
{
  out << "    {\n"
      << "      \"CID\": " << Quoted(facts.cid) << ",\n"
      << "      \"Category\": " << Quoted(facts.category) << ",\n"
      << "      \"Name\": " << Quoted(facts.name) << ",\n"
      << "      \"Vendor\": " << Quoted(facts.vendor.empty() ? factoryVendor : facts.vendor) << ",\n"
      << "      \"Version\": " << Quoted(facts.version) << ",\n"
      << "      \"SDKVersion\": " << Quoted(facts.sdkVersion) << ",\n"
      << "      \"Sub Categories\": " << SubCategoryList(facts.subCategories) << ",\n"
      << "      \"Class Flags\": " << facts.classFlags << ",\n"
      << "      \"Cardinality\": " << facts.cardinality << ",\n"
      << "      \"Snapshots\": []\n"
      << "    }";
}

}  // namespace

std::string ModuleInfoJson(IPluginFactory& factory, const std::string& moduleName, const std::string& moduleVersion)
{
  PFactoryInfo factoryInfo;
  factory.getFactoryInfo(&factoryInfo);
  std::ostringstream out;
  out << "{\n"
      << "  \"Name\": " << Quoted(moduleName) << ",\n"
      << "  \"Version\": " << Quoted(moduleVersion) << ",\n";
  WriteFactoryInfo(out, factoryInfo);
  out << "  \"Compatibility\": [],\n"
      << "  \"Classes\": [\n";
  const int32 count = factory.countClasses();
  const char* separator = "";
  for (int32 index = 0; index < count; ++index)
  {
    ClassFacts facts;
    if (!ReadClass(factory, index, facts))
      continue;
    out << separator;
    WriteClass(out, facts, FixedText(factoryInfo.vendor));
    separator = ",\n";
  }
  out << "\n  ]\n"
      << "}\n";
  return out.str();
}
