#pragma once

#include <vector>

// What the plug-in side has asked of the editor since the UI thread last looked: per
// parameter the latest normalised value and grey state, and whether every control must be
// repainted. The plug-in side stores with the plug-in's mutex held (on the audio thread too);
// the UI thread moves everything out under that mutex with TakeInto and applies the copy
// after unlocking. Sized once for the plug-in's parameters, so storing and taking allocate
// nothing; indices outside that count are ignored.
class PendingEditorChanges
{
public:
  struct ParamChange
  {
    // The first value ever stored for a parameter travels in its own slot: controls keep the
    // first value they receive as their double-click default, and later values arriving
    // before the UI thread looks must not take its place.
    double firstValue = 0.0;
    double value = 0.0;
    bool hasFirstValue = false;
    bool hasValue = false;
    bool hasGrey = false;
    bool grey = false;
    // Not a pending change: whether any value was ever stored (never cleared).
    bool everStored = false;
  };

  explicit PendingEditorChanges(int paramCount);

  void StoreValue(int paramIdx, double normalized);
  void StoreGrey(int paramIdx, bool grey);
  void StoreAllDirty();
  // Copies the pending changes into out (made for the same count) and clears them here.
  void TakeInto(PendingEditorChanges& out);

  int ParamCount() const { return static_cast<int>(mChanges.size()); }
  const ParamChange& ChangeAt(int paramIdx) const { return mChanges[paramIdx]; }
  bool AllDirty() const { return mAllDirty; }

private:
  ParamChange* Slot(int paramIdx);

  std::vector<ParamChange> mChanges;
  bool mAllDirty = false;
};
