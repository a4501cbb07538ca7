#pragma once

// The host's transport state as the adapter reports it to the plug-in.
struct TransportInfo
{
  double tempo = 0.0;
  double samplePosition = 0.0;
  double ppqPosition = 0.0;
  double lastBarPosition = 0.0;
  double cycleStart = 0.0;
  double cycleEnd = 0.0;
  int numerator = 0;
  int denominator = 0;
  bool playing = false;
  bool cycleActive = false;
};
