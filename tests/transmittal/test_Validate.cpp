// Validation: every rule's message text, its boundaries and the order of the lines.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

#include "CentBounds.h"
#include "FakeEnv.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

using TMutation = std::function<void(TRecord*)>;

TMutation Str(const std::string& Name, const std::string& Text) {
  return [=](TRecord* R) { R->SetAsString(Name, Text); };
}
TMutation Num(const std::string& Name, double Value) {
  return [=](TRecord* R) { R->SetAsFloat(Name, Value); };
}
// Raw columns, for content the setters would not store.
TMutation Raw(const std::string& Name, const std::string& Text) {
  return [=](TRecord* R) {
    const TField& F = R->FieldByName(Name);
    std::string Padded = Text + std::string(static_cast<size_t>(F.Length) - Text.size(), ' ');
    std::copy(Padded.begin(), Padded.end(), R->Buffer + F.Start - 1);
  };
}
TMutation DaysBeforeToday(const std::string& Name, int Days) {
  return [=](TRecord* R) { R->SetAsDateTime(Name, Date() - Days); };
}

struct TDetailCase {
  const char* Name;
  std::vector<TMutation> Changes;
  std::vector<std::string> Lines;
};

const std::string S = "123-45-6789 : ";

std::vector<TDetailCase> DetailCases() {
  return {
      {"Valid", {}, {}},
      // 1 SSN: the lines of a member open with its SSN, formatted whenever it has nine characters.
      {"SsnEightDigits", {Str(fnMemberSSN, "12345678"), Str(fnLastName, "")},
       {"12345678 : \"Invalid SSN\"!", "12345678 : \"The last name is required\"!"}},
      {"SsnWithLetter", {Str(fnMemberSSN, "12345678A")}, {"123-45-678A : \"Invalid SSN\"!"}},
      {"SsnBlank", {Str(fnMemberSSN, "")}, {" : \"Invalid SSN\"!"}},
      // 2 name prefix
      {"PrefixSeven", {Str(fnNamePrefix, "7")}, {S + "Invalid name prefix code : \"7\"!"}},
      {"PrefixBlankPasses", {Str(fnNamePrefix, "")}, {}},
      {"PrefixLetterReadsAsZero", {Str(fnNamePrefix, "x")}, {}},
      // 3, 4, 5 names
      {"LastNameBlank", {Str(fnLastName, "")}, {S + "\"The last name is required\"!"}},
      {"LastNameWithDigit", {Str(fnLastName, "Sm1th")}, {S + "Invalid last name : \"Sm1th\"!"}},
      {"LastNamePunctuationPasses", {Str(fnLastName, "O'Neil-Smith Jr.")}, {}},
      {"FirstNameBlank", {Str(fnFirstName, "")}, {S + "\"The first name is required\"!"}},
      {"FirstNameInvalid", {Str(fnFirstName, "J0hn")}, {S + "Invalid first name : \"J0hn\"!"}},
      {"MiddleNameInvalid", {Str(fnMiddleName, "J2")}, {S + "Invalid middle name : \"J2\"!"}},
      {"MiddleNameOnlyPeriod", {Str(fnMiddleName, ".")}, {S + "Invalid middle name : \".\"!"}},
      // 6, 7 suffix and gender
      {"SuffixOne", {Str(fnNameSuffix, "1")}, {S + "Invalid name suffix code : \"1\"!"}},
      {"SuffixNine", {Str(fnNameSuffix, "9")}, {}},
      {"GenderBlank", {Str(fnGenderCD, "")}, {S + "Invalid gender code : \"\"!"}},
      {"GenderZero", {Str(fnGenderCD, "0")}, {S + "Invalid gender code : \"0\"!"}},
      {"GenderFour", {Str(fnGenderCD, "4")}, {S + "Invalid gender code : \"4\"!"}},
      {"GenderThree", {Str(fnGenderCD, "3")}, {}},
      // 8 birth date: 5475 to 38325 days before today, both included
      {"Birth5475", {DaysBeforeToday(fnBirthDate, 5475)}, {}},
      {"Birth5474", {DaysBeforeToday(fnBirthDate, 5474)},
       {S + "\"09/20/1989 is not a valid employee birth date\"!"}},
      {"Birth38325", {DaysBeforeToday(fnBirthDate, 38325)}, {}},
      {"Birth38326", {DaysBeforeToday(fnBirthDate, 38326)},
       {S + "\"10/10/1899 is not a valid employee birth date\"!"}},
      {"BirthBlank", {Str(fnBirthDate, "")}, {S + "\" is not a valid employee birth date\"!"}},
      {"BirthNoSuchDay", {Raw(fnBirthDate, "02301970")},
       {S + "\"02/30/1970 is not a valid employee birth date\"!"}},
      // 9 marital status
      {"MaritalThree", {Str(fnMaritalStatusCD, "3")}, {S + "Invalid marital status code : \"3\"!"}},
      {"MaritalZeroPasses", {Str(fnMaritalStatusCD, "0")}, {}},
      // 10-13 address
      {"Address1Blank", {Str(fnAddressLine1, "")}, {S + "\"Address is required\"!"}},
      {"Address1Invalid", {Str(fnAddressLine1, "12 Main %")}, {S + "Invalid address line 1 : \"12 Main %\"!"}},
      {"Address1Symbols", {Str(fnAddressLine1, "12 Main St. #4, A&B/C")}, {}},
      {"Address2Invalid", {Str(fnAddressLine2, "a+b")}, {S + "Invalid address line 2 : \"a+b\"!"}},
      {"CityBlank", {Str(fnAddressCity, "")}, {S + "\"The city is required\"!"}},
      {"CityInvalid", {Str(fnAddressCity, "Albany2")}, {S + "Invalid city : \"Albany2\"!"}},
      {"StateBlank", {Str(fnAddressState, "")}, {S + "\"Empty state code\"!"}},
      {"StateUnknownPasses", {Str(fnAddressState, "ZZ")}, {}},
      // 14-19 digits, shown trimmed
      {"ZipShort", {Str(fnAddressZip, " 1220")}, {S + "Invalid ZIP code : \"1220\"!"}},
      {"ZipLetter", {Str(fnAddressZip, "1220A")}, {S + "Invalid ZIP code : \"1220A\"!"}},
      {"ZipBlank", {Str(fnAddressZip, "")}, {S + "Invalid ZIP code : \"\"!"}},
      {"Zip4Short", {Str(fnAddressZip4, "123")}, {S + "Invalid ZIP (+4) code : \"123\"!"}},
      {"Zip4Full", {Str(fnAddressZip4, "1234")}, {}},
      {"EffectiveBlank", {Str(fnAddressEffectiveDate, "")}, {S + "\"Address effective date is required\"!"}},
      {"EffectiveNoSuchDay", {Raw(fnAddressEffectiveDate, "02302004")},
       {S + "Invalid address change effective date : \"02/30/2004\"!"}},
      {"AreaCodeShort", {Str(fnPhoneAreaCode, "12")}, {S + "Invalid phone area code : \"12\"!"}},
      {"PhoneShort", {Str(fnPhoneNumber, "555123")}, {S + "Invalid phone number : \"555123\"!"}},
      {"PhoneFull", {Str(fnPhoneAreaCode, "518"), Str(fnPhoneNumber, "5551234"), Str(fnExtension, "12")}, {}},
      {"ExtensionLetter", {Str(fnExtension, "12a")}, {S + "Invalid phone extension : \"12a\"!"}},
      // 20-22 compensation
      {"PensionZero",
       {Num(fnSalaryPensionAmount, 0)},
       {S + "Invalid pensionable compensation : \"      0.00\"!",
        S + "\"Deductions ($82.50) cannot be bigger than pensionable amount($0.00)!\""}},
      {"EarnableBlank", {Str(fnSalaryEarnableAmount, "")}, {S + "Invalid earnable compensation : \"      0.00\"!"}},
      {"EarnableUnreadable", {Raw(fnSalaryEarnableAmount, "12.34")},
       {S + "Invalid earnable compensation : \"      0.00\"!"}},
      {"PensionAboveEarnable", {Num(fnSalaryEarnableAmount, 999.99)},
       {S + "\"Earnable compensation < pensionable compensation\"!"}},
      // 23, 24 FTE%
      {"FteZero", {Num(fnSalaryEarnableUnitsWorked, 0)}, {S + "Invalid FTE% : \"      0.00%\"!"}},
      {"FteAboveHundred", {Num(fnSalaryEarnableUnitsWorked, 100.01)},
       {S + "\"FTE% should be between 1.00 and 100.00\"!"}},
      {"FteBelowOne", {Num(fnSalaryEarnableUnitsWorked, 0.99)},
       {S + "\"FTE% should be between 1.00 and 100.00\"!"}},
      {"FteOffRatio", {Num(fnSalaryEarnableUnitsWorked, 97.99)},
       {S + "\"FTE%:97.99 <> (pensionable / earnable)%:100.00\"!"}},
      {"FteTwoPointsOff", {Num(fnSalaryEarnableUnitsWorked, 98)}, {}},
      {"FteHalfTimeEdge",
       {Num(fnSalaryPensionAmount, 500), Num(fnSalaryEarnableUnitsWorked, 52), Num(fnContribEmployeePreTax, 35),
        Num(fnContribEmployerPreTax, 6.25)},
       {}},
      {"FteHalfTimeOff",
       {Num(fnSalaryPensionAmount, 500), Num(fnSalaryEarnableUnitsWorked, 52.01), Num(fnContribEmployeePreTax, 35),
        Num(fnContribEmployerPreTax, 6.25)},
       {S + "\"FTE%:52.01 <> (pensionable / earnable)%:50.00\"!"}},
      {"FteNotCheckedWhenPensionAboveEarnable",
       {Num(fnSalaryEarnableAmount, 500), Num(fnSalaryEarnableUnitsWorked, 10)},
       {S + "\"Earnable compensation < pensionable compensation\"!"}},
      // 25, 26 contributions within 1.00 of their rate
      {"RegularZero", {Num(fnContribEmployeePreTax, 0)}, {S + "Invalid regular amount : \"      0.00\"!"}},
      {"Regular69", {Num(fnContribEmployeePreTax, 69)}, {}},
      {"Regular71", {Num(fnContribEmployeePreTax, 71)}, {}},
      {"Regular7101", {Num(fnContribEmployeePreTax, 71.01)},
       {S + "\"Regular contribution($71.01) <> 7% from pensionable amount($70.00)\"!"}},
      {"Regular6899", {Num(fnContribEmployeePreTax, 68.99)},
       {S + "\"Regular contribution($68.99) <> 7% from pensionable amount($70.00)\"!"}},
      {"HealthZero", {Num(fnContribEmployerPreTax, 0)}, {S + "Invalid health amount : \"      0.00\"!"}},
      {"Health1350", {Num(fnContribEmployerPreTax, 13.5)}, {}},
      {"Health1351", {Num(fnContribEmployerPreTax, 13.51)},
       {S + "\"Health contribution($13.51) <> 1.25% from pensionable amount($12.50)\"!"}},
      {"Health1150", {Num(fnContribEmployerPreTax, 11.5)}, {}},
      // 27-29 deductions
      {"VoluntaryAndContractNegative", {Num(fnContribVoluntaryPostTax, -5), Num(fnContribContractPostTax, -900)}, {}},
      {"DeductionsEqualPension", {Num(fnContribVoluntaryPostTax, 17.5), Num(fnContribContractPostTax, 900)}, {}},
      {"DeductionsAbovePension", {Num(fnContribVoluntaryPostTax, 17.5), Num(fnContribContractPostTax, 900.01)},
       {S + "\"Deductions ($1,000.01) cannot be bigger than pensionable amount($1,000.00)!\""}},
      // Several failures: one line each, in the order of the rules.
      {"ThreeFailuresInRuleOrder",
       {Str(fnAddressZip, "1"), Str(fnGenderCD, ""), Str(fnLastName, "")},
       {S + "\"The last name is required\"!", S + "Invalid gender code : \"\"!", S + "Invalid ZIP code : \"1\"!"}},
  };
}

