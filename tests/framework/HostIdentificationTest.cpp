#include <string>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

TEST(HostIdentification, NamesMapToCodesAndTheFirstFragmentWins)
{
  const struct
  {
    const char* name;
    int code;
  } cases[] = {{"REAPER", 1},
               {"Steinberg Cubase 7", 3},
               {"Nuendo", 4},
               {"Melodyne", 12},
               {"WaveLab 8", 31},
               {"PreSonus Studio One", 26},
               {"Nuendo and Cubase", 3},
               {"Ableton Live", 9},
               {"Deliver", 9},
               {"Live WaveLab", 9},
               {"Logic Pro X", 21},
               {"Digital Performer", 23},
               {"", 0},
               {nullptr, 0},
               {"Some Other Host", 0}};
  for (const auto& c : cases)
    EXPECT_EQ(c.code, IPlugBase::IdentifyHost(c.name)) << (c.name ? c.name : "(null)");
  // Only the first 255 characters count.
  EXPECT_EQ(0, IPlugBase::IdentifyHost((std::string(255, ' ') + "reaper").c_str()));
  EXPECT_EQ(1, IPlugBase::IdentifyHost((std::string(249, ' ') + "reaper").c_str()));
}

TEST(HostIdentification, DisplayNames)
{
  const struct
  {
    int code;
    const char* name;
  } cases[] = {{0, "Unknown"}, {32, "Unknown"}, {-5, "Unknown"},   {12, "Unknown"},
               {1, "Reaper"},  {5, "Sonar"},    {26, "StudioOne"}, {31, "WaveLab"}};
  for (const auto& c : cases)
  {
    char out[IPlugBase::kHostNameSize];
    IPlugBase::HostDisplayName(c.code, out);
    EXPECT_STREQ(c.name, out) << c.code;
  }
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
}
