#pragma once

// Ctrl-C (SIGINT), SIGTERM and SIGHUP ask the renderer to stop rather than kill it on the
// spot, so that its temporary files are removed first. The handler only records the signal;
// the render loop and every commit of an output file check it, and the process ends by that
// same signal once the renderer has cleaned up, so a shell or script sees how it ended.
class StopSignal
{
public:
  // Catches the three signals, except one that the process was started to ignore.
  static void Install();
  static bool Received();
  // Ends the process with the recorded signal's default action; returns when none came.
  static void EndProcessIfReceived();
};
