// The calendar on day numbers: encoding, decoding and the dates it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "Errors.h"
#include "PFields.h"

namespace {

TEST(Calendar, DayNumbersCountFrom30December1899) {
  struct Case {
    int Year, Month, Day;
    double DayNumber;
  };
  const std::vector<Case> Cases = {
      {1899, 12, 30, 0},    {1899, 12, 31, 1},    {1900, 1, 1, 2},
      {1900, 3, 1, 61},     {1800, 1, 1, -36522}, {2000, 2, 29, 36585},
      {2004, 9, 15, 38245}, {1, 1, 1, -693593},   {9999, 12, 31, 2958465},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(EncodeDate(C.Year, C.Month, C.Day), C.DayNumber) << C.Year << "-" << C.Month;
    uint16_t Y = 0, M = 0, D = 0;
    // The time of day counts away from day 0 on both sides.
    DecodeDate(C.DayNumber + (C.DayNumber >= 0 ? 0.75 : -0.75), Y, M, D);
    EXPECT_EQ(Y, C.Year);
    EXPECT_EQ(M, C.Month);
    EXPECT_EQ(D, C.Day);
  }
  EXPECT_EQ(NoDateValue, EncodeDate(1800, 1, 1));
}

TEST(Calendar, InvalidDatesAreRefused) {
  TDateTime Value = 7;
  for (auto [Y, M, D] : std::vector<std::tuple<int, int, int>>{{1900, 2, 29},
                                                               {2003, 2, 29},
                                                               {2004, 4, 31},
                                                               {2004, 13, 1},
                                                               {2004, 0, 1},
                                                               {2004, 1, 0},
                                                               {0, 1, 1},
                                                               {10000, 1, 1}}) {
    EXPECT_FALSE(IsValidCalendarDate(Y, M, D)) << Y << "-" << M << "-" << D;
    EXPECT_FALSE(TryEncodeDate(Y, M, D, Value));
    EXPECT_THROW(EncodeDate(Y, M, D), Exception);
  }
  EXPECT_EQ(Value, 7);
  EXPECT_TRUE(IsValidCalendarDate(2000, 2, 29));
}

TEST(Calendar, DecodeOutsideTheCalendarGivesZeros) {
  for (double V : {-693594.0, 2958466.0, std::nan(""), 1e300}) {
    uint16_t Y = 1, M = 1, D = 1;
    DecodeDate(V, Y, M, D);
    EXPECT_EQ(Y + M + D, 0) << V;
  }
}

}  // namespace
