// Records: typed access by field name over one raw line, and the refusal of names
// that the record type does not have.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeEnv.h"
#include "PPropertyNames.h"
#include "PRecords.h"

namespace {

// A small detail-like layout: every column belongs to exactly one field.
class RecordTest : public testing::Test {
 protected:
  static constexpr int32_t Length = 60;
  TFakeEnv Fake;
  TFieldList Fields;

  RecordTest() {
    Fields.Add(new TStringField(fnRecordType, 1, 1));
    Fields.Add(new TStringField(fnMemberSSN, 2, 9));
    Fields.Add(new TStringField(fnLastName, 11, 25));
    Fields.Add(new TStringField(fnFirstName, 36, 5));
    Fields.Add(new TStdDateField(fnBirthDate, 41, 8));
    Fields.Add(new TDoubleField(fnSalaryPensionAmount, 100, 49, 11));
    Fields.Add(new TStringField(fnGenderCD, 60, 1));
  }

  static std::string Line(const TRecord& R) {
    return std::string(R.Buffer, static_cast<size_t>(R.RecordLength));
  }
};

TEST_F(RecordTest, NewRecordIsBlankAndVisible) {
  TRecord R(Length, &Fields);
  EXPECT_EQ(Line(R), std::string(Length, ' '));
  EXPECT_TRUE(R.Visible);
  EXPECT_EQ(R.GetAsFloat(fnSalaryPensionAmount), 0);
  EXPECT_EQ(R.GetAsString(fnBirthDate), "");
  EXPECT_EQ(R.GetAsDateTime(fnBirthDate), NoDateValue);
  EXPECT_TRUE(R.IsBlank(fnLastName));
  EXPECT_FALSE(R.IsValidDate(fnBirthDate));
}

TEST_F(RecordTest, LinesLongerThanTheFieldsAreBlankToo) {
  TRecord R(Length + 10, &Fields);
  EXPECT_EQ(Line(R), std::string(Length + 10, ' '));
}

TEST_F(RecordTest, NameLookupIsExactAndCaseSensitive) {
  TRecord R(Length, &Fields);
  EXPECT_EQ(R.IndexOfField(fnRecordType), 0);
  EXPECT_EQ(R.IndexOfField(fnLastName), 2);
  EXPECT_EQ(&R.FieldByName(fnBirthDate), Fields[4]);
  for (const std::string& Name :
       {std::string("memberssn"), std::string("MemberSSN "), std::string(""), fnTotalRecCount}) {
    try {
      R.IndexOfField(Name);
      ADD_FAILURE() << '"' << Name << "\" was found";
    } catch (const Exception& E) {
      EXPECT_STREQ(E.what(), "Invalid field name!");
    }
  }
}

TEST_F(RecordTest, EveryByNameOperationRefusesAnUnknownNameBeforeChangingAnything) {
  TRecord R(Length, &Fields);
  R.SetAsString(fnLastName, "Smith");
  const std::string Before = Line(R);
  const std::string Bad = "lastname";
  const std::vector<std::function<void()>> Operations = {
      [&] { R.GetAsString(Bad); },      [&] { R.GetAsDateTime(Bad); },
      [&] { R.GetAsInteger(Bad); },     [&] { R.GetAsFloat(Bad); },
      [&] { R.SetAsString(Bad, "x"); }, [&] { R.SetAsDateTime(Bad, 1); },
      [&] { R.SetAsInteger(Bad, 1); },  [&] { R.SetAsFloat(Bad, 1); },
      [&] { R.IsBlank(Bad); },          [&] { R.IsAlphaText(Bad); },
      [&] { R.IsAlphaNumText(Bad); },   [&] { R.IsInteger(Bad); },
      [&] { R.IsValidDate(Bad); },      [&] { R.FieldByName(Bad); },
  };
  for (size_t i = 0; i < Operations.size(); ++i) {
    EXPECT_THROW(Operations[i](), Exception) << "operation " << i;
    EXPECT_EQ(Line(R), Before) << "operation " << i;
  }
}

TEST_F(RecordTest, ByNameOperationsReachTheirOwnColumnsOnly) {
  TRecord R(Length, &Fields);
  R.SetAsString(fnFirstName, "Ann");
  R.SetAsString(fnGenderCD, "2");
  R.SetAsString(fnLastName, "Abcdefghijklmnopqrstuvwxyz1234");  // 30 into 25 columns
  EXPECT_EQ(R.GetAsString(fnLastName), "Abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(R.GetAsString(fnFirstName), "Ann");
  R.SetAsString(fnMemberSSN, "123456789");
  R.SetAsDateTime(fnBirthDate, EncodeDate(1990, 1, 15));
  R.SetAsFloat(fnSalaryPensionAmount, -12.34);
  EXPECT_EQ(Line(R),
            " 123456789Abcdefghijklmnopqrstuvwxy"
            "Ann  01151990-1234      2");
  EXPECT_EQ(R.GetAsInteger(fnMemberSSN), 123456789);
  EXPECT_TRUE(R.IsInteger(fnMemberSSN));
  EXPECT_TRUE(R.IsAlphaText(fnFirstName));
  EXPECT_TRUE(R.IsAlphaNumText(fnLastName));
  EXPECT_TRUE(R.IsAlphaText(fnLastName)) << "the digits were cut off with the tail";
  EXPECT_FALSE(R.IsAlphaText(fnMemberSSN));
  EXPECT_TRUE(R.IsValidDate(fnBirthDate));
  EXPECT_EQ(R.GetAsDateTime(fnBirthDate), EncodeDate(1990, 1, 15));
  EXPECT_EQ(R.GetAsFloat(fnSalaryPensionAmount), -12.34);
  R.SetAsInteger(fnSalaryPensionAmount, 7);
  EXPECT_EQ(R.GetAsString(fnSalaryPensionAmount), "      7.00");
  EXPECT_FALSE(R.IsBlank(fnSalaryPensionAmount));
}

TEST_F(RecordTest, AnAmountThatDoesNotFitFailsTheWriteAndKeepsTheLine) {
  TRecord R(Length, &Fields);
  R.SetAsFloat(fnSalaryPensionAmount, 100);
  const std::string Before = Line(R);
  EXPECT_THROW(R.SetAsFloat(fnSalaryPensionAmount, 30000000.0), Exception);
  EXPECT_EQ(Line(R), Before);
}

TEST_F(RecordTest, RecordsShareTheirFieldList) {
  auto First = std::make_unique<TRecord>(Length, &Fields);
  TRecord Second(Length, &Fields);
  First->SetAsString(fnLastName, "First");
  Second.SetAsString(fnLastName, "Second");
  First.reset();
  EXPECT_EQ(Fields.Count(), 7) << "destroying a record leaves the list alone";
  EXPECT_EQ(Second.GetAsString(fnLastName), "Second");
  TRecord Third(Length, &Fields);
  EXPECT_TRUE(Third.IsBlank(fnLastName));
}

TEST(RecordWithoutFields, RefusesEveryName) {
  TRecord R(4, nullptr);
  EXPECT_EQ(std::string(R.Buffer, 4), "    ");
  EXPECT_THROW(R.IndexOfField(fnRecordType), Exception);
}

}  // namespace
