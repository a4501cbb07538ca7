#pragma once

#include <string>
#include <vector>

// Bookkeeping of one output channel: whether the host takes it, where the block routine's
// pointer for it lives, the host's float array for this block and the scratch array that
// receives the samples when disconnected or converted to float.
struct OutputChannel
{
  bool connected = false;
  double** slot = nullptr;
  float* floatDestination = nullptr;
  std::vector<double> scratch;
  std::string label;
};
