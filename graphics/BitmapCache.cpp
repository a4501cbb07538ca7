#include "graphics/BitmapCache.h"

#include "graphics/lice/LICE_IBitmap.h"

#include <algorithm>

BitmapCache& BitmapCache::Instance()
{
  static BitmapCache cache;
  return cache;
}

LICE_IBitmap* BitmapCache::Find(int id)
{
  std::lock_guard<std::mutex> lock(mMutex);
  return FindLocked(id);
}

LICE_IBitmap* BitmapCache::Adopt(int id, std::unique_ptr<LICE_IBitmap> bitmap)
{
  if (!bitmap)
    return nullptr;
  std::lock_guard<std::mutex> lock(mMutex);
  // A bitmap the cache already holds keeps its one entry; a second would delete it twice.
  if (HoldsLocked(bitmap.get()))
    return bitmap.release();
  if (id != kRuntimeId)
    if (LICE_IBitmap* cached = FindLocked(id))
      return cached;
  mEntries.push_back(Entry{id, std::move(bitmap)});
  return mEntries.back().bitmap.get();
}

bool BitmapCache::Remove(const LICE_IBitmap* bitmap)
{
  std::unique_ptr<LICE_IBitmap> removed;
  {
    std::lock_guard<std::mutex> lock(mMutex);
    auto it =
      std::find_if(mEntries.begin(), mEntries.end(), [bitmap](const Entry& e) { return e.bitmap.get() == bitmap; });
    if (it == mEntries.end())
      return false;
    removed = std::move(it->bitmap);
    mEntries.erase(it);
  }
  return true;
}

int BitmapCache::Count()
{
  std::lock_guard<std::mutex> lock(mMutex);
  return static_cast<int>(mEntries.size());
}

bool BitmapCache::HoldsLocked(const LICE_IBitmap* bitmap) const
{
  return std::any_of(mEntries.begin(), mEntries.end(), [bitmap](const Entry& e) { return e.bitmap.get() == bitmap; });
}

LICE_IBitmap* BitmapCache::FindLocked(int id) const
{
  for (const Entry& e : mEntries)
    if (e.id == id && e.bitmap)
      return e.bitmap.get();
  return nullptr;
}
