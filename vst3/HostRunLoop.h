#pragma once

#include "framework/IEditorRunLoop.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <vector>

// The run loop a Linux host offers through its IPlugFrame, serving the editor's windows:
// each client gets one handler object that the host calls for the timer and for the
// descriptor. Whatever is still registered is unregistered on destruction.
class HostRunLoop : public IEditorRunLoop
{
public:
  explicit HostRunLoop(Steinberg::Linux::IRunLoop* loop);
  ~HostRunLoop() override;
  HostRunLoop(const HostRunLoop&) = delete;
  HostRunLoop& operator=(const HostRunLoop&) = delete;

  bool Register(IEditorRunLoopClient& client, int fd, int intervalMs) override;
  void Unregister(IEditorRunLoopClient& client) override;

private:
  class Handler;

  Steinberg::IPtr<Steinberg::Linux::IRunLoop> mLoop;
  std::vector<Steinberg::IPtr<Handler>> mHandlers;
};
