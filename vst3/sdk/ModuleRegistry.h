#pragma once

#include <vector>

// Bookkeeping behind the Linux module entry points ModuleEntry and ModuleExit: every entry
// with a library handle is counted and its handle kept; the handles are let go when as many
// exits as entries have been seen. The first handle seen is the module's own.
class ModuleRegistry
{
public:
  using Hook = bool (*)();

  ModuleRegistry(Hook initHook, Hook exitHook) : mInitHook(initHook), mExitHook(exitHook) {}

  // A null handle counts nothing and is accepted.
  bool Enter(void* libraryHandle);
  bool Exit();

  int EntryCount() const { return mEntryCount; }
  int HeldHandleCount() const { return static_cast<int>(mHandles.size()); }
  void* ModuleHandle() const { return mModuleHandle; }

private:
  Hook mInitHook;
  Hook mExitHook;
  int mEntryCount = 0;
  void* mModuleHandle = nullptr;
  std::vector<void*> mHandles;
};
