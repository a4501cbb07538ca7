#include "graphics/PendingEditorChanges.h"

#include <algorithm>

PendingEditorChanges::PendingEditorChanges(int paramCount) : mChanges(static_cast<size_t>(std::max(paramCount, 0))) {}

PendingEditorChanges::ParamChange* PendingEditorChanges::Slot(int paramIdx)
{
  if (paramIdx < 0 || paramIdx >= ParamCount())
  {
    return nullptr;
  }
  return &mChanges[paramIdx];
}

void PendingEditorChanges::StoreValue(int paramIdx, double normalized)
{
  ParamChange* change = Slot(paramIdx);
  if (!change)
  {
    return;
  }
  if (!change->everStored)
  {
    change->firstValue = normalized;
    change->hasFirstValue = true;
    change->everStored = true;
    return;
  }
  change->value = normalized;
  change->hasValue = true;
}

void PendingEditorChanges::StoreGrey(int paramIdx, bool grey)
{
  if (ParamChange* change = Slot(paramIdx))
  {
    change->grey = grey;
    change->hasGrey = true;
  }
}

void PendingEditorChanges::StoreAllDirty()
{
  mAllDirty = true;
}

void PendingEditorChanges::TakeInto(PendingEditorChanges& out)
{
  const size_t count = std::min(mChanges.size(), out.mChanges.size());
  std::copy_n(mChanges.begin(), count, out.mChanges.begin());
  out.mAllDirty = mAllDirty;
  for (ParamChange& change : mChanges)
  {
    change.hasFirstValue = false;
    change.hasValue = false;
    change.hasGrey = false;
  }
  mAllDirty = false;
}
