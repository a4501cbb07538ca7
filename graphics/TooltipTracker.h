#pragma once

// Decides which control's tooltip an editor window shows, knowing controls only by index
// (-1 for none): after the pointer has rested on a control for a number of timer ticks, at
// once while the user works a control (drag, wheel); nothing after the pointer left, or
// after a press anywhere but on the control shown. User-interface thread.
class TooltipTracker
{
public:
  explicit TooltipTracker(int delayTicks) : mDelayTicks(delayTicks) {}

  // The pointer moved, no button held, over control index.
  void Hover(int index);
  // The user works control index: its tooltip shows now.
  void Engage(int index);
  // A press on control index: the tooltip stays only when it is that control's, and the
  // pointer starts resting there anew.
  void Press(int index);
  // The pointer left, a menu or a field took over, or the window closes.
  void Hide();
  // One timer tick of rest.
  void Tick();

  // The control whose tooltip shows, -1 for none.
  int Shown() const { return mShown; }

private:
  void Rest(int index);

  int mDelayTicks;
  int mResting = -1;
  int mRestedTicks = 0;
  int mShown = -1;
};
