// Validation: every rule's message text, its boundaries and the order of the lines.
#include <gtest/gtest.h>

#include <functional>

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
