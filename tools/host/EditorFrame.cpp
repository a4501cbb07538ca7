#include "tools/host/EditorFrame.h"

#include <poll.h>

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Linux;

namespace TvHost {
namespace {

// Takes every entry of the handler out of the list; kResultFalse when it had none.
template <class Entries, class Handler>
tresult RemoveEntriesOf(Entries& entries, Handler* handler)
{
  const auto end =
    std::remove_if(entries.begin(), entries.end(), [handler](const auto& entry) { return entry.handler == handler; });
  const bool found = end != entries.end();
  entries.erase(end, entries.end());
  return found ? kResultOk : kResultFalse;
}

}  // namespace

tresult PLUGIN_API EditorFrame::resizeView(IPlugView* view, ViewRect* rect)
{
  if (view == nullptr || rect == nullptr)
  {
    return kInvalidArgument;
  }
  resizedView = view;
  resizes.push_back(*rect);
  return view->onSize(rect);
}

tresult PLUGIN_API EditorFrame::registerEventHandler(IEventHandler* handler, FileDescriptor fd)
{
  if (handler == nullptr || fd < 0)
  {
    return kInvalidArgument;
  }
  mHandlers.push_back({IPtr<IEventHandler>(handler), fd});
  return kResultOk;
}

tresult PLUGIN_API EditorFrame::unregisterEventHandler(IEventHandler* handler)
{
  return RemoveEntriesOf(mHandlers, handler);
}

tresult PLUGIN_API EditorFrame::registerTimer(ITimerHandler* handler, TimerInterval milliseconds)
{
  if (handler == nullptr || milliseconds == 0)
  {
    return kInvalidArgument;
  }
  const Clock::duration interval = std::chrono::milliseconds(milliseconds);
  mTimers.push_back({IPtr<ITimerHandler>(handler), interval, Clock::now() + interval});
  return kResultOk;
}

tresult PLUGIN_API EditorFrame::unregisterTimer(ITimerHandler* handler)
{
  return RemoveEntriesOf(mTimers, handler);
}

tresult PLUGIN_API EditorFrame::queryInterface(const TUID iid, void** obj)
{
  if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) || FUnknownPrivate::iidEqual(iid, IPlugFrame::iid))
  {
    addRef();
    *obj = static_cast<IPlugFrame*>(this);
    return kResultOk;
  }
  if (mOfferRunLoop && FUnknownPrivate::iidEqual(iid, IRunLoop::iid))
  {
    addRef();
    *obj = static_cast<IRunLoop*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

void EditorFrame::RunFor(int milliseconds)
{
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now())
  {
    Clock::time_point wake = end;
    for (const Timer& timer : mTimers)
    {
      wake = std::min(wake, timer.due);
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count();
    CallReadyHandlers(static_cast<int>(std::max<long long>(wait, 0)));
    CallTimers(true);
  }
}

void EditorFrame::Step()
{
  CallReadyHandlers(0);
  CallTimers(false);
}

// Handlers and timers may unregister themselves or others while they run: each round works
// on a copy that keeps the objects alive.
void EditorFrame::CallReadyHandlers(int timeoutMs)
{
  const std::vector<Handler> handlers = mCallsHandlers ? mHandlers : std::vector<Handler>();
  std::vector<pollfd> fds;
  for (const Handler& entry : handlers)
  {
    fds.push_back({entry.fd, POLLIN, 0});
  }
  if (poll(fds.data(), fds.size(), timeoutMs) <= 0)
  {
    return;
  }
  for (size_t i = 0; i < handlers.size(); ++i)
  {
    if ((fds[i].revents & POLLIN) != 0)
    {
      handlers[i].handler->onFDIsSet(handlers[i].fd);
    }
  }
}

void EditorFrame::CallTimers(bool onlyDue)
{
  const Clock::time_point now = Clock::now();
  std::vector<IPtr<ITimerHandler>> due;
  for (Timer& timer : mTimers)
  {
    if (onlyDue && timer.due > now)
    {
      continue;
    }
    timer.due = now + timer.interval;
    due.push_back(timer.handler);
  }
  for (const auto& handler : due)
  {
    handler->onTimer();
  }
}

}  // namespace TvHost
