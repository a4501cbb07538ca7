#include "framework/PackedVersion.h"

#include <cstdio>

void PackedVersion::FormatText(int packed, char* out, int size)
{
  if (out && size > 0)
    std::snprintf(out, static_cast<size_t>(size), "v%d.%d.%d", Major(packed), Minor(packed), BugFix(packed));
}
