#pragma once

// One legal (inputs, outputs) channel combination of a plug-in.
struct ChannelIoPair
{
  int inputs = 0;
  int outputs = 0;
};
