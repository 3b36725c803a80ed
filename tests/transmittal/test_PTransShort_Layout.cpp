// The three record layouts of the transmittal file and the byte-exact file they make.
#include <gtest/gtest.h>

#include "FakeEnv.h"
#include "PTransShort.h"
#include "TransFixtures.h"

namespace {

struct TLayoutRow {
  std::string Name;
  char Kind;  // S text, D date, N number
  int32_t Scale;
  int32_t Start;
  int32_t Length;
};

const std::vector<TLayoutRow> HeaderRows = {
    {"RecordType", 'S', 0, 1, 5},         {"EmployerID", 'S', 0, 6, 3},
    {"BatchEmployerName", 'S', 0, 9, 30}, {"BatchCreateDate", 'D', 0, 39, 8},
    {"BatchMonth", 'S', 0, 47, 2},        {"BatchYear", 'S', 0, 49, 4},
};

const std::vector<TLayoutRow> TrailerRows = {
    {"RecordType", 'S', 0, 1, 5},            {"TotalRecCount", 'N', 1, 6, 11},
    {"TotalEmplContribAmt", 'N', 100, 17, 11}, {"TotalEmplrContribAmt", 'N', 100, 28, 11},
    {"TotalVolContribAmt", 'N', 100, 39, 11},  {"TotalCntrctPayAmt", 'N', 100, 50, 11},
    {"TotalReceivables", 'N', 100, 61, 11},    {"FileName", 'S', 0, 72, 12},
    {"Version", 'S', 0, 84, 15},
};

const std::vector<TLayoutRow> DetailRows = {
    {"RecordType", 'S', 0, 1, 5},
    {"MemberSSN", 'S', 0, 6, 9},
    {"NamePrefix", 'S', 0, 15, 1},
    {"LastName", 'S', 0, 16, 25},
    {"FirstName", 'S', 0, 41, 25},
    {"MiddleName", 'S', 0, 66, 25},
    {"NameSuffix", 'S', 0, 91, 1},
    {"GenderCD", 'S', 0, 92, 1},
    {"BirthDate", 'D', 0, 93, 8},
    {"MaritalStatusCD", 'S', 0, 101, 1},
    {"AddressLine1", 'S', 0, 102, 30},
    {"AddressLine2", 'S', 0, 132, 30},
    {"AddressCity", 'S', 0, 162, 30},
    {"AddressState", 'S', 0, 192, 2},
    {"AddressZip", 'S', 0, 194, 5},
    {"AddressZip4", 'S', 0, 199, 4},
    {"AddressEffectiveDate", 'D', 0, 203, 8},
    {"AddressEMail", 'S', 0, 211, 30},
    {"PhoneAreaCode", 'S', 0, 241, 3},
    {"PhoneNumber", 'S', 0, 244, 7},
    {"Extension", 'S', 0, 251, 5},
    {"SalaryPensionAmount", 'N', 100, 256, 11},
    {"SalaryEarnableAmount", 'N', 100, 267, 11},
    {"SalaryEarnableUnitsWorked", 'N', 100, 278, 5},
    {"ContribEmployeePreTax", 'N', 100, 283, 11},
    {"ContribEmployerPreTax", 'N', 100, 294, 11},
    {"ContribVoluntaryPostTax", 'N', 100, 305, 11},
    {"ContribContractPostTax", 'N', 100, 316, 11},
};

void ExpectLayout(const TFieldList& List, const std::vector<TLayoutRow>& Rows, int32_t LineLength) {
  ASSERT_EQ(List.Count(), static_cast<int32_t>(Rows.size()));
  int32_t NextColumn = 1;
  for (size_t i = 0; i < Rows.size(); ++i) {
    const TLayoutRow& Row = Rows[i];
    const TField* Field = List[static_cast<int32_t>(i)];
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(Field->Name, Row.Name);
    EXPECT_EQ(Field->Start, Row.Start);
    EXPECT_EQ(Field->Length, Row.Length);
    EXPECT_EQ(Field->Start, NextColumn) << "gap or overlap";
    NextColumn = Field->Start + Field->Length;
    switch (Row.Kind) {
      case 'S': EXPECT_NE(dynamic_cast<const TStringField*>(Field), nullptr); break;
      case 'D': EXPECT_NE(dynamic_cast<const TStdDateField*>(Field), nullptr); break;
      case 'N': {
        auto* Number = dynamic_cast<const TDoubleField*>(Field);
        ASSERT_NE(Number, nullptr);
        EXPECT_EQ(Number->Scale, Row.Scale);
        break;
      }
    }
  }
  EXPECT_EQ(NextColumn, LineLength + 1);
}

TEST(Layout, EveryFieldsColumnsKindAndScale) {
  TTransShort Trans;
  EXPECT_EQ(Trans.TagLength, 5);
  EXPECT_EQ(Trans.TagStart, 1);
  EXPECT_EQ(Trans.HeaderLength, 52);
  EXPECT_EQ(Trans.DetailLength, 326);
  EXPECT_EQ(Trans.TrailerLength, 98);
  {
    SCOPED_TRACE("header");
    ExpectLayout(Trans.FieldLists[0], HeaderRows, 52);
  }
  {
    SCOPED_TRACE("trailer");
    ExpectLayout(Trans.FieldLists[1], TrailerRows, 98);
  }
  {
    SCOPED_TRACE("detail");
    ExpectLayout(Trans.FieldLists[2], DetailRows, 326);
  }
}

TEST(Layout, FreshTransmittal) {
  TTransShort Trans;
  EXPECT_EQ(Trans.SortField, -1);
  EXPECT_EQ(Trans.SortOrder, 'A');
  EXPECT_EQ(Trans.Details.Count(), 0);
  EXPECT_EQ(Trans.CurIndex, 0);
  EXPECT_EQ(std::string(Trans.Header->Buffer, 52), "HEAD " + std::string(47, ' '));
  std::string Zero = "0" + std::string(10, ' ');
  EXPECT_EQ(std::string(Trans.Trailer->Buffer, 98),
            "TRAIL" + Zero + Zero + Zero + Zero + Zero + Zero + std::string(27, ' '));
}

TEST(Layout, FieldNamesBelongToTheirRecordType) {
  TTransShort Trans;
  TRecord Detail(Trans.DetailLength, &Trans.FieldLists[2]);
  EXPECT_EQ(Detail.IndexOfField("RecordType"), 0);
  EXPECT_EQ(Detail.IndexOfField("MemberSSN"), 1);
  EXPECT_EQ(Detail.IndexOfField("ContribContractPostTax"), 27);
  EXPECT_EQ(Trans.Header->IndexOfField("RecordType"), 0);
  EXPECT_EQ(Trans.Trailer->IndexOfField("RecordType"), 0);
  EXPECT_THROW(Trans.Header->GetAsString("MemberSSN"), Exception);
}

TEST(Layout, InitDetailTagsColumnsOneToFiveOnly) {
  TTransShort Trans;
  TRecord Detail(Trans.DetailLength, &Trans.FieldLists[2]);
  Trans.InitDetail(&Detail);
  EXPECT_EQ(std::string(Detail.Buffer, 326), "TRANS" + std::string(321, ' '));
  // Over a filled record, too: the tag replaces columns 1-5 and nothing else.
  std::fill(Detail.Buffer, Detail.Buffer + 326, 'x');
  Trans.InitDetail(&Detail);
  EXPECT_EQ(std::string(Detail.Buffer, 326), "TRANS" + std::string(321, 'x'));
}

class FileBytes : public testing::Test {
 protected:
  void SetUp() override { VersionText = "3.0.0"; }
  void TearDown() override { VersionText.clear(); }
  TFakeEnv FEnv;  // today 2004-09-15
  TTempDir FDir;
};

TEST_F(FileBytes, SizeIs154Plus328PerMember) {
  for (int Members : {0, 1, 7}) {
    TTransShort Trans;
    for (int i = 0; i < Members; ++i) AddMember(Trans);
    Trans.FileName = FDir.File("20040900.123");
    ASSERT_TRUE(Trans.SaveToFile(true));
    std::string Bytes = ReadBytes(Trans.FileName);
    EXPECT_EQ(Bytes.size(), 154u + 328u * static_cast<size_t>(Members));
    // Every line, the last included, ends in CR LF, and nothing else is in the file.
    EXPECT_EQ(Bytes.substr(52, 2), "\r\n");
    for (int i = 0; i < Members; ++i) EXPECT_EQ(Bytes.substr(54 + 328 * i + 326, 2), "\r\n");
    EXPECT_EQ(Bytes.substr(Bytes.size() - 2), "\r\n");
  }
}

TEST_F(FileBytes, ValidTwoMemberFileMatchesTheReferenceBytes) {
  TTransShort Trans;
  FillValidHeader(Trans);
  AddMember(Trans, "123456789", "Smith");
  AddMember(Trans, "987654321", "Jones");
  Trans.FileName = FDir.File("20040900.123");
  ASSERT_TRUE(Trans.SaveToFile(false)) << testing::PrintToString(ErrorList->Messages);
  const std::string Reference = ReadBytes(std::string(KSF_TEST_DATA_DIR) + "/20040900.123");
  ASSERT_EQ(Reference.size(), 810u);
  EXPECT_EQ(ReadBytes(Trans.FileName), Reference);

  // And the reference file reads back into the same records, without a rewrite.
  TTransShort Back;
  Back.FileName = FDir.File("20041000.123");
  WriteBytes(Back.FileName, Reference);
  ASSERT_TRUE(Back.LoadFromFile());
  ASSERT_EQ(Back.Details.Count(), 2);
  EXPECT_EQ(Back.Details[1]->GetAsString(fnLastName), "Jones");
  EXPECT_DOUBLE_EQ(Back.Trailer->GetAsFloat(fnTotalReceivables), 165.0);
  EXPECT_EQ(ReadBytes(Back.FileName), Reference);
}

}  // namespace
