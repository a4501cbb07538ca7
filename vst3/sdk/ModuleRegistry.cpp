#include "vst3/sdk/ModuleRegistry.h"

bool ModuleRegistry::Enter(void* libraryHandle)
{
  if (libraryHandle == nullptr)
    return true;
  ++mEntryCount;
  mHandles.push_back(libraryHandle);
  if (mModuleHandle == nullptr)
    mModuleHandle = libraryHandle;
  return mInitHook == nullptr || mInitHook();
}

bool ModuleRegistry::Exit()
{
  if (mExitHook != nullptr && !mExitHook())
    return false;
  if (mEntryCount > 0 && --mEntryCount == 0)
  {
    mHandles.clear();
    mModuleHandle = nullptr;
  }
  return true;
}
