#include "graphics/linux/EditorTooltip.h"

#include "framework/IPlugParam.h"
#include "framework/ParamCaption.h"
#include "graphics/controls/IControl.h"
#include "graphics/linux/IGraphicsLinux.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11TooltipWindow.h"

namespace {
constexpr int kMillisecondsPerSecond = 1000;

// The delay in ticks of the editor's redraw timer, rounded up.
int DelayTicks(int fps)
{
  return (EditorTooltip::kDelayMs * fps + kMillisecondsPerSecond - 1) / kMillisecondsPerSecond;
}
}  // namespace

EditorTooltip::EditorTooltip(IGraphicsLinux& graphics, X11EditorWindow& window)
  : mGraphics(graphics), mWindow(window), mTracker(DelayTicks(graphics.Fps())),
    mTooltip(std::make_unique<X11TooltipWindow>(window.XDisplay()))
{
}

EditorTooltip::~EditorTooltip() = default;

void EditorTooltip::PointerMoved(int x, int y, bool buttonHeld)
{
  if (buttonHeld)
    mTracker.Engage(TooltipControlAt(x, y));
  else
    mTracker.Hover(TooltipControlAt(x, y));
  Update();
}

// The menu a right press opens runs modally: the editor paints nothing until it closes, so
// the place the tooltip leaves is repainted before.
void EditorTooltip::BeforePress(bool right)
{
  if (!right)
    return;
  const bool wasVisible = mTooltip->Visible();
  mTracker.Hide();
  Update();
  if (wasVisible)
    mWindow.PresentPendingExposures();
}

// A press that opened a value field hides the tooltip: the field is where the user looks.
void EditorTooltip::Pressed(int x, int y)
{
  if (mGraphics.TextEntryOpen())
    mTracker.Hide();
  else
    mTracker.Press(TooltipControlAt(x, y));
  Update();
}

void EditorTooltip::Wheeled(int x, int y)
{
  mTracker.Engage(TooltipControlAt(x, y));
  Update();
}

void EditorTooltip::Left()
{
  mTracker.Hide();
  Update();
}

void EditorTooltip::Tick()
{
  mTracker.Tick();
  Update();
}

// While a control holds the pointer (a drag), that control, wherever the pointer is.
int EditorTooltip::TooltipControlAt(int x, int y) const
{
  if (!mGraphics.TooltipsEnabled())
    return -1;
  const int index = mGraphics.ControlIndexAt(x, y, true);
  return TextFor(index).empty() ? -1 : index;
}

std::string EditorTooltip::TextFor(int index) const
{
  const IControl* control = mGraphics.ControlAt(index);
  if (control == nullptr || control->IsHidden())
    return std::string();
  if (const IPlugParam* param = control->Param())
    return ParamCaption(*param);
  return control->Tooltip() != nullptr ? control->Tooltip() : "";
}

// The screen position is asked for (a round trip) only when the tooltip moves to another
// control or its text changes; an unchanged tooltip sends the server nothing.
void EditorTooltip::Update()
{
  const int shown = mTracker.Shown();
  const std::string text = TextFor(shown);
  if (text.empty())
  {
    mTooltip->Hide();
    mShownIndex = -1;
    return;
  }
  const double scale = mGraphics.DisplayScale();
  if (shown == mShownIndex && text == mShownText && scale == mShownScale && mTooltip->Visible())
    return;
  const IRECT& target = mGraphics.ControlAt(shown)->TargetRect();
  IRECT near;
  if (!mWindow.RootPosition(target.L, target.T, near.L, near.T) ||
      !mWindow.RootPosition(target.R, target.B, near.R, near.B))
    return;
  mTooltip->Show(text, near, scale);
  mShownIndex = shown;
  mShownText = text;
  mShownScale = scale;
}