class DetailRules : public testing::TestWithParam<TDetailCase> {
 protected:
  TFakeEnv FEnv;  // today 2004-09-15, US regional settings
};

TEST_P(DetailRules, AddsExactlyTheseLines) {
  const TDetailCase& Case = GetParam();
  TTransShort Trans;
  TRecord* Member = AddMember(Trans);
  for (const TMutation& Change : Case.Changes) Change(Member);
  ErrorList->Clear();
  ErrorList->Add("earlier line");
  bool Passed = Trans.ValidateDetail(Member);
  std::vector<std::string> Expected = {"earlier line"};
  Expected.insert(Expected.end(), Case.Lines.begin(), Case.Lines.end());
  EXPECT_EQ(ErrorList->Messages, Expected);  // it appends, never clears
  EXPECT_EQ(Passed, Case.Lines.empty());
}

INSTANTIATE_TEST_SUITE_P(Member, DetailRules, testing::ValuesIn(DetailCases()),
                         [](const testing::TestParamInfo<TDetailCase>& Info) { return Info.param.Name; });

TEST(DetailRegional, AmountsInMessagesFollowTheRegionalSettings) {
  TFakeEnv Env;
  Env.Settings.DecimalSeparator = ',';
  Env.Settings.ThousandSeparator = '.';
  Env.Settings.CurrencyString = "EUR";
  Env.Settings.CurrencyFormat = 3;
  TTransShort Trans;
  TRecord* Member = AddMember(Trans);
  Member->SetAsFloat(fnContribEmployeePreTax, 71.01);
  Member->SetAsFloat(fnSalaryEarnableUnitsWorked, 97.99);
  ErrorList->Clear();
  EXPECT_FALSE(Trans.ValidateDetail(Member));
  EXPECT_EQ(ErrorList->Messages,
            (std::vector<std::string>{S + "\"FTE%:97,99 <> (pensionable / earnable)%:100,00\"!",
                                      S + "\"Regular contribution(71,01 EUR) <> 7% from pensionable amount(70,00 EUR)\"!"}));
}

