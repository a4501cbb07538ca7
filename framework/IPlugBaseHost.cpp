// Host identification of IPlugBase: which application the plug-in runs in.
#include <cctype>
#include <cstring>

#include "framework/FixedText.h"
#include "framework/IPlugBase.h"
#include "framework/PackedVersion.h"
#include "framework/Trace.h"

namespace {
struct HostFragment
{
  const char* fragment;
  int code;
};

// Tested in this order; the first fragment found decides, so the order settles names that
// contain several fragments.
const HostFragment kHostFragments[] = {
  {"cubase", 3},      {"reaper", 1},      {"nuendo", 4},
  {"cakewalk", 5},    {"samplitude", 8},  {"fruity", 7},
  {"live", 9},        {"melodyne", 12},   {"vstmanlib", 13},
  {"aulab", 14},      {"garageband", 22}, {"forte", 15},
  {"chainer", 16},    {"audition", 17},   {"orion", 18},
  {"sawstudio", 20},  {"logic", 21},      {"digital", 23},
  {"audiomulch", 25}, {"presonus", 26},   {"vst3plugintesthost", 27},
  {"protools", 2},    {"ardour", 28},     {"openmpt", 30},
  {"renoise", 29},    {"standalone", 24}, {"wavelab", 31},
};

const char* const kHostDisplayNames[] = {
  "Unknown",    "Reaper",     "ProTools",   "Cubase",
  "Nuendo",     "Sonar",      "Vegas",      "FLStudio",
  "Samplitude", "Live",       "Unknown",    "Unknown",
  "Unknown",    "VSTScanner", "AULab",      "Forte",
  "Chainer",    "Audition",   "Orion",      "Unknown",
  "SAWStudio",  "Logic",      "GarageBand", "DigitalPerformer",
  "Standalone", "AudioMulch", "StudioOne",  "VST3PluginTestHost",
  "Ardour",     "Renoise",    "OpenMPT",    "WaveLab",
};
constexpr int kHostCodeCount = static_cast<int>(sizeof kHostDisplayNames / sizeof kHostDisplayNames[0]);
static_assert(kHostCodeCount == 32, "host codes run from 0 to 31");
}  // namespace

int IPlugBase::IdentifyHost(const char* hostName)
{
  char lower[256] = {};
  CopyFixedText(lower, hostName);
  for (char* c = lower; *c; ++c)
    *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  for (const HostFragment& entry : kHostFragments)
    if (std::strstr(lower, entry.fragment))
      return entry.code;
  return 0;
}

void IPlugBase::SetHost(const char* hostName, int version)
{
  mHostCode = IdentifyHost(hostName);
  mHostVersion = version;
  char versionText[kVersionTextSize];
  HostVersionText(versionText);
  TV_TRACE("host_%sknown:%s:%s", mHostCode == 0 ? "un" : "", hostName ? hostName : "", versionText);
}

int IPlugBase::HostVersion(bool decimal) const
{
  return PackedVersion::Number(mHostVersion, decimal);
}

void IPlugBase::HostVersionText(char* out) const
{
  PackedVersion::FormatText(mHostVersion, out, kVersionTextSize);
}

void IPlugBase::HostDisplayName(int hostCode, char* out)
{
  const bool known = hostCode >= 1 && hostCode < kHostCodeCount;
  CopyFixedText(out, kHostNameSize, kHostDisplayNames[known ? hostCode : 0]);
}
