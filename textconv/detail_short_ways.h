// The conversions' short ways, which read the common texts in place, apart
// so that tests can hold each against the general way bit for bit.
#pragma once

#include <string_view>

#include "textconv/textconv.h"

namespace trasel::detail {

// The short way: a text of the conversion's grammar with at most 19
// significant digits and a scale of at most 27 powers of ten either way.
// Its digits fit a uint64 and 10^k for k <= 27 is exact in the 64-bit
// significand, so the value is one correctly rounded extended product or
// quotient of two exact operands. False, with `value` untouched, for any
// other text, which the general way then reads or refuses.
bool TryShortDecimal(std::string_view text, char separator, long double& value);

// The general way: any number of digits and any exponent, correctly rounded
// by the C library; refuses with EConvertError.
long double GeneralTextToDecimal(std::string_view text, char separator);

// The date of a record's day, month and year columns ("09", "01", "2011"),
// as TextToDate gives it for "09/01/2011", read in place: false (and
// `value` untouched) unless the fields are 2, 2 and 4 digits of a valid
// date and the settings are the program's "/" with the day first; the
// caller then assembles the text for TextToDate, which reads or refuses it.
bool TryPlainDate(std::string_view day, std::string_view month, std::string_view year, DateTimeValue& value);

}  // namespace trasel::detail