// ---------------------------------------------------------------------------
// Bounds to the cent. Every bound is inclusive: an amount exactly on it passes
// and one cent beyond fails, for every pensionable pay from 100.00 to 2,000.00
// in the shared rules, and in the file's validation too (the bounds are worked
// out from their definitions in CentBounds.h).

TEST(BoundsToTheCent, SharedRulesPassOnEveryBoundAndFailOneCentBeyond) {
  int Failures = 0;
  auto Expect = [&](bool Got, bool Wanted, const char* Rule, TCents P, TCents Value) {
    if (Got == Wanted || ++Failures > 10) return;
    ADD_FAILURE() << Rule << ": P " << P << " cents, value " << Value << " should "
                  << (Wanted ? "pass" : "fail");
  };
  for (TCents P = FirstPay; P <= LastPay; ++P) {
    for (auto [Rate, B, Rule] : {std::tuple{RegularRate, RegularBounds(P), "regular"},
                                 std::tuple{HealthRate, HealthBounds(P), "health"}}) {
      Expect(IsContributionWithinRate(B.Low, P, Rate), true, Rule, P, B.Low);
      Expect(IsContributionWithinRate(B.High, P, Rate), true, Rule, P, B.High);
      Expect(IsContributionWithinRate(B.Low - 1, P, Rate), false, Rule, P, B.Low - 1);
      Expect(IsContributionWithinRate(B.High + 1, P, Rate), false, Rule, P, B.High + 1);
    }
    const TCents E = EarnableFor(P);
    const TBounds FTE = FTEBounds(P, E);
    Expect(IsFTEWithinPays(FTE.Low, P, E), true, "FTE%", P, FTE.Low);
    Expect(IsFTEWithinPays(FTE.High, P, E), true, "FTE%", P, FTE.High);
    Expect(IsFTEWithinPays(FTE.Low - 1, P, E), false, "FTE%", P, FTE.Low - 1);
    Expect(IsFTEWithinPays(FTE.High + 1, P, E), false, "FTE%", P, FTE.High + 1);
    Expect(AreDeductionsWithinPensionable(P, P), true, "deductions", P, P);
    Expect(AreDeductionsWithinPensionable(P + 1, P), false, "deductions", P, P + 1);
    Expect(IsPensionableWithinEarnable(P, P), true, "pays", P, P);
    Expect(IsPensionableWithinEarnable(P + 1, P), false, "pays", P, P + 1);
  }
  EXPECT_EQ(Failures, 0);
  // The FTE% range, both ends allowed.
  EXPECT_FALSE(IsFTEInRange(99));
  EXPECT_TRUE(IsFTEInRange(100));
  EXPECT_TRUE(IsFTEInRange(10000));
  EXPECT_FALSE(IsFTEInRange(10001));
}

