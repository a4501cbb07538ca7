#include "vst3/HostRunLoop.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Linux;

// Forwards the host's calls to one client until it is detached; the host may hold the
// handler a little longer than the client lives.
class HostRunLoop::Handler : public FObject, public ITimerHandler, public IEventHandler
{
public:
  explicit Handler(IEditorRunLoopClient& client) : mClient(&client) {}

  void PLUGIN_API onTimer() SMTG_OVERRIDE
  {
    if (mClient != nullptr)
    {
      mClient->OnTimer();
    }
  }

  void PLUGIN_API onFDIsSet(FileDescriptor) SMTG_OVERRIDE
  {
    if (mClient != nullptr)
    {
      mClient->OnReadable();
    }
  }

  IEditorRunLoopClient* Client() const { return mClient; }
  void Detach() { mClient = nullptr; }

  OBJ_METHODS(HostRunLoop::Handler, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(ITimerHandler)
  DEF_INTERFACE(IEventHandler)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  IEditorRunLoopClient* mClient;
};

HostRunLoop::HostRunLoop(IRunLoop* loop) : mLoop(loop) {}

HostRunLoop::~HostRunLoop()
{
  while (!mHandlers.empty())
  {
    Unregister(*mHandlers.back()->Client());
  }
}

bool HostRunLoop::Register(IEditorRunLoopClient& client, int fd, int intervalMs)
{
  if (!mLoop)
  {
    return false;
  }
  auto handler = owned(new Handler(client));
  if (mLoop->registerEventHandler(handler, fd) != kResultOk)
  {
    return false;
  }
  if (mLoop->registerTimer(handler, static_cast<TimerInterval>(intervalMs)) != kResultOk)
  {
    mLoop->unregisterEventHandler(handler);
    return false;
  }
  mHandlers.push_back(handler);
  return true;
}

void HostRunLoop::Unregister(IEditorRunLoopClient& client)
{
  const auto found = std::find_if(mHandlers.begin(), mHandlers.end(),
                                  [&client](const IPtr<Handler>& handler) { return handler->Client() == &client; });
  if (found == mHandlers.end())
  {
    return;
  }
  const IPtr<Handler> handler = *found;
  mHandlers.erase(found);
  handler->Detach();
  mLoop->unregisterTimer(handler);
  mLoop->unregisterEventHandler(handler);
}
