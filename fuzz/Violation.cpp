#include "fuzz/Violation.h"

#include <cstdio>
#include <cstdlib>

namespace TvFuzz {

void Violation(const char* what)
{
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

}  // namespace TvFuzz