// The file's validation over the same pays: one member, every amount set in
// cents, each rule taken to its bounds in turn while the others stay inside.
// Every seventh cent of pay: seven is prime to the 100 and 80 of the rates, so
// the pays still go through every way in which 7% and 1.25% of them fall
// between two cents, at a seventh of the cost of a whole member's validation.
class FileBoundsToTheCent : public testing::Test {
 protected:
  TFakeEnv FEnv;
  TTransShort FTrans;
  TRecord* FMember = AddMember(FTrans);

  void Set(const std::string& Name, TCents Cents) { SetCents(FMember, Name, Cents); }
  void Pays(TCents P, TCents E) { SetPassingPays(FMember, P, E); }
  bool Passes() {
    ErrorList->Clear();
    return FTrans.ValidateDetail(FMember);
  }
};

TEST_F(FileBoundsToTheCent, EveryBoundPassesAndOneCentBeyondFails) {
  int Failures = 0;
  auto Expect = [&](TCents Value, bool Wanted, const char* Rule, TCents P) {
    const bool Got = Passes();
    if (Got == Wanted || ++Failures > 10) return;
    ADD_FAILURE() << Rule << ": P " << P << " cents, value " << Value << " should "
                  << (Wanted ? "pass" : "fail") << "; "
                  << (ErrorList->Messages.empty() ? "" : ErrorList->Messages[0]);
  };
  auto Sweep = [&](const std::string& Name, TBounds B, const char* Rule, TCents P) {
    for (auto [Value, Wanted] : {std::pair{B.Low, true}, std::pair{B.High, true},
                                 std::pair{B.Low - 1, false}, std::pair{B.High + 1, false}}) {
      Set(Name, Value);
      Expect(Value, Wanted, Rule, P);
    }
  };
  for (TCents P = FirstPay; P <= LastPay; P += 7) {
    Pays(P, P);
    Sweep(fnContribEmployeePreTax, RegularBounds(P), "regular", P);
    Pays(P, P);
    Sweep(fnContribEmployerPreTax, HealthBounds(P), "health", P);
    const TCents E = EarnableFor(P);
    Pays(P, E);
    Sweep(fnSalaryEarnableUnitsWorked, FTEBounds(P, E), "FTE%", P);
    // The voluntary and contract payments make the four up to exactly P, then
    // one cent more.
    Pays(P, P);
    const TCents Rest = P - (7 * P + 50) / 100 - (P + 40) / 80;
    Set(fnContribVoluntaryPostTax, Rest / 3);
    Set(fnContribContractPostTax, Rest - Rest / 3);
    Expect(P, true, "deductions", P);
    Set(fnContribContractPostTax, Rest - Rest / 3 + 1);
    Expect(P + 1, false, "deductions", P);
  }
  EXPECT_EQ(Failures, 0);
}

