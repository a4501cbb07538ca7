#pragma once

#include <string>
#include <vector>

// Bookkeeping of one input channel: whether the host delivers it, where the block routine's
// pointer for it lives, and the scratch array it reads when disconnected or fed with floats.
struct InputChannel
{
  bool connected = false;
  double** slot = nullptr;
  std::vector<double> scratch;
  std::string label;
};
