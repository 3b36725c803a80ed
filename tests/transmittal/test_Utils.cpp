// Shared routines: the owning list, the error list, comparisons, rounding and the
// small formatters that messages, grids and validation rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "FakeEnv.h"
#include "Utils.h"

namespace {

// ------------------------------------------------------------------ owning list

// Counts how many are alive, so a test sees exactly which items were destroyed.
struct TCounted {
  static inline int Alive = 0;
  int Id;
  explicit TCounted(int Id) : Id(Id) { ++Alive; }
  ~TCounted() { --Alive; }
};

TEST(FreeList, DestroyingTheListDestroysItsItemsButRemovingDoesNot) {
  TCounted::Alive = 0;
  TCounted* Kept = new TCounted(1);
  TCounted* Extracted = nullptr;
  {
    TFreeList<TCounted> List;
    List.Add(Kept);
    List.Add(std::make_unique<TCounted>(2));
    List.Add(new TCounted(3));
    List.Insert(0, new TCounted(0));
    ASSERT_EQ(List.Count(), 4);
    EXPECT_EQ(List[0]->Id, 0);
    EXPECT_EQ(List.IndexOf(Kept), 1);

    List.Delete(1);  // the toolkit's Delete: removed, not destroyed
    EXPECT_EQ(TCounted::Alive, 4);
    EXPECT_EQ(List.IndexOf(Kept), -1);
    Extracted = List.Extract(0);
    EXPECT_EQ(Extracted->Id, 0);
    EXPECT_EQ(List.Count(), 2);
    EXPECT_EQ(TCounted::Alive, 4);
  }
  EXPECT_EQ(TCounted::Alive, 2) << "the two left in the list went with it";
  delete Kept;
  delete Extracted;
  EXPECT_EQ(TCounted::Alive, 0);
}

TEST(FreeList, ClearEmptiesWithoutDestroyingAndClearFreeListDestroys) {
  TCounted::Alive = 0;
  TFreeList<TCounted> List;
  std::vector<TCounted*> Owned = {new TCounted(1), new TCounted(2)};
  for (TCounted* Item : Owned) List.Add(Item);
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(TCounted::Alive, 2);
  for (TCounted* Item : Owned) delete Item;

  List.Add(new TCounted(3));
  List.Add(new TCounted(4));
  ClearFreeList(&List);
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(TCounted::Alive, 0);
  List.Add(new TCounted(5));  // still usable afterwards
  EXPECT_EQ(List.Count(), 1);
  ClearFreeList<TCounted>(nullptr);  // a missing list is accepted
}

// ------------------------------------------------------------------ error list

TEST(ErrorListTest, ShowHandsTheMessagesOverAndKeepsThem) {
  TFakeEnv Fake;
  ASSERT_NE(ErrorList, nullptr) << "the start-up steps create the error list";
  TError Errors;
  EXPECT_TRUE(Errors.IsEmpty());
  Errors.Show();
  ASSERT_EQ(Fake.ShownMessages.size(), 1u) << "an empty list still opens the window";
  EXPECT_TRUE(Fake.ShownMessages[0].empty());

  Errors.Add("B");
  Errors.Add("A");
  Errors.Add("B");
  Errors.Show();
  ASSERT_EQ(Fake.ShownMessages.size(), 2u);
  EXPECT_EQ(Fake.ShownMessages[1], (std::vector<std::string>{"B", "A", "B"}))
      << "in order added, duplicates kept";
  EXPECT_FALSE(Errors.IsEmpty()) << "showing does not clear";
  Errors.Clear();
  EXPECT_TRUE(Errors.IsEmpty());
}

TEST(UtilsLifecycle, StartUpAndShutDownSteps) {
  EXPECT_EQ(ShortDateFormat, "mm/dd/yyyy");
  EXPECT_EQ(LongDateFormat, "mm/dd/yyyy hh:nn:ss AM/PM");
  std::string SavedAppDir = AppDir;
  AppDir = "/opt/ksf/";
  UtilsFinalization();
  EXPECT_EQ(ErrorList, nullptr);
  EXPECT_EQ(AppDir, "");
  UtilsInitialization();
  EXPECT_NE(ErrorList, nullptr);
  EXPECT_TRUE(ErrorList->IsEmpty());
  AppDir = SavedAppDir;
}

// ------------------------------------------------------------------ comparisons

TEST(Amounts, FloatEqualsAndFloatDiffersExcludeTheTolerance) {
  struct Case {
    long double A, B;
    bool Equals, Differs;
  };
  const std::vector<Case> Cases =
      {
          {1.00005L, 1.0L, true, false}, {1.0002L, 1.0L, false, true},
          {1.0L, 1.0002L, false, true},  {10.00001L, 10.0L, true, false},
          {0.0001L, 0.0L, false, false},  // exactly the tolerance: neither
          {0.0L, 0.0001L, false, false}, {-5.0L, -5.0L, true, false},
      };
  for (const Case& C : Cases) {
    EXPECT_EQ(FloatEquals(C.A, C.B), C.Equals) << C.A << " vs " << C.B;
    EXPECT_EQ(FloatDiffers(C.A, C.B), C.Differs) << C.A << " vs " << C.B;
  }
  EXPECT_FALSE(FloatEquals(std::nanl(""), 0));
  EXPECT_FALSE(FloatDiffers(std::nanl(""), 0));
}

TEST(Amounts, RoundToFactorHalvesToEvenWithinItsFactorRange) {
  struct Case {
    double Value;
    long double Factor;
    double Result;
  };
  const std::vector<Case> Cases = {
      {0.125, 100, 0.12},
      {0.375, 100, 0.38},
      {-0.125, 100, -0.12},
      {12.339999999, 100, 12.34},
      {1234.0 / 100, 100, 12.34},
      {0.5, 10, 0.5},
      {0.25, 10, 0.2},
      {0.123456789, 100000000, 0.12345679},
      {0.126, 1, 0.126},
      {0.126, 9.99L, 0.126},
      {0.126, 100000001, 0.126},
      {0.126, std::nanl(""), 0.126},
      {1e300, 100, 1e300},  // too large for a 64-bit integer: left alone
  };
  for (const Case& C : Cases)
    EXPECT_EQ(RoundToFactor(C.Value, C.Factor), C.Result) << C.Value << " by " << C.Factor;
  EXPECT_TRUE(std::isnan(RoundToFactor(std::nan(""), 100)));
}

TEST(Amounts, MinAndContainsNoDigit) {
  EXPECT_EQ(Min(3, 3), 3);
  EXPECT_EQ(Min(-1, 0), -1);
  EXPECT_EQ(Min(5, -7), -7);
  EXPECT_TRUE(ContainsNoDigit(""));
  EXPECT_TRUE(ContainsNoDigit("  /  /    "));
  EXPECT_FALSE(ContainsNoDigit("abc1"));
  EXPECT_FALSE(ContainsNoDigit("0"));
}

// ------------------------------------------------------------------ formatters

TEST(Formatting, MonthName) {
  EXPECT_EQ(MonthName(1), "January");
  EXPECT_EQ(MonthName(9), "September");
  EXPECT_EQ(MonthName(12), "December");
  EXPECT_EQ(MonthName(0), "");
  EXPECT_EQ(MonthName(13), "");
  EXPECT_EQ(MonthName(-1), "");
}

TEST(Formatting, FormatAmountBeepsOnTextThatIsNoNumber) {
  TFakeEnv Fake;
  struct Case {
    const char* Text;
    const char* Result;
    bool Beeps;
  };
  const std::vector<Case> Cases = {
      {"12.5", "12.50", false},       {" -3 ", "-3.00", false},
      {"abc", "abc", true},           {"", "", true},
      {"  x  ", "x", true},           {"1e3", "1000.00", false},
      {"1,234.50", "1,234.50", true}, {"-0", "0.00", false},
      {"0.125", "0.12", false},       {"21474836.47", "21474836.47", false},
  };
  for (const Case& C : Cases) {
    int Before = Fake.Beeps;
    EXPECT_EQ(FormatAmount(C.Text), C.Result) << '"' << C.Text << '"';
    EXPECT_EQ(Fake.Beeps - Before, C.Beeps ? 1 : 0) << '"' << C.Text << '"';
  }
  Fake.Settings.DecimalSeparator = ',';
  EXPECT_EQ(FormatAmount("12,5"), "12,50");
}

TEST(Formatting, IsValidYearWithin105YearsOfToday) {
  TFakeEnv Fake;  // 2004
  for (auto [Text, Valid] : std::vector<std::pair<const char*, bool>>{{"1899", true},
                                                                      {"2109", true},
                                                                      {"2004", true},
                                                                      {"1898", false},
                                                                      {"2110", false},
                                                                      {"20a4", false},
                                                                      {"", false},
                                                                      {" 2004", true},
                                                                      {"2004 ", false},
                                                                      {"$7D4", true}}) {
    EXPECT_EQ(IsValidYear(Text), Valid) << '"' << Text << '"';
  }
  Fake.SetToday(2030, 1, 1);
  EXPECT_TRUE(IsValidYear("2135"));
  EXPECT_FALSE(IsValidYear("1924"));
}

TEST(Formatting, FormatSSNOnlyForNineCharacters) {
  EXPECT_EQ(FormatSSN("123456789"), "123-45-6789");
  EXPECT_EQ(FormatSSN("abcdefghi"), "abc-de-fghi");
  EXPECT_EQ(FormatSSN("12345678"), "12345678");
  EXPECT_EQ(FormatSSN("1234567890"), "1234567890");
  EXPECT_EQ(FormatSSN(""), "");
}

TEST(Formatting, TrimAndUpperCase) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0") << "bytes above 127 are not blanks";
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(UpperCase("abc xyz-\xE9\xE0 Q"), "ABC XYZ-\xE9\xE0 Q");
}