// Beyond a bound the line shows the amounts as stored, and the deductions line
// the sum one cent above the pay, never two equal figures.
TEST_F(FileBoundsToTheCent, LinesShowTheStoredFigures) {
  struct TCase {
    const char* Name;
    TCents P, E, Field;
    const std::string* FieldName;
    std::string Line;
  };
  const TCase Cases[] = {
      {"regular above", 10010, 10010, 801, &fnContribEmployeePreTax,
       "\"Regular contribution($8.01) <> 7% from pensionable amount($7.01)\"!"},
      {"regular below", 10010, 10010, 600, &fnContribEmployeePreTax,
       "\"Regular contribution($6.00) <> 7% from pensionable amount($7.01)\"!"},
      {"health below", 10010, 10010, 25, &fnContribEmployerPreTax,
       "\"Health contribution($0.25) <> 1.25% from pensionable amount($1.25)\"!"},
      {"FTE% below", 10000, 15007, 6463, &fnSalaryEarnableUnitsWorked,
       "\"FTE%:64.63 <> (pensionable / earnable)%:66.64\"!"},
      {"FTE% above", 10000, 15007, 6864, &fnSalaryEarnableUnitsWorked,
       "\"FTE%:68.64 <> (pensionable / earnable)%:66.64\"!"},
      {"contract payments count", 10997, 10997, 10091, &fnContribContractPostTax,
       "\"Deductions ($109.98) cannot be bigger than pensionable amount($109.97)!\""},
  };
  for (const TCase& C : Cases) {
    Pays(C.P, C.E);
    Set(*C.FieldName, C.Field);
    EXPECT_FALSE(Passes()) << C.Name;
    EXPECT_EQ(ErrorList->Messages, std::vector<std::string>{S + C.Line}) << C.Name;
  }
}

