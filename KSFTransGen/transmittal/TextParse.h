#pragma once
// The parses: every text-to-value conversion of the program (typed amounts, codes
// and dates, the numbers in file names, the stored fields of a record line) goes
// through these, so that a text reads the same wherever it is typed or stored.
// Each returns false, leaving Value alone, when the text does not parse. The
// integer and date parses allocate nothing; the number parse reads the regional
// decimal separator and the date parses today's year from the environment (Env.h).

#include <cstdint>
#include <string_view>

#include "Calendar.h"

// Integer: optional blanks, optional sign, decimal digits, nothing after; must fit
// 32 bits; also hexadecimal after "$", "x", "X", "0x" or "0X".
bool TryStrToInt(std::string_view Text, int32_t& Value);
// True when Text has the form of the integer parse (TryStrToInt: decimal or
// hexadecimal) but a value beyond 32 bits, which Value then receives: a number
// the parse cannot give, unlike a text that is no number at all.
bool IsIntegerBeyondRange(std::string_view Text, long double& Value);
// The integer parse without the hexadecimal forms: for texts that are decimal by
// definition (the numbers in a file name, a stored code number).
bool TryStrToDecimalInt(std::string_view Text, int32_t& Value);
// Number: optional blanks, sign, digits, optional fraction after the regional decimal
// separator, optional exponent, optional blanks; no grouping separators. A value
// too large for the type fails; one too small for it reads as 0.
bool TryStrToFloat(std::string_view Text, long double& Value);
bool TryStrToFloat(std::string_view Text, double& Value);
// Short date, month first, "/" separated, blanks allowed around the parts and one
// "/" after them; a year of 1 or 2 digits is taken within the hundred years from 50
// before the current year to 49 after it; a two-part date is taken in the current year.
bool TryStrToDate(std::string_view Text, TDateTime& Value);
// A short date optionally followed by a time of day: hh:nn[:ss[.zzz]] with an
// optional AM/PM (or A/P).
bool TryStrToDateTime(std::string_view Text, TDateTime& Value);
