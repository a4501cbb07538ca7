#include "tools/vulcrax-render/RenderOptions.h"
#include "tools/vulcrax-render/Renderer.h"
#include "tools/vulcrax-render/StopSignal.h"

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
  StopSignal::Install();
  const int exitCode = Renderer(std::move(options)).Run();
  // The renderer is gone and its temporary files with it.
  StopSignal::EndProcessIfReceived();
  return exitCode;
}
