#include "tools/vulcrax-render/RenderOptions.h"
#include "tools/vulcrax-render/Renderer.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
  RenderOptions options;
  std::string error;
  if (!ParseRenderOptions(argc, argv, options, error))
  {
    std::fprintf(stderr, "vulcrax-render: %s\n", error.c_str());
    return 2;
  }
  if (options.help)
  {
    std::fputs(RenderUsage(), stdout);
    return EXIT_SUCCESS;
  }
  return Renderer(std::move(options)).Run();
}
