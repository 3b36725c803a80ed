// The parses every text of the program goes through: integers (decimal and
// hexadecimal), numbers after the regional decimal separator, short dates with
// their century window, and dates with a time of day.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FakeEnv.h"
#include "TextParse.h"

namespace {

// ------------------------------------------------------------------ integer parse

TEST(IntegerParse, AcceptsDecimalAndHexadecimalFormsWithin32Bits) {
  struct Case {
    const char* Text;
    bool Ok;
    int32_t Value;
  };
  const std::vector<Case> Cases = {
      {"0", true, 0},
      {"123", true, 123},
      {"  42", true, 42},
      {"+7", true, 7},
      {"-1234", true, -1234},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"0000000000012", true, 12},
      {"$1F", true, 31},
      {"x10", true, 16},
      {"X10", true, 16},
      {"0x1f", true, 31},
      {"0XFF", true, 255},
      {"-$10", true, -16},
      {"$7FFFFFFF", true, 2147483647},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
      {"$80000000", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"+", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"12 ", false, 0},  // trailing blanks are not accepted
      {"1 2", false, 0},
      {"12.5", false, 0},
      {"1,000", false, 0},
      {"abc", false, 0},
      {"$G", false, 0},
      {"\t12", false, 0},
  };
  for (const Case& C : Cases) {
    int32_t Value = -99;
    EXPECT_EQ(TryStrToInt(C.Text, Value), C.Ok) << '"' << C.Text << '"';
    EXPECT_EQ(Value, C.Ok ? C.Value : -99) << '"' << C.Text << '"';
  }
  int32_t Value = -99;
  EXPECT_FALSE(TryStrToInt(std::string("1\0"
                                       "2",
                                       3),
                           Value))
      << "an embedded NUL is no digit";
}

// ------------------------------------------------------------------ number parse

TEST(NumberParse, AcceptsSignFractionAndExponentButNoGrouping) {
  TFakeEnv Fake;
  struct Case {
    const char* Text;
    bool Ok;
    long double Value;
  };
  const std::vector<Case> Cases = {
      {"12.5", true, 12.5L},  {" 12.5 ", true, 12.5L},  {"-3", true, -3},
      {"+0.25", true, 0.25L}, {".5", true, 0.5L},       {"5.", true, 5},
      {"1e3", true, 1000},    {"1.5E-2", true, 0.015L}, {"2e+2", true, 200},
      {"1e-99999", true, 0},  // underflow reads as zero
      {"", false, 0},         {"  ", false, 0},         {".", false, 0},
      {"-", false, 0},        {"1,000.00", false, 0},   {"1.2.3", false, 0},
      {"1e", false, 0},       {"e5", false, 0},         {"12a", false, 0},
      {"$12", false, 0},      {"inf", false, 0},        {"nan", false, 0},
      {"1e99999", false, 0},  // overflow fails
  };
  for (const Case& C : Cases) {
    long double Value = -99;
    EXPECT_EQ(TryStrToFloat(C.Text, Value), C.Ok) << '"' << C.Text << '"';
    if (C.Ok) {
      EXPECT_EQ(Value, C.Value) << '"' << C.Text << '"';
    }
  }
  double D = 0;
  ASSERT_TRUE(TryStrToFloat("0.1", D));
  EXPECT_EQ(D, 0.1) << "the double overload rounds the text once, to the nearest double";
}

TEST(NumberParse, FollowsTheRegionalDecimalSeparator) {
  TFakeEnv Fake;
  Fake.Settings.DecimalSeparator = ',';
  double Value = 0;
  ASSERT_TRUE(TryStrToFloat("12,5", Value));
  EXPECT_EQ(Value, 12.5);
  EXPECT_FALSE(TryStrToFloat("12.5", Value));
}

// ------------------------------------------------------------------ short-date parse

