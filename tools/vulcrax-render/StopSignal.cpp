#include "tools/vulcrax-render/StopSignal.h"

#include <csignal>

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t gReceived = 0;

extern "C" void RecordStopSignal(int signal)
{
  gReceived = signal;
}

}  // namespace

void StopSignal::Install()
{
  for (const int signal : kStopSignals)
  {
    struct sigaction previous
    {
    };
    if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
      continue;
    struct sigaction action
    {
    };
    action.sa_handler = RecordStopSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes resume; the loop notices the signal after the block.
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
  }
}

bool StopSignal::Received()
{
  return gReceived != 0;
}

void StopSignal::EndProcessIfReceived()
{
  const int signal = gReceived;
  if (signal == 0)
    return;
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}
