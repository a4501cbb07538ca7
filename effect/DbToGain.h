#pragma once

#include <cmath>

// Linear gain of a level in decibels. The constant is ln(10) / 20 rounded to 13 decimals;
// every decibel value of the effect goes through it so that levels agree everywhere.
inline double DbToGain(double dB)
{
  return std::exp(dB * 0.1151292546497);
}
