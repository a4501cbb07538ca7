#include "graphics/ResourceImage.h"

#include "graphics/lice/LICE_Png.h"

#include <cctype>
#include <cstring>

namespace {
bool HasPngExtension(const char* name)
{
  const char* dot = std::strrchr(name, '.');
  if (!dot)
    return false;
  const char* ext = dot + 1;
  return std::strlen(ext) == 3 && std::tolower(static_cast<unsigned char>(ext[0])) == 'p' &&
         std::tolower(static_cast<unsigned char>(ext[1])) == 'n' &&
         std::tolower(static_cast<unsigned char>(ext[2])) == 'g';
}

const char* LastPathComponent(const char* name)
{
  const char* slash = std::strrchr(name, '/');
  return slash ? slash + 1 : name;
}
}  // namespace

LICE_IBitmap* LoadResourceImage(const std::string& folder, const char* name)
{
  if (!name || !HasPngExtension(name))
    return nullptr;
  const std::string path = folder + "/" + LastPathComponent(name);
  return LoadPngFile(path.c_str());
}
