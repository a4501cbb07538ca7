#pragma once

namespace Dsp {

constexpr double kPi = 3.1415926535897932384626433832795;
constexpr double kPiOver2 = 1.5707963267948966192313216916398;
constexpr double kLn10 = 2.30258509299404568402;

}  // namespace Dsp
