#pragma once
// Calendar arithmetic on day numbers, the program's one date-time type. Pure
// arithmetic on the proleptic Gregorian calendar of the years 1 to 9999: no clock
// (today comes from the environment, Env.h) and no regional settings.

#include <cstdint>
#include <string>

// Day number: whole part counts days from 1899-12-30 (day 0), fraction is the time
// of day. Before day 0 the time of day counts away from zero: -1.25 is 6 AM of
// 1899-12-29.
using TDateTime = double;

// True for a date of the years 1 to 9999 that the calendar has.
bool IsValidCalendarDate(int Year, int Month, int Day);
// The day number of a valid date; false (Value unchanged) otherwise.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value);
// The day number of a valid date; raises Exception ("Invalid date M/D/Y") otherwise.
TDateTime EncodeDate(int Year, int Month, int Day);
// The date part is the value truncated toward zero; outside the years 1 to 9999
// (or for no number) all three are 0.
void DecodeDate(TDateTime Value, uint16_t& Year, uint16_t& Month, uint16_t& Day);
// The date part formatted "mm/dd/yyyy" ("00/00/0000" outside the calendar).
std::string DateToStr(TDateTime Value);
