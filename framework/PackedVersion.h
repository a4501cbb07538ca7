#pragma once

// Versions packed as 0xMMMMmmbb: major in the upper 16 bits, minor in bits 8..15,
// bug-fix in bits 0..7.
namespace PackedVersion {
inline int Major(int packed)
{
  return (packed >> 16) & 0xFFFF;
}
inline int Minor(int packed)
{
  return (packed >> 8) & 0xFF;
}
inline int BugFix(int packed)
{
  return packed & 0xFF;
}

// major * 10000 + minor * 100 + bug-fix, or the packed word itself.
inline int Number(int packed, bool decimal)
{
  return decimal ? Major(packed) * 10000 + Minor(packed) * 100 + BugFix(packed) : packed;
}

// "vM.m.b" into out, which holds size bytes.
void FormatText(int packed, char* out, int size);
}  // namespace PackedVersion