TEST(ShortDateParse, MonthFirstWithCenturyWindowAndTwoPartDates) {
  TFakeEnv Fake;  // today 2004-09-15
  struct Case {
    const char* Text;
    bool Ok;
    int Year, Month, Day;
  };
  const std::vector<Case> Cases = {
      {"01/15/1990", true, 1990, 1, 15},
      {"1/5/2004", true, 2004, 1, 5},
      {" 1 / 5 / 2004 ", true, 2004, 1, 5},
      {"12/31/9999", true, 9999, 12, 31},
      {"2/29/2004", true, 2004, 2, 29},
      {"2/3/04", true, 2004, 2, 3},
      {"2/3/54", true, 1954, 2, 3},  // the window starts at current year - 50
      {"2/3/53", true, 2053, 2, 3},
      {"2/3/4", true, 2004, 2, 3},
      {"2/3/004", true, 4, 2, 3},  // three digits: no window
      {"2/3", true, 2004, 2, 3},   // two parts: the current year
      {"2/3/2004/", true, 2004, 2, 3},
      {"2/3/", false, 0, 0, 0},
      {"2/29/2003", false, 0, 0, 0},
      {"13/45/2004", false, 0, 0, 0},
      {"02/30/2004", false, 0, 0, 0},
      {"1/1/0", true, 2000, 1, 1},  // a one-digit year goes through the window too
      {"01/15/1990 x", false, 0, 0, 0},
      {"01-15-1990", false, 0, 0, 0},
      {"12345/1/2004", false, 0, 0, 0},
      {"1/1/10000", false, 0, 0, 0},
      {"", false, 0, 0, 0},
      {"  /  /    ", false, 0, 0, 0},
      {"1", false, 0, 0, 0},
  };
  for (const Case& C : Cases) {
    TDateTime Value = -1;
    bool Ok = TryStrToDate(C.Text, Value);
    EXPECT_EQ(Ok, C.Ok) << '"' << C.Text << '"';
    if (C.Ok && Ok) {
      EXPECT_EQ(Value, EncodeDate(C.Year, C.Month, C.Day)) << '"' << C.Text << '"';
    } else if (!C.Ok) {
      EXPECT_EQ(Value, -1) << "a failed parse leaves the value alone";
    }
  }
}

TEST(ShortDateParse, CenturyWindowMovesWithTheCurrentYear) {
  TFakeEnv Fake;
  TDateTime Value = 0;
  Fake.SetToday(2054, 6, 1);
  ASSERT_TRUE(TryStrToDate("2/3/04", Value));
  EXPECT_EQ(Value, EncodeDate(2004, 2, 3));
  Fake.SetToday(2055, 6, 1);
  ASSERT_TRUE(TryStrToDate("2/3/04", Value));
  EXPECT_EQ(Value, EncodeDate(2104, 2, 3));
}

TEST(DateTimeParse, DateWithOptionalTimeOfDay) {
  TFakeEnv Fake;
  TDateTime Value = 0;
  ASSERT_TRUE(TryStrToDateTime("09/15/2004", Value));
  EXPECT_EQ(Value, EncodeDate(2004, 9, 15));
  ASSERT_TRUE(TryStrToDateTime("09/15/2004 18:00", Value));
  EXPECT_DOUBLE_EQ(Value, EncodeDate(2004, 9, 15) + 0.75);
  ASSERT_TRUE(TryStrToDateTime("09/15/2004 06:00:00 PM", Value));
  EXPECT_DOUBLE_EQ(Value, EncodeDate(2004, 9, 15) + 0.75);
  ASSERT_TRUE(TryStrToDateTime("09/15/2004 12:30 AM", Value));
  EXPECT_DOUBLE_EQ(Value, EncodeDate(2004, 9, 15) + 30.0 / 1440);
  EXPECT_FALSE(TryStrToDateTime("09/15/2004 25:00", Value));
  EXPECT_FALSE(TryStrToDateTime("09/15/2004 13:00 PM", Value));
  EXPECT_FALSE(TryStrToDateTime("09/15/2004 noon", Value));
  EXPECT_FALSE(TryStrToDateTime("18:00", Value));
}

}  // namespace
