// Field descriptors: the stored date digits and the date window, and the three field
// kinds read and written in place on a record line whose neighbouring columns must
// survive.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "FakeEnv.h"
#include "PFields.h"
#include "Utils.h"

namespace {

// A record line of '*' with the field under test somewhere in the middle, so that
// a write beyond the field's columns shows in the neighbours.
class FieldTest : public testing::Test {
 protected:
  static constexpr int32_t Start = 5;
  TFakeEnv Fake;
  std::string Line = std::string(40, '*');

  char* Buf() { return Line.data(); }
  // The field's columns of the line, and everything outside them.
  std::string Columns(const TField& F) const { return Line.substr(F.Start - 1, F.Length); }
  std::string Outside(const TField& F) const {
    return Line.substr(0, F.Start - 1) + Line.substr(F.Start - 1 + F.Length);
  }
  void Put(const TField& F, const std::string& Raw) {
    std::string Padded = Raw;
    Padded.resize(static_cast<size_t>(F.Length), ' ');
    Line.replace(F.Start - 1, F.Length, Padded);
  }
  std::string Untouched(const TField& F) const { return std::string(40 - F.Length, '*'); }
};

// ------------------------------------------------------------------ stored dates

TEST(Calendar, DateToStrAndCurrentYearAndRange) {
  TFakeEnv Fake;
  Fake.SetToday(2004, 9, 15, 0.99);
  EXPECT_EQ(DateToStr(EncodeDate(2004, 9, 5)), "09/05/2004");
  EXPECT_EQ(DateToStr(EncodeDate(2004, 9, 5) + 0.5), "09/05/2004");
  EXPECT_EQ(CurrentYear(), 2004);
  TDateTime Today = EncodeDate(2004, 9, 15);
  EXPECT_EQ(Date(), Today);
  EXPECT_TRUE(IsDateInRange(Today - 38325));
  EXPECT_TRUE(IsDateInRange(Today + 38325));
  EXPECT_FALSE(IsDateInRange(Today - 38326));
  EXPECT_FALSE(IsDateInRange(Today + 38326));
  EXPECT_FALSE(IsDateInRange(NoDateValue));
}

TEST(Calendar, MakeDateDigits) {
  EXPECT_EQ(MakeDateDigits(2004, 2, 3), "02032004");
  EXPECT_EQ(MakeDateDigits(1990, 12, 31), "12311990");
  EXPECT_EQ(MakeDateDigits(999, 1, 1), "0101 999");
}

// ------------------------------------------------------------------ text field

TEST_F(FieldTest, TextFieldStoresLeftJustifiedAndReadsTrimmed) {
  TStringField F("LastName", Start, 6);
  F.SetAsString(Buf(), "  Al");
  EXPECT_EQ(Columns(F), "  Al  ") << "leading blanks are stored; only reading trims";
  EXPECT_EQ(F.GetAsString(Buf()), "Al");
  F.SetAsString(Buf(), "Montgomery");
  EXPECT_EQ(Columns(F), "Montgo");
  EXPECT_EQ(Outside(F), Untouched(F));
  Put(F, "\t x\x01");
  EXPECT_EQ(F.GetAsString(Buf()), "x") << "control characters trim like blanks";
  Put(F, "\xE9t\xE9");
  EXPECT_EQ(F.GetAsString(Buf()), "\xE9t\xE9") << "bytes above 127 are text, not blanks";
  F.Clear(Buf());
  EXPECT_EQ(Columns(F), "      ");
  EXPECT_TRUE(F.IsBlank(Buf()));
  EXPECT_EQ(F.GetAsString(Buf()), "");
  Put(F, "\t");
  EXPECT_FALSE(F.IsBlank(Buf())) << "blank means every column is a space";
  EXPECT_EQ(Outside(F), Untouched(F));
}

TEST_F(FieldTest, TextFieldNumericConversions) {
  TStringField F("Text", Start, 12);
  Put(F, " 42 ");
  EXPECT_EQ(F.GetAsInteger(Buf()), 42);
  EXPECT_EQ(F.GetAsFloat(Buf()), 42);
  Put(F, "12.5");
  EXPECT_EQ(F.GetAsInteger(Buf()), 0);
  EXPECT_EQ(F.GetAsFloat(Buf()), 12.5);
  Put(F, "abc");
  EXPECT_EQ(F.GetAsFloat(Buf()), 0);
  EXPECT_EQ(F.GetAsDateTime(Buf()), 0);
  F.SetAsInteger(Buf(), -17);
  EXPECT_EQ(Columns(F), "-17         ");
  F.SetAsFloat(Buf(), 0.1);
  EXPECT_EQ(F.GetAsString(Buf()), "0.1");
  F.SetAsFloat(Buf(), 1.5e-7);
  EXPECT_EQ(F.GetAsString(Buf()), "1.5E-7");
  F.SetAsFloat(Buf(), 1e20);
  EXPECT_EQ(F.GetAsString(Buf()), "1E20");
  F.SetAsFloat(Buf(), 123456789012.5);
  EXPECT_EQ(Columns(F), "123456789012") << "cut to the width like any text";
  F.SetAsDateTime(Buf(), EncodeDate(2004, 2, 3));
  EXPECT_EQ(F.GetAsString(Buf()), "02/03/2004");
  EXPECT_EQ(F.GetAsDateTime(Buf()), EncodeDate(2004, 2, 3));
  EXPECT_EQ(Outside(F), Untouched(F));

  TStringField Wide("Text", 1, 30);
  std::string Line30(30, ' ');
  Wide.SetAsDateTime(Line30.data(), EncodeDate(2004, 2, 3) + 0.75);
  EXPECT_EQ(Wide.GetAsString(Line30.data()), "02/03/2004 06:00:00 PM");
  EXPECT_DOUBLE_EQ(Wide.GetAsDateTime(Line30.data()), EncodeDate(2004, 2, 3) + 0.75);
}

TEST_F(FieldTest, TextCompareUpperCasesOnlyAsciiLettersAndSortsPrefixFirst) {
  TStringField F("LastName", Start, 8);
  std::string Other(40, '*');
  struct Case {
    const char* A;
    const char* B;
    int Result;
  };
  const std::vector<Case> Cases = {
      {"smith", "SMITH ", 0}, {"Smith", "Smyth", -1}, {"Smyth", "Smith", 1},
      {"Smit", "Smith", -1},  {"", "A", -1},          {"  ab", "AB", 0},
      {"\xE9", "z", 1},       {"\xE9", "\xC9", 1},    {"[", "a", 1},
  };
  for (const Case& C : Cases) {
    Put(F, C.A);
    std::string Saved = Line;
    Put(F, C.B);
    std::string B = Line;
    Line = Saved;
    EXPECT_EQ(F.Compare(Line.data(), B.data()), C.Result) << C.A << " vs " << C.B;
  }
}

TEST_F(FieldTest, CharacterSetChecksWorkOnTheRawColumns) {
  struct Case {
    const char* Text;
    bool Alpha;
    bool AlphaNum;
  };
  const std::vector<Case> Cases = {
      {"O'Neil-Smith Jr.", true, true},
      {"", false, false},
      {"A1", false, true},
      {".", false, false},
      {"12 Main St. #4", false, true},
      {"#", false, false},
      {"a+b", false, false},
      {"R&D, 1/2", false, true},
      {"Jos\xE9", false, false},
      {"a\tb", false, false},
  };
  TStringField F("Text", Start, 16);
  for (const Case& C : Cases) {
    Put(F, C.Text);
    EXPECT_EQ(F.IsAlphaText(Buf()), C.Alpha) << '"' << C.Text << '"';
    EXPECT_EQ(F.IsAlphaNumText(Buf()), C.AlphaNum) << '"' << C.Text << '"';
  }
  Line[Start] = '\0';
  EXPECT_FALSE(F.IsAlphaNumText(Buf())) << "a NUL byte is not one of the allowed marks";
}

TEST_F(FieldTest, IsIntegerTakesTheColumnsAsTheyStand) {
  TStringField F("Zip", Start, 3);
  struct Case {
    const char* Raw;
    bool Ok;
  };
  for (const Case& C : std::vector<Case>{{"12 ", false},
                                         {" 12", true},
                                         {"   ", false},
                                         {"123", true},
                                         {"-12", true},
                                         {"1.2", false}}) {
    Put(F, C.Raw);
    EXPECT_EQ(F.IsInteger(Buf()), C.Ok) << '"' << C.Raw << '"';
  }
}

TEST_F(FieldTest, WriteIntegerTextNeverPassesTheLastColumn) {
  TStringField F("Count", Start, 4);
  F.WriteIntegerText(Buf(), 12);
  EXPECT_EQ(Columns(F), "12  ");
  F.WriteIntegerText(Buf(), -123456);
  EXPECT_EQ(Columns(F), "-123");
  EXPECT_EQ(Outside(F), Untouched(F));
}

// ------------------------------------------------------------------ date field

TEST_F(FieldTest, DateFieldReadsStoredDates) {
  TStdDateField F("BirthDate", Start, 8);
  struct Case {
    const char* Raw;
    const char* Text;
    double Value;  // 0: the no-date value
  };
  const std::vector<Case> Cases = {
      {"01151990", "01/15/1990", EncodeDate(1990, 1, 15)},
      {"01011800", "01/01/1800", NoDateValue},
      {"", "", 0},
      {"02302004", "02/30/2004", 0},
      {"0115199", "", 0},  // short
      {"0101 999", "01/01/999", EncodeDate(999, 1, 1)},
      {"1 151990", "1/15/1990", 0},  // a part with a blank after its digits fails
      {" 1151990", "", 0},           // trimmed to seven characters
      {"ab151990", "ab/15/1990", 0},
      {"13012004", "13/01/2004", 0},
  };
  for (const Case& C : Cases) {
    Put(F, C.Raw);
    EXPECT_EQ(F.GetAsString(Buf()), C.Text) << '"' << C.Raw << '"';
    double Expected = C.Value == 0 ? NoDateValue : C.Value;
    EXPECT_EQ(F.GetAsDateTime(Buf()), Expected) << '"' << C.Raw << '"';
    EXPECT_EQ(F.GetAsFloat(Buf()), Expected);
    EXPECT_EQ(F.GetAsInteger(Buf()), static_cast<int32_t>(Expected));
  }
}

TEST_F(FieldTest, DateFieldStoresParsedTextOrTheNoDateValue) {
  TStdDateField F("BirthDate", Start, 8);
  struct Case {
    const char* Text;
    const char* Stored;
  };
  const std::vector<Case> Cases = {
      {"01/15/1990", "01151990"},
      {"13/45/2004", "01011800"},
      {"2/3/04", "02032004"},
      {"2/3", "02032004"},
      {"01/15/1990 x", "01011800"},
      {"  /  /    ", "        "},  // an empty date edit clears the date
      {"", "        "},
      {"abc", "        "},
      {"1/1/999", "0101 999"},
  };
  for (const Case& C : Cases) {
    Put(F, "xxxxxxxx");
    F.SetAsString(Buf(), C.Text);
    EXPECT_EQ(Columns(F), C.Stored) << '"' << C.Text << '"';
    EXPECT_EQ(Outside(F), Untouched(F));
  }
}

TEST_F(FieldTest, DateFieldStoresDayNumbersAndKeepsOutOfCalendarValuesInside) {
  TStdDateField F("BirthDate", Start, 8);
  F.SetAsDateTime(Buf(), 0);
  EXPECT_EQ(Columns(F), "12301899");
  F.SetAsDateTime(Buf(), EncodeDate(2004, 9, 15) + 0.9);
  EXPECT_EQ(Columns(F), "09152004") << "only the date part is kept";
  F.SetAsInteger(Buf(), 2);
  EXPECT_EQ(Columns(F), "01011900");
  F.SetAsFloat(Buf(), NoDateValue);
  EXPECT_EQ(Columns(F), "01011800");
  // Years past 9999 would need a fifth year digit: stored as unreadable instead.
  for (double V : {2958466.0, 1e12, -1e9, std::nan(""), std::numeric_limits<double>::infinity()}) {
    F.SetAsDateTime(Buf(), V);
    EXPECT_EQ(Columns(F), "01011800") << V;
    EXPECT_EQ(Outside(F), Untouched(F));
  }
}

TEST_F(FieldTest, DateValidationNeedsARealDateWithinTheRange) {
  TFakeEnv Local;  // today 2004-09-15
  TStdDateField F("BirthDate", Start, 8);
  struct Case {
    const char* Raw;
    bool Valid;
  };
  for (const Case& C : std::vector<Case>{{"01151990", true},
                                         {"", false},
                                         {"02302004", false},
                                         {"01011800", false},
                                         {"09151899", false},
                                         {"12311899", true},
                                         {"0115199 ", false},
                                         {"1/151990", false},
                                         {"01152110", false}}) {
    Put(F, C.Raw);
    EXPECT_EQ(F.IsValidDate(Buf()), C.Valid) << '"' << C.Raw << '"';
  }
  TStdDateField Narrow("X", Start, 7);
  Put(Narrow, "0115199");
  EXPECT_FALSE(Narrow.IsValidDate(Buf()));
}

TEST_F(FieldTest, DateCompareSortsBlankDatesFirst) {
  TStdDateField F("BirthDate", Start, 8);
  Put(F, "01151990");
  std::string A = Line;
  Put(F, "");
  std::string Blank = Line;
  Put(F, "02302004");
  std::string Invalid = Line;
  EXPECT_EQ(F.Compare(Blank.data(), A.data()), -1);
  EXPECT_EQ(F.Compare(A.data(), Blank.data()), 1);
  EXPECT_EQ(F.Compare(Blank.data(), Invalid.data()), 0);
  EXPECT_EQ(F.Compare(A.data(), A.data()), 0);
}

// ------------------------------------------------------------------ number field

TEST_F(FieldTest, NumberFieldReadsScaledIntegers) {
  TDoubleField F("SalaryPensionAmount", 100, Start, 11);
  struct Case {
    const char* Raw;
    double Value;
    const char* Text;
  };
  const std::vector<Case> Cases = {
      {"", 0, "      0.00"},
      {"-1234", -12.34, "    -12.34"},
      {"12.34", 0, "      0.00"},  // a decimal point is no integer
      {"  1250", 12.5, "     12.50"},
      {"2147483647", 21474836.47, "21474836.47"},
      {"-2147483648", -21474836.48, "-21474836.48"},
      {"3", 0.03, "      0.03"},
      {"abc", 0, "      0.00"},
  };
  for (const Case& C : Cases) {
    Put(F, C.Raw);
    EXPECT_EQ(F.GetAsFloat(Buf()), C.Value) << '"' << C.Raw << '"';
    EXPECT_EQ(F.GetAsString(Buf()), C.Text) << '"' << C.Raw << '"';
  }
  Put(F, "-1299");
  EXPECT_EQ(F.GetAsInteger(Buf()), -12) << "truncated toward zero";
  EXPECT_EQ(F.GetAsDateTime(Buf()), -12.99);
}

TEST_F(FieldTest, NumberFieldTextIsTheReadValueWithTwoDecimalsAtEveryScale) {
  for (int32_t Scale : {1, 10, 100, 1000, 7}) {
    TDoubleField F("Amount", Scale, Start, 11);
    for (const char* Raw :
         {"", "0", "5", "-5", "99", "-100", "123456", "-2147483648", "2147483647", "x"}) {
      Put(F, Raw);
      EXPECT_EQ(F.GetAsString(Buf()), FormatFixed(F.GetAsFloat(Buf()), 2, 10))
          << '"' << Raw << "\" at scale " << Scale;
    }
  }
  TDoubleField Count("TotalRecCount", 1, Start, 11);
  Put(Count, "-2147483648");
  EXPECT_EQ(Count.GetAsString(Buf()), "-2147483648.00");
}

TEST_F(FieldTest, NumberFieldShowsTheRegionalDecimalSeparator) {
  Fake.Settings.DecimalSeparator = ',';
  TDoubleField F("SalaryPensionAmount", 100, Start, 11);
  Put(F, "-1234");
  EXPECT_EQ(F.GetAsString(Buf()), "    -12,34");
  F.SetAsString(Buf(), "12,5");
  EXPECT_EQ(Columns(F), "1250       ");
}

TEST_F(FieldTest, NumberFieldStoresRoundedHalvesToEven) {
  struct Case {
    int32_t Scale;
    double Value;
    const char* Stored;
  };
  const std::vector<Case> Cases = {
      {100, -12.34, "-1234      "},
      {1, 3, "3          "},
      {100, 0.125, "12         "},
      {100, 0.375, "38         "},
      {100, 2.675, "267        "},  // the nearest double lies just below 2.675
      {100, 1.005, "100        "},
      {100, 0.005, "1          "},  // 0.00500000000000000010: just above the half
      {100, 0.015, "1          "},  // 0.01499999...
      {100, 21474836.47, "2147483647 "},
      {100, -21474836.48, "-2147483648"},
      {1, 2.5, "2          "},
      {1, -2.5, "-2         "},
      {100, -0.001, "0          "},
      {100, 0.1 + 0.2, "30         "},
  };
  for (const Case& C : Cases) {
    TDoubleField F("Amount", C.Scale, Start, 11);
    F.SetAsFloat(Buf(), C.Value);
    EXPECT_EQ(Columns(F), C.Stored) << C.Value << " at scale " << C.Scale;
    EXPECT_EQ(Outside(F), Untouched(F));
  }
}

TEST_F(FieldTest, NumberFieldRefusesValuesItCannotHoldAndLeavesTheLineAlone) {
  struct Case {
    int32_t Scale;
    int32_t Length;
    double Value;
    const char* Message;
  };
  const std::vector<Case> Cases = {
      {100, 5, 1000.00, "Value 1000.00 does not fit field SalaryEarnableUnitsWorked"},
      {100, 5, -100.00, "Value -100.00 does not fit field SalaryEarnableUnitsWorked"},
      {100, 11, 21474836.48, "Value 21474836.48 does not fit field SalaryEarnableUnitsWorked"},
      {100, 11, -21474836.49, "Value -21474836.49 does not fit field SalaryEarnableUnitsWorked"},
      {1, 11, 3e9, "Value 3000000000 does not fit field SalaryEarnableUnitsWorked"},
      {100, 11, std::nan(""), "Value NAN does not fit field SalaryEarnableUnitsWorked"},
      {100, 11, -std::numeric_limits<double>::infinity(),
       "Value -INF does not fit field SalaryEarnableUnitsWorked"},
      {100, 11, 1e300, "Value 1E300 does not fit field SalaryEarnableUnitsWorked"},
  };
  for (const Case& C : Cases) {
    TDoubleField F("SalaryEarnableUnitsWorked", C.Scale, Start, C.Length);
    Put(F, "77");
    const std::string Before = Line;
    try {
      F.SetAsFloat(Buf(), C.Value);
      ADD_FAILURE() << C.Value << " was stored as " << Columns(F);
    } catch (const Exception& E) {
      EXPECT_STREQ(E.what(), C.Message);
    }
    EXPECT_EQ(Line, Before) << "the field and its neighbours stay as they were";
  }
  // The largest values that do fit a five-column field.
  Line = std::string(40, '*');
  TDoubleField F("SalaryEarnableUnitsWorked", 100, Start, 5);
  F.SetAsFloat(Buf(), 999.99);
  EXPECT_EQ(Columns(F), "99999");
  F.SetAsFloat(Buf(), -99.99);
  EXPECT_EQ(Columns(F), "-9999");
  EXPECT_EQ(Outside(F), Untouched(F));
}

TEST_F(FieldTest, NumberFieldSetAsStringParsesOrLeavesBlank) {
  TDoubleField F("Amount", 100, Start, 11);
  struct Case {
    const char* Text;
    const char* Stored;
  };
  for (const Case& C : std::vector<Case>{{" 12.5 ", "1250       "},
                                         {"", "           "},
                                         {"abc", "           "},
                                         {"1,000", "           "},
                                         {"-0.01", "-1         "},
                                         {"1e2", "10000      "}}) {
    Put(F, "77");
    F.SetAsString(Buf(), C.Text);
    EXPECT_EQ(Columns(F), C.Stored) << '"' << C.Text << '"';
  }
  // A number too wide for the field is refused, not blanked: blank would read as 0.
  TDoubleField Narrow("Amount", 100, Start, 5);
  Put(Narrow, "77");
  const std::string Before = Line;
  EXPECT_THROW(Narrow.SetAsString(Buf(), "1000"), Exception);
  EXPECT_EQ(Line, Before);
}

TEST_F(FieldTest, NumberFieldOtherSettersGoThroughSetAsFloat) {
  TDoubleField F("Count", 1, Start, 6);
  F.SetAsInteger(Buf(), -42);
  EXPECT_EQ(Columns(F), "-42   ");
  F.SetAsDateTime(Buf(), 38245.0);
  EXPECT_EQ(Columns(F), "38245 ");
  EXPECT_THROW(F.SetAsInteger(Buf(), 1234567), Exception);
  EXPECT_EQ(Columns(F), "38245 ");
}

TEST_F(FieldTest, NumberBlankAndCompare) {
  TDoubleField F("Amount", 100, Start, 6);
  for (auto [Raw, Blank] : std::vector<std::pair<const char*, bool>>{
           {"", true}, {"0", true}, {"000 00", true}, {"-0", false}, {"1", false}}) {
    Put(F, Raw);
    EXPECT_EQ(F.IsBlank(Buf()), Blank) << '"' << Raw << '"';
  }
  TDoubleField Fine("Amount", 100000, Start, 11);
  Put(Fine, "1000001");  // 10.00001
  std::string A = Line;
  Put(Fine, "1000000");
  std::string B = Line;
  EXPECT_EQ(Fine.Compare(A.data(), B.data()), 0) << "equal within 0.0001";
  Put(Fine, "1001000");  // 10.01
  EXPECT_EQ(Fine.Compare(B.data(), Line.data()), -1);
  EXPECT_EQ(Fine.Compare(Line.data(), B.data()), 1);
}

TEST_F(FieldTest, VariantsCarryTheFieldKind) {
  TStringField Text("Text", Start, 10);
  TStdDateField Day("Date", Start, 8);
  TDoubleField Number("Amount", 100, Start, 10);
  TVariant V;
  V.Kind = TVariant::TKind::String;
  V.Str = "1250";
  Number.SetAsVariant(Buf(), V);
  EXPECT_EQ(Number.GetAsVariant(Buf()).Kind, TVariant::TKind::Float);
  EXPECT_EQ(Number.GetAsVariant(Buf()).Num, 1250);
  V.Kind = TVariant::TKind::Date;
  V.Num = EncodeDate(2004, 9, 15);
  Day.SetAsVariant(Buf(), V);
  EXPECT_EQ(Columns(Day), "09152004");
  EXPECT_EQ(Day.GetAsVariant(Buf()).Kind, TVariant::TKind::Date);
  EXPECT_EQ(Day.GetAsVariant(Buf()).Num, V.Num);
  V.Kind = TVariant::TKind::String;
  V.Str = "Smith";
  Text.SetAsVariant(Buf(), V);
  EXPECT_EQ(Text.GetAsVariant(Buf()).Str, "Smith");
  EXPECT_EQ(Outside(Text), Untouched(Text));
}

}  // namespace