struct THeaderCase {
  const char* Name;
  std::vector<TMutation> Changes;
  std::vector<std::string> Lines;
};

std::vector<THeaderCase> HeaderCases() {
  return {
      {"Valid", {}, {}},
      {"EmployerBlank", {Str(fnEmployerID, "")}, {"Invalid Employer ID : \"\"!"}},
      {"EmployerShort", {Str(fnEmployerID, "12")}, {"Invalid Employer ID : \"12\"!"}},
      {"EmployerLetters", {Str(fnEmployerID, "ABC")}, {"Invalid Employer ID : \"ABC\"!"}},
      {"NameBlank", {Str(fnBatchEmployerName, "")}, {"Empty Employer Name!"}},
      {"CreateDateBlank", {Str(fnBatchCreateDate, "")}, {"Invalid batch creation date : \"\"!"}},
      {"MonthJuly", {Str(fnBatchMonth, "07")}, {"Invalid reporting month : \"07\"!"}},
      {"MonthAugust", {Str(fnBatchMonth, "8")}, {"Invalid reporting month : \"8\"!"}},
      {"MonthOneDigit", {Str(fnBatchMonth, "9")}, {}},
      {"MonthThirteen", {Str(fnBatchMonth, "13")}, {"Invalid reporting month : \"13\"!"}},
      {"MonthBlank", {Str(fnBatchMonth, "")}, {"Invalid reporting month : \"\"!"}},
      {"Year1899", {Str(fnBatchYear, "1899")}, {}},
      {"Year1898", {Str(fnBatchYear, "1898")}, {"Invalid reporting year : \"1898\"!"}},
      {"Year2109", {Str(fnBatchYear, "2109")}, {}},
      {"Year2110", {Str(fnBatchYear, "2110")}, {"Invalid reporting year : \"2110\"!"}},
      {"YearLetter", {Str(fnBatchYear, "20a4")}, {"Invalid reporting year : \"20a4\"!"}},
      {"AllInOrder",
       {Str(fnBatchYear, ""), Str(fnBatchMonth, "7"), Str(fnBatchCreateDate, ""), Str(fnBatchEmployerName, ""),
        Str(fnEmployerID, "")},
       {"Invalid Employer ID : \"\"!", "Empty Employer Name!", "Invalid batch creation date : \"\"!",
        "Invalid reporting month : \"7\"!", "Invalid reporting year : \"\"!"}},
  };
}

