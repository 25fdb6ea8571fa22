// Angle routines (unit UMath): reduction to one turn, the cosine of an angle
// in degrees, and the sexagesimal texts of right ascension and declination.
//
// The routines keep no state; the texts depend only on their arguments and on
// the decimal separator in force, which number formatting reads.
#pragma once

#include <cstdint>
#include <string>

namespace trasel {

// 2*pi, pi/180 and 180/pi as the extended values nearest to them.
inline constexpr long double kTwoPi = 0xc.90fdaa22168c235p-1L;
inline constexpr long double kDegToRad = 0x8.efa351294e9c8aep-9L;
inline constexpr long double kRadToDeg = 0xe.52ee0d31e0fbdc3p+2L;

// Reduces an angle in radians into 0..2pi, both ends included: while it is
// greater than 2pi subtract 2pi, then while it is below 0 add 2pi, every step
// in extended precision. So 2pi stays 2pi and 4pi comes back as 2pi.
long double NormalizeAngle(long double angle);

// The cosine of an angle in degrees (angle * pi/180 in extended precision);
// 0 when that product's magnitude is 2^63 or more.
long double CosDeg(long double degrees);

// Right ascension in radians as hours, minutes and seconds of time.
// Style 1: "05 34 31.9"; 3: "05h 34m 32s"; 4: "05h 34m 31.94s"; other: "".
std::string RAToText(std::uint8_t style, double rightAscension);

// Declination in radians as a sign with degrees, minutes and seconds of arc.
// Style 1: "+22 00 52"; 3 and 4 mark the units with the degree sign (byte
// 0xB0), "'" and '"'; other styles give the sign alone.
std::string DecToText(std::uint8_t style, double declination);

}  // namespace trasel
