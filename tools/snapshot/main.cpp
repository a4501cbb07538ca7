// Writes the effect's editor, as a freshly created instance shows it, to a PNG file.
#include "effect/TolvexVulcrax.h"
#include "graphics/IGraphics.h"
#include "tools/snapshot/SurfacePng.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0)
  {
    std::fprintf(stderr, "usage: vulcrax-snapshot OUT.png\n"
                         "Renders the editor of a new effect instance into OUT.png.\n");
    return 2;
  }
  TolvexVulcrax effect;
  auto* editor = dynamic_cast<IGraphics*>(effect.Editor());
  if (!editor)
  {
    std::fprintf(stderr, "vulcrax-snapshot: the effect has no editor\n");
    return 1;
  }
  if (!SnapshotEditor(*editor, argv[1]))
  {
    std::fprintf(stderr, "vulcrax-snapshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
