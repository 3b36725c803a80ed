#include "Calendar.h"

#include <cstdio>

#include "Errors.h"

namespace {

// Days from 0001-01-01 (day number -693593) to 9999-12-31 (2958465).
constexpr double MinDayNumber = -693593;
constexpr double MaxDayNumber = 2958465;

// The calendar date of a day number's date part (truncated toward zero); false
// outside the years 1 to 9999 or for a value that is no number.
bool SplitDate(TDateTime Value, int& Year, int& Month, int& Day) {
  if (!(Value > MinDayNumber - 1 && Value < MaxDayNumber + 1)) return false;
  long long Days = static_cast<long long>(Value) - 25569 + 719468;  // since 0000-03-01
  long long Era = (Days >= 0 ? Days : Days - 146096) / 146097;
  long long DayOfEra = Days - Era * 146097;
  long long YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
  long long DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
  long long MonthIndex = (5 * DayOfYear + 2) / 153;
  Day = static_cast<int>(DayOfYear - (153 * MonthIndex + 2) / 5 + 1);
  Month = static_cast<int>(MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9);
  Year = static_cast<int>(YearOfEra + Era * 400 + (Month <= 2 ? 1 : 0));
  return Year >= 1 && Year <= 9999;
}

// Every fourth year, but not the hundredths unless they divide by 400.
bool IsLeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

// 28 to 31 for Month 1 to 12 of Year; 0 for any other month.
int DaysInMonth(int Year, int Month) {
  static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Days[Month - 1] + ((Month == 2 && IsLeapYear(Year)) ? 1 : 0);
}

}  // namespace

bool IsValidCalendarDate(int Year, int Month, int Day) {
  if (Year < 1 || Year > 9999 || Day < 1) return false;
  return Day <= DaysInMonth(Year, Month);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value) {
  if (!IsValidCalendarDate(Year, Month, Day)) return false;
  long long Y = Year - (Month <= 2 ? 1 : 0);
  long long Era = Y / 400;  // Y >= 0 here
  long long YearOfEra = Y - Era * 400;
  long long DayOfYear = (153 * (Month > 2 ? Month - 3 : Month + 9) + 2) / 5 + Day - 1;
  long long DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
  long long SinceUnixEpoch = Era * 146097 + DayOfEra - 719468;
  Value = static_cast<double>(SinceUnixEpoch + 25569);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime Value = 0;
  if (!TryEncodeDate(Year, Month, Day, Value))
    throw Exception("Invalid date " + std::to_string(Month) + "/" + std::to_string(Day) + "/" +
                    std::to_string(Year));
  return Value;
}

void DecodeDate(TDateTime Value, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
  int Y = 0, M = 0, D = 0;
  if (!SplitDate(Value, Y, M, D)) Y = M = D = 0;
  Year = static_cast<uint16_t>(Y);
  Month = static_cast<uint16_t>(M);
  Day = static_cast<uint16_t>(D);
}

std::string DateToStr(TDateTime Value) {
  uint16_t Year, Month, Day;
  DecodeDate(Value, Year, Month, Day);
  char Text[32];
  std::snprintf(Text, sizeof Text, "%02u/%02u/%04u", static_cast<unsigned>(Month),
                static_cast<unsigned>(Day), static_cast<unsigned>(Year));
  return Text;
}
