// Finding dirty controls and repainting them into the editor surface.
#include "graphics/IGraphics.h"

#include "graphics/controls/IControl.h"

// ---- Redraw ----------------------------------------------------------------------------

bool IGraphics::NeedsRedraw(IRECT* out)
{
  ApplyPendingChanges();
  IRECT dirty;
  bool anyDirty = false;
  for (auto& control : mControls)
  {
    if (!control->NeedsPaint())
      continue;
    dirty = dirty.Union(control->DrawnRect());
    anyDirty = true;
  }
  if (out)
    *out = dirty;
  if (anyDirty)
  {
    mIdleTicks = 0;
    return true;
  }
  if (mIdleTicks++ >= kIdleTickInterval)
  {
    IdleTick();
    mIdleTicks = 0;
  }
  return false;
}

void IGraphics::Render(const IRECT& rect)
{
  if (mStrictRedraw)
    RenderStrict(rect);
  else
    RenderDirtyControls();
  BlitToScreen(rect);
}

void IGraphics::RenderStrict(const IRECT& rect)
{
  mDrawRect = rect;
  for (auto& control : mControls)
    if (!control->IsHidden() && rect.Intersects(control->DrawnRect()))
      control->Paint(*this);
  for (auto& control : mControls)
    control->MarkClean();
}

void IGraphics::RenderDirtyControls()
{
  if (mControls.empty())
    return;
  IControl& background = *mControls[0];
  if (background.NeedsPaint())
  {
    mDrawRect = background.DrawnRect();
    for (auto& control : mControls)
    {
      if (control->IsHidden())
        continue;
      control->Paint(*this);
      control->MarkClean();
    }
    return;
  }
  for (int i = 1; i < ControlCount(); ++i)
  {
    IControl& dirty = *mControls[i];
    if (!dirty.NeedsPaint())
      continue;
    mDrawRect = dirty.DrawnRect();
    for (int j = 0; j < ControlCount(); ++j)
    {
      IControl& control = *mControls[j];
      if (control.IsHidden())
        continue;
      if (j == i || (!control.DrawnRect().Empty() && mDrawRect.Intersects(control.DrawnRect())))
        control.Paint(*this);
    }
    dirty.MarkClean();
  }
}

void IGraphics::SetStrictRedraw(bool strict)
{
  mStrictRedraw = strict;
  for (auto& control : mControls)
    control->MarkDirty(false);
}
