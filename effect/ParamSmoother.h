#pragma once

// One-pole glide of one parameter, advanced once per block by the signal path.
struct ParamSmoother
{
  double current = 0.0;  // the value the signal path uses
  double coeff = 0.0;    // share of the previous value kept per step
  double target = 0.0;   // the parameter's latest value

  bool Settled() const { return current == target; }

  // One step towards the target; a settled smoother stays where it is. Returns current.
  double Advance()
  {
    if (!Settled())
      current = (1.0 - coeff) * target + coeff * current;
    return current;
  }
};
