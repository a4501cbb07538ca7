#pragma once

// The host's event loop as an editor window needs it, for window systems without a loop of
// their own in the plug-in (X11): a repeating timer and a watch on the window connection's
// file descriptor. Both callbacks come on the host's user-interface thread.
class IEditorRunLoopClient
{
public:
  virtual ~IEditorRunLoopClient() = default;
  virtual void OnTimer() = 0;
  virtual void OnReadable() = 0;
};

class IEditorRunLoop
{
public:
  virtual ~IEditorRunLoop() = default;
  // Starts both the timer and the watch, or neither (false).
  virtual bool Register(IEditorRunLoopClient& client, int fd, int intervalMs) = 0;
  virtual void Unregister(IEditorRunLoopClient& client) = 0;
};