TEST(Formatting, FormatFixedRoundsExactlyAndAligns) {
  TFakeEnv Fake;
  struct Case {
    long double Value;
    int Decimals, Width;
    const char* Text;
  };
  const std::vector<Case> Cases = {
      {0, 2, 10, "      0.00"},
      {-12.34L, 2, 10, "    -12.34"},
      {12.5L, 2, 0, "12.50"},
      {2.675, 2, 0, "2.67"},  // the double nearest 2.675 lies below it
      {-0.001L, 2, 0, "0.00"},
      {-0.0L, 2, 0, "0.00"},
      {1234567.891L, 0, 0, "1234568"},
      {-21474836.48L, 2, 10, "-21474836.48"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(FormatFixed(C.Value, C.Decimals, C.Width), C.Text) << C.Value;
  Fake.Settings.DecimalSeparator = ',';
  EXPECT_EQ(FormatFixed(1.5L), "1,50");
}

TEST(Formatting, FormatMoneyFollowsTheRegionalCurrencyFormat) {
  TFakeEnv Fake;
  EXPECT_EQ(FormatMoney(1234.56L), "$1,234.56");
  EXPECT_EQ(FormatMoney(-1234.56L), "($1,234.56)");
  EXPECT_EQ(FormatMoney(0), "$0.00");
  EXPECT_EQ(FormatMoney(-0.001L), "$0.00") << "no negative form for what shows as zero";
  EXPECT_EQ(FormatMoney(999.999L), "$1,000.00");
  EXPECT_EQ(FormatMoney(123456789.5L), "$123,456,789.50");
  EXPECT_EQ(FormatMoney(100), "$100.00");

  // Every negative form of the table, on the same amount.
  const std::vector<const char*> Negative = {
      "($1.5)", "-$1.5",  "$-1.5",  "$1.5-",  "(1.5$)", "-1.5$",  "1.5-$",   "1.5$-",
      "-1.5 $", "-$ 1.5", "1.5 $-", "$ 1.5-", "$ -1.5", "1.5- $", "($ 1.5)", "(1.5 $)"};
  Fake.Settings.CurrencyDecimals = 1;
  for (int Form = 0; Form < 16; ++Form) {
    Fake.Settings.NegCurrFormat = Form;
    EXPECT_EQ(FormatMoney(-1.5L), Negative[static_cast<size_t>(Form)]) << "form " << Form;
  }
  const std::vector<const char*> Positive = {"$1.5", "1.5$", "$ 1.5", "1.5 $"};
  for (int Form = 0; Form < 4; ++Form) {
    Fake.Settings.CurrencyFormat = Form;
    EXPECT_EQ(FormatMoney(1.5L), Positive[static_cast<size_t>(Form)]) << "form " << Form;
  }

  // A European format: symbol after, comma decimals, point thousands, no decimals.
  Fake.Settings = TRegionalSettings{};
  Fake.Settings.DecimalSeparator = ',';
  Fake.Settings.ThousandSeparator = '.';
  Fake.Settings.CurrencyString = "EUR";
  Fake.Settings.CurrencyFormat = 3;
  Fake.Settings.NegCurrFormat = 8;
  EXPECT_EQ(FormatMoney(1234567.891L), "1.234.567,89 EUR");
  EXPECT_EQ(FormatMoney(-12.5L), "-12,50 EUR");
  Fake.Settings.CurrencyDecimals = 0;
  EXPECT_EQ(FormatMoney(1234.5L), "1.234 EUR") << "halves to even";
}

}  // namespace