class HeaderRules : public testing::TestWithParam<THeaderCase> {
 protected:
  TFakeEnv FEnv;
};

TEST_P(HeaderRules, AddsExactlyTheseLines) {
  TTransShort Trans;
  FillValidHeader(Trans);
  for (const TMutation& Change : GetParam().Changes) Change(Trans.Header.get());
  ErrorList->Clear();
  EXPECT_EQ(Trans.ValidateHeader(), GetParam().Lines.empty());
  EXPECT_EQ(ErrorList->Messages, GetParam().Lines);
}

INSTANTIATE_TEST_SUITE_P(Header, HeaderRules, testing::ValuesIn(HeaderCases()),
                         [](const testing::TestParamInfo<THeaderCase>& Info) { return Info.param.Name; });

// The two year tests give one line; near the year 3000 the fixed bound decides.
TEST(HeaderYear, FixedBoundsExcludedAndOneLine) {
  TFakeEnv Env;
  Env.SetToday(2950, 1, 1);
  TTransShort Trans;
  FillValidHeader(Trans);
  Trans.Header->SetAsString(fnBatchCreateDate, "01/01/2950");
  for (const char* Year : {"2999", "3000", "3001"}) {
    Trans.Header->SetAsString(fnBatchYear, Year);
    ErrorList->Clear();
    Trans.ValidateHeader();
    std::vector<std::string> Expected;
    if (std::string(Year) != "2999") Expected.push_back(std::string("Invalid reporting year : \"") + Year + "\"!");
    EXPECT_EQ(ErrorList->Messages, Expected) << Year;
  }
}

class WholeFile : public testing::Test {
 protected:
  void TearDown() override { HeaderOnly = false; }
  TFakeEnv FEnv;
};

TEST_F(WholeFile, NoMembersGivesTheCountAndTrailerLines) {
  TTransShort Trans;
  FillValidHeader(Trans);
  ErrorList->Add("stale");
  EXPECT_FALSE(Trans.Validate());
  EXPECT_EQ(ErrorList->Messages,
            (std::vector<std::string>{"No detail records!", "Invalid total record count : \"      0.00\"!",
                                      "Invalid total regular contribution amount : \"      0.00\"!",
                                      "Invalid total health contribution amount : \"      0.00\"!",
                                      "Invalid total contribution amount : \"      0.00\"!"}));
}

TEST_F(WholeFile, HeaderOnlyChecksTheHeaderWithoutItsDate) {
  TTransShort Trans;
  FillValidHeader(Trans);
  Trans.Header->SetAsString(fnBatchCreateDate, "");
  HeaderOnly = true;
  EXPECT_TRUE(Trans.Validate());
  Trans.Header->SetAsString(fnBatchEmployerName, "");
  EXPECT_FALSE(Trans.Validate());
  EXPECT_EQ(ErrorList->Messages, (std::vector<std::string>{"Empty Employer Name!"}));
}

TEST_F(WholeFile, HeaderThenEveryMemberHiddenOnesTooThenTrailer) {
  TTransShort Trans;
  FillValidHeader(Trans);
  Trans.Header->SetAsString(fnBatchMonth, "07");
  AddMember(Trans, "111111111")->SetAsString(fnGenderCD, "");
  TRecord* Hidden = AddMember(Trans, "222222222");
  Hidden->SetAsString(fnGenderCD, "9");
  Hidden->Visible = false;
  Trans.Trailer->SetAsFloat(fnTotalRecCount, 2);
  Trans.Trailer->SetAsFloat(fnTotalEmplContribAmt, 140);
  Trans.Trailer->SetAsFloat(fnTotalEmplrContribAmt, 0);
  Trans.Trailer->SetAsFloat(fnTotalVolContribAmt, -3);
  Trans.Trailer->SetAsFloat(fnTotalCntrctPayAmt, -4);
  Trans.Trailer->SetAsFloat(fnTotalReceivables, 165);
  EXPECT_FALSE(Trans.Validate());
  EXPECT_EQ(ErrorList->Messages,
            (std::vector<std::string>{"Invalid reporting month : \"07\"!", "111-11-1111 : Invalid gender code : \"\"!",
                                      "222-22-2222 : Invalid gender code : \"9\"!",
                                      "Invalid total health contribution amount : \"      0.00\"!"}));
}

