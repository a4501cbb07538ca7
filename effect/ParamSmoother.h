#pragma once

// One-pole glide of one parameter, advanced once per block by the signal path.
struct ParamSmoother
{
  double current = 0.0;  // the value the signal path uses
  double coeff = 0.0;    // share of the previous value kept per step
  double target = 0.0;   // the parameter's latest value

  bool Settled() const { return current == target; }

  // One step towards the target; a settled smoother stays where it is. Returns current.
  // Rounding can make the recurrence stall a few units in the last place short of the
  // target (often, when the coefficient is close to 1); a step that no longer moves lands
  // on the target, so that whole-number values such as bit depths arrive and a glide ends.
  double Advance()
  {
    if (!Settled())
    {
      const double next = (1.0 - coeff) * target + coeff * current;
      current = next == current ? target : next;
    }
    return current;
  }
};
