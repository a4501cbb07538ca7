#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <vector>

namespace TvHost {

// The window side of a host for editor views: an IPlugFrame that also offers the Linux run
// loop (descriptor handlers and timers), driven by RunFor or Step on the caller's thread. It
// records resize requests and answers them with onSize. Owned by its C++ owner; the plug-in
// may addRef and release it.
class EditorFrame : public Steinberg::IPlugFrame, public Steinberg::Linux::IRunLoop
{
public:
  // Without a run loop the frame answers queryInterface for IRunLoop with kNoInterface.
  explicit EditorFrame(bool offerRunLoop = true) : mOfferRunLoop(offerRunLoop) {}
  virtual ~EditorFrame() = default;
  EditorFrame(const EditorFrame&) = delete;
  EditorFrame& operator=(const EditorFrame&) = delete;

  Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* rect) override;

  Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                     Steinberg::Linux::FileDescriptor fd) override;
  Steinberg::tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
  Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                              Steinberg::Linux::TimerInterval milliseconds) override;
  Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return ++mReferences; }
  Steinberg::uint32 PLUGIN_API release() override { return --mReferences; }

  // Serves handlers and timers as they come due for about this long.
  void RunFor(int milliseconds);
  // One deterministic round: the handlers of every readable descriptor, then every timer.
  void Step();

  size_t HandlerCount() const { return mHandlers.size(); }
  size_t TimerCount() const { return mTimers.size(); }
  // Some hosts never call descriptor handlers; the plug-in must then read its events on
  // its timer.
  void SetCallsDescriptorHandlers(bool calls) { mCallsHandlers = calls; }
  // References held besides the owner's own one.
  Steinberg::uint32 BorrowedReferences() const { return mReferences - 1; }

  Steinberg::IPlugView* resizedView = nullptr;
  std::vector<Steinberg::ViewRect> resizes;

private:
  using Clock = std::chrono::steady_clock;
  struct Handler
  {
    Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
    int fd;
  };
  struct Timer
  {
    Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
    Clock::duration interval;
    Clock::time_point due;
  };

  void CallReadyHandlers(int timeoutMs);
  void CallTimers(bool onlyDue);

  bool mOfferRunLoop;
  bool mCallsHandlers = true;
  std::vector<Handler> mHandlers;
  std::vector<Timer> mTimers;
  Steinberg::uint32 mReferences = 1;
};

}  // namespace TvHost