TEST_F(WholeFile, ValidFileLeavesTheListEmpty) {
  TTransShort Trans;
  FillValidHeader(Trans);
  AddMember(Trans);
  Trans.Trailer->SetAsFloat(fnTotalRecCount, 1);
  Trans.Trailer->SetAsFloat(fnTotalEmplContribAmt, 70);
  Trans.Trailer->SetAsFloat(fnTotalEmplrContribAmt, 12.5);
  Trans.Trailer->SetAsFloat(fnTotalReceivables, 82.5);
  ErrorList->Add("stale");
  EXPECT_TRUE(Trans.Validate());
  EXPECT_TRUE(ErrorList->IsEmpty());
}

TEST(CheckRoutines, IsDigits) {
  struct TCase {
    std::string Text;
    int32_t Length;
    bool Result;
  };
  const TCase Cases[] = {{"123456789", 9, true}, {"12345678", 9, false}, {"1234567890", 9, false},
                         {"12345678a", 9, false}, {"", 0, true},        {"", 3, false},
                         {"0042", 0, true},      {"4 2", 0, false},     {"\xB9", 0, false}};
  for (const TCase& Case : Cases) EXPECT_EQ(IsDigits(Case.Text, Case.Length), Case.Result) << Case.Text;
}

TEST(CheckRoutines, EachAddsItsMessageOnlyOnFailure) {
  TFakeEnv Env;
  TTransShort Trans;
  TRecord* R = AddMember(Trans);
  R->SetAsString(fnPhoneAreaCode, "518");
  ErrorList->Clear();
  EXPECT_TRUE(CheckCode(R, fnGenderCD, {1, 2}, "code"));
  EXPECT_FALSE(CheckCode(R, fnGenderCD, {2, 3}, "code"));
  EXPECT_FALSE(CheckIntRange(R, fnPhoneAreaCode, 518, 600, "low"));
  EXPECT_FALSE(CheckIntRange(R, fnPhoneAreaCode, 400, 518, "high"));
  EXPECT_TRUE(CheckIntRange(R, fnPhoneAreaCode, 517, 519, "range"));
  double Amount = -1;
  EXPECT_TRUE(CheckAmount(R, fnContribEmployerPreTax, true, "amount", Amount));
  EXPECT_DOUBLE_EQ(Amount, 12.5);
  EXPECT_TRUE(CheckAmount(R, fnContribVoluntaryPostTax, false, "any", Amount));
  EXPECT_FALSE(CheckAmount(R, fnContribVoluntaryPostTax, true, "positive", Amount));
  EXPECT_EQ(ErrorList->Messages, (std::vector<std::string>{"code", "low", "high", "positive"}));
}

// A field that cannot be read counts as a failed check; the error goes no further.
TEST(CheckRoutines, UnknownFieldCountsAsFailed) {
  TFakeEnv Env;
  TTransShort Trans;
  ErrorList->Clear();
  double Amount = -1;
  EXPECT_FALSE(CheckCode(Trans.Header.get(), "Nope", {0}, "a"));
  EXPECT_FALSE(CheckIntRange(Trans.Header.get(), "Nope", -5, 5, "b"));
  EXPECT_FALSE(CheckAmount(Trans.Header.get(), "Nope", false, "c", Amount));
  EXPECT_EQ(Amount, 0);
  EXPECT_EQ(ErrorList->Messages, (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
