#include <string>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

namespace
{
std::string DisplayName(int code)
{
  char out[IPlugBase::kHostNameSize];
  IPlugBase::HostDisplayName(code, out);
  return out;
}
}  // namespace

TEST(HostIdentification, NamesMapToCodes)
{
  EXPECT_EQ(1, IPlugBase::IdentifyHost("REAPER"));
  EXPECT_EQ(3, IPlugBase::IdentifyHost("Steinberg Cubase 7"));
  EXPECT_EQ(4, IPlugBase::IdentifyHost("Nuendo"));
  EXPECT_EQ(12, IPlugBase::IdentifyHost("Melodyne"));
  EXPECT_EQ(31, IPlugBase::IdentifyHost("WaveLab 8"));
  EXPECT_EQ(26, IPlugBase::IdentifyHost("PreSonus Studio One"));
  EXPECT_EQ(5, IPlugBase::IdentifyHost("Cakewalk Sonar"));
  EXPECT_EQ(27, IPlugBase::IdentifyHost("VST3PluginTestHost"));
  EXPECT_EQ(0, IPlugBase::IdentifyHost(""));
  EXPECT_EQ(0, IPlugBase::IdentifyHost(nullptr));
  EXPECT_EQ(0, IPlugBase::IdentifyHost("Some Other Host"));
}

TEST(HostIdentification, FragmentOrderDecidesTies)
{
  EXPECT_EQ(3, IPlugBase::IdentifyHost("Nuendo and Cubase"));
  EXPECT_EQ(9, IPlugBase::IdentifyHost("Ableton Live"));
  EXPECT_EQ(9, IPlugBase::IdentifyHost("Deliver"));
  EXPECT_EQ(21, IPlugBase::IdentifyHost("Logic Pro X"));
  EXPECT_EQ(23, IPlugBase::IdentifyHost("Digital Performer"));
  EXPECT_EQ(9, IPlugBase::IdentifyHost("Live WaveLab"));  // "live" is tested long before "wavelab"
}

TEST(HostIdentification, OnlyTheFirst255CharactersCount)
{
  const std::string padded = std::string(255, ' ') + "reaper";
  EXPECT_EQ(0, IPlugBase::IdentifyHost(padded.c_str()));
  const std::string fits = std::string(249, ' ') + "reaper";
  EXPECT_EQ(1, IPlugBase::IdentifyHost(fits.c_str()));
}

TEST(HostIdentification, DisplayNames)
{
  EXPECT_EQ("Unknown", DisplayName(0));
  EXPECT_EQ("Unknown", DisplayName(32));
  EXPECT_EQ("Unknown", DisplayName(-5));
  EXPECT_EQ("Unknown", DisplayName(12));
  EXPECT_EQ("Reaper", DisplayName(1));
  EXPECT_EQ("Sonar", DisplayName(5));
  EXPECT_EQ("StudioOne", DisplayName(26));
  EXPECT_EQ("WaveLab", DisplayName(31));
}

TEST(HostIdentification, SetHostStoresCodeAndVersion)
{
  RecordingPlug plug;
  EXPECT_EQ(-1, plug.HostCode());
  plug.SetHost("WaveLab 8", 0x00070105);
  EXPECT_EQ(31, plug.HostCode());
  EXPECT_EQ(0x00070105, plug.HostVersion(false));
  EXPECT_EQ(70105, plug.HostVersion(true));
  char text[IPlugBase::kVersionTextSize];
  plug.HostVersionText(text);
  EXPECT_STREQ("v7.1.5", text);
  plug.SetHost("nothing known", 0);
  EXPECT_EQ(0, plug.HostCode());
  EXPECT_EQ(0, plug.HostVersion(true));
}
