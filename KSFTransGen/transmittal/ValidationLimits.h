#pragma once
// The figures the program checks amounts, dates and members against. The file's
// validation (TTransShort) and the member detail form's checks read them from here,
// so a member that one accepts the other accepts too. The messages quote some of
// them as text; a figure changed here must change in its message as well.

#include <cmath>
#include <cstdint>

// ---- cents
// Amounts, and FTE% in hundredths of a point, are judged on the whole cents the
// record stores, never on sums or products of doubles: a bound drawn through a
// value of cents must hold exactly for that value, and the file's validation and
// the member detail form must reach the same verdict on the same member.
using TCents = int64_t;

// Far beyond anything a field can hold (32-bit cents), and small enough that the
// checks' products of such a value with a rate's denominator or with an FTE% of
// at most 100.00 cannot overflow.
constexpr TCents CentsLimit = TCents(1) << 40;

// The cents a number field stores for Value: Value x 100 rounded to the nearest
// whole cent, halves to even (the field's own rounding, in extended precision so
// that the product is exact). Values beyond the limit are held at it; not a
// number counts as 0.
inline TCents ToCents(double Value) {
  const long double Rounded = std::rintl(static_cast<long double>(Value) * 100);
  if (std::isnan(Rounded)) return 0;
  if (Rounded >= static_cast<long double>(CentsLimit)) return CentsLimit;
  if (Rounded <= -static_cast<long double>(CentsLimit)) return -CentsLimit;
  return static_cast<TCents>(Rounded);
}

// The amount that many cents stand for, for the messages' figures.
inline long double FromCents(TCents Cents) { return static_cast<long double>(Cents) / 100; }

// An amount that must be above 0 (the two pays, FTE%, the regular and health
// contributions, the trailer's count and totals) is so when the cents it is
// stored as are: 0.004 is stored as 0.00 and fails, 0.006 as 0.01 and passes,
// as does 0.005, whose nearest double lies just above the half.
constexpr bool IsAmountPositive(TCents Cents) { return Cents > 0; }

// ---- contributions
// The regular (employee) and health (employer) contributions are these shares of
// the pensionable compensation, as exact fractions (7/100 and 125/10000)...
struct TContributionRate {
  int64_t Numerator;
  int64_t Denominator;
};
constexpr TContributionRate RegularRate{7, 100};
constexpr TContributionRate HealthRate{125, 10000};
// ...as the messages show them...
inline constexpr char RegularRateText[] = "7%";
inline constexpr char HealthRateText[] = "1.25%";
// ...within this many cents (1.00) either way, both ends allowed.
constexpr TCents ContributionToleranceCents = 100;

// True when Contribution lies within the tolerance of Rate x Pensionable, both
// ends included: |Contribution - Rate x P| <= 1.00, multiplied out by the rate's
// denominator so that it is decided on whole numbers.
constexpr bool IsContributionWithinRate(TCents Contribution, TCents Pensionable,
                                        TContributionRate Rate) {
  const int64_t Off = Contribution * Rate.Denominator - Pensionable * Rate.Numerator;
  const int64_t Allowed = ContributionToleranceCents * Rate.Denominator;
  return -Allowed <= Off && Off <= Allowed;
}

// Rate x Pensionable in dollars: the expected contribution the messages show.
inline long double ExpectedContribution(TCents Pensionable, TContributionRate Rate) {
  return static_cast<long double>(Pensionable * Rate.Numerator) /
         static_cast<long double>(Rate.Denominator * 100);
}

// ---- compensation
// The pensionable compensation is not above the earnable one; equal pays pass.
constexpr bool IsPensionableWithinEarnable(TCents Pensionable, TCents Earnable) {
  return Pensionable <= Earnable;
}

// The four contributions together are not above the pensionable compensation;
// a sum equal to it passes.
constexpr bool AreDeductionsWithinPensionable(TCents Deductions, TCents Pensionable) {
  return Deductions <= Pensionable;
}

// ---- FTE%
// FTE% (in hundredths of a point) lies between 1.00 and 100.00, both allowed...
constexpr TCents MinFTEHundredths = 100;
constexpr TCents MaxFTEHundredths = 10000;
constexpr bool IsFTEInRange(TCents FTE) { return MinFTEHundredths <= FTE && FTE <= MaxFTEHundredths; }
// ...and within 2.00 points of 100 x pensionable / earnable, both ends allowed.
constexpr TCents FTEToleranceHundredths = 200;

// True when |FTE/100 - 100 x P / E| <= 2.00, multiplied out by E (which must be
// above 0) so that it is decided on whole numbers: |FTE x E - 10000 x P| <= 200 x E.
// Asked only of an FTE% in its range; one outside it never passes.
constexpr bool IsFTEWithinPays(TCents FTE, TCents Pensionable, TCents Earnable) {
  if (Earnable <= 0 || !IsFTEInRange(FTE)) return false;
  const int64_t Off = FTE * Earnable - 10000 * Pensionable;
  const int64_t Allowed = FTEToleranceHundredths * Earnable;
  return -Allowed <= Off && Off <= Allowed;
}

// 100 x P / E as a percentage: the figure the FTE% message compares with.
inline long double FTEOfPays(TCents Pensionable, TCents Earnable) {
  return 100.0L * static_cast<long double>(Pensionable) / static_cast<long double>(Earnable);
}

// ---- amounts
// Two amounts are equal when they differ by less than this (the extended value
// nearest to 0.0001), and differ when they differ by more.
constexpr long double AmountTolerance = 0.0001L;

// ---- dates
// A year, and a date's day number, lie within this many years (of 365 days) of
// today's, both ends allowed.
constexpr int32_t DateWindowYears = 105;
constexpr int32_t DateWindowDays = DateWindowYears * 365;
// A member is at least 15 and at most 120 years (of 365 days) old today, both
// ends allowed.
constexpr int32_t MinMemberAgeDays = 15 * 365;
constexpr int32_t MaxMemberAgeDays = 120 * 365;
