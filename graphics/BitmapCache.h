#pragma once

#include <memory>
#include <mutex>
#include <vector>

class LICE_IBitmap;

// The process-wide store of decoded and derived images, shared by every editor so that a
// resource is decoded once. Loading happens outside the lock; the lock covers only the list.
class BitmapCache
{
public:
  static constexpr int kRuntimeId = -1;  // bitmaps made at run time (scaled, cropped, retained)

  static BitmapCache& Instance();

  // The bitmap cached for a resource id, or null.
  LICE_IBitmap* Find(int id);
  // Takes ownership. When another editor cached the same resource meanwhile, the new copy
  // is dropped and the cached one returned, so an id always maps to one bitmap. A bitmap
  // the cache already holds is returned as it is.
  LICE_IBitmap* Adopt(int id, std::unique_ptr<LICE_IBitmap> bitmap);
  // Deletes the bitmap if the cache holds it; false otherwise.
  bool Remove(const LICE_IBitmap* bitmap);
  int Count();

private:
  struct Entry
  {
    int id;
    std::unique_ptr<LICE_IBitmap> bitmap;
  };

  LICE_IBitmap* FindLocked(int id) const;
  bool HoldsLocked(const LICE_IBitmap* bitmap) const;

  std::mutex mMutex;
  std::vector<Entry> mEntries;
};
