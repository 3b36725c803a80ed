#pragma once
// The figures the program checks amounts, dates and members against. The file's
// validation (TTransShort) and the member detail form's checks read them from here,
// so a member that one accepts the other accepts too. The messages quote some of
// them as text; a figure changed here must change in its message as well.

#include <cstdint>

// ---- contributions
// The regular (employee) and health (employer) contributions are these shares of
// the pensionable compensation...
constexpr long double RegularRate = 0.07L;
constexpr long double HealthRate = 0.0125L;
// ...as the messages show them...
inline constexpr char RegularRateText[] = "7%";
inline constexpr char HealthRateText[] = "1.25%";
// ...within this many dollars either way, both ends allowed.
constexpr long double ContributionTolerance = 1.0L;

// ---- FTE%
// FTE% lies between these, both allowed...
constexpr double MinFTEPercent = 1.00;
constexpr double MaxFTEPercent = 100.00;
// ...and within this many points of 100 x pensionable / earnable, both ends allowed.
constexpr long double FTETolerance = 2.0L;

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
