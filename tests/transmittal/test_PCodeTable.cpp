// The code tables as start-up builds them, and the lookups with their fallbacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "PCodeTable.h"

namespace {

std::vector<std::string> ShortNames(int32_t Group) {
  std::vector<std::string> Names;
  for (const TCode* Code : (*CodeGroups)[Group]->Codes) Names.push_back(Code->ShortName);
  return Names;
}

}  // namespace

TEST(CodeTables, FiveGroupsInOrderWithTheirRowCounts) {
  ASSERT_NE(CodeGroups, nullptr);
  ASSERT_EQ(CodeGroups->Count(), 5);
  struct Case {
    int32_t Group;
    std::string Name;
    int32_t Rows;
  };
  const std::vector<Case> Cases = {
      {cgNamePrefix, "Name Prefix Type", 7},  {cgNameSuffix, "Name Suffix Type", 9},
      {cgGender, "Gender Code", 3},           {cgMaritalStatus, "Marital Status Code", 5},
      {cgState, "State Code", 51},
  };
  for (const Case& C : Cases) {
    const TCodeGroup* Group = (*CodeGroups)[C.Group];
    EXPECT_EQ(Group->Name, C.Name);
    EXPECT_EQ(Group->Id, 0);
    EXPECT_EQ(Group->Codes.Count(), C.Rows) << C.Name;
    for (const TCode* Code : Group->Codes) {
      EXPECT_EQ(Code->Group, Group);
      EXPECT_FALSE(Code->Flag1);
      // Only the empty rows have Flag2 off.
      EXPECT_EQ(Code->Flag2, !Code->ShortName.empty()) << C.Name << " " << Code->ShortName;
    }
  }
}

// The combo boxes list the rows in table order.
TEST(CodeTables, RowsComeInTheOrderTheCombosShow) {
  EXPECT_EQ(ShortNames(cgNamePrefix),
            (std::vector<std::string>{"", "Dr.", "Miss", "Mr.", "Mrs.", "Ms.", "Sir"}));
  EXPECT_EQ(ShortNames(cgNameSuffix),
            (std::vector<std::string>{"", "Jr.", "Ph.D.", "Sr.", "V", "I", "IV", "II", "III"}));
  EXPECT_EQ(ShortNames(cgGender), (std::vector<std::string>{"Unknown", "Male", "Female"}));
  EXPECT_EQ(ShortNames(cgMaritalStatus),
            (std::vector<std::string>{"Unknown", "Divorced", "Married", "Single", "Widowed"}));

  struct Row {
    int32_t Group, Index, Value;
    std::string Description, Key;
  };
  const std::vector<Row> Rows = {
      {cgNamePrefix, 0, 0, "", ""},          {cgNamePrefix, 1, 1, "Doctor", "DR"},
      {cgNamePrefix, 3, 3, "Mister", "MR"},  {cgNamePrefix, 6, 6, "Sir", "SIR"},
      {cgNameSuffix, 1, 2, "Junior", "JR"},  {cgNameSuffix, 2, 3, "Ph.D.", "PHD"},
      {cgNameSuffix, 4, 5, "The Fifth", "V"}, {cgNameSuffix, 8, 9, "The Third", "III"},
      {cgGender, 0, 3, "Unknown", "U"},      {cgGender, 2, 2, "Female", "F"},
      {cgMaritalStatus, 0, 6, "Unknown", "U"}, {cgMaritalStatus, 3, 4, "Single", "S"},
      {cgMaritalStatus, 4, 5, "Widowed", "W"},
  };
  for (const Row& R : Rows) {
    const TCode* Code = (*CodeGroups)[R.Group]->Codes[R.Index];
    EXPECT_EQ(Code->Value, R.Value) << R.Group << "/" << R.Index;
    EXPECT_EQ(Code->Description, R.Description) << R.Group << "/" << R.Index;
    EXPECT_EQ(Code->Key, R.Key) << R.Group << "/" << R.Index;
  }
}

TEST(CodeTables, StatesAreTheFiftyAndDcByFullName) {
  const TCodeGroup* States = (*CodeGroups)[cgState];
  std::vector<std::string> Names;
  std::set<std::string> Keys;
  for (const TCode* Code : States->Codes) {
    Names.push_back(Code->Description);
    Keys.insert(Code->Key);
    EXPECT_EQ(Code->ShortName, Code->Key);
    ASSERT_EQ(Code->Key.size(), 2u) << Code->Description;
    EXPECT_TRUE(std::all_of(Code->Key.begin(), Code->Key.end(),
                            [](char c) { return c >= 'A' && c <= 'Z'; }))
        << Code->Key;
  }
  EXPECT_TRUE(std::is_sorted(Names.begin(), Names.end()));
  EXPECT_EQ(Keys.size(), 51u);
  EXPECT_EQ(Names.front(), "Alabama");
  EXPECT_EQ(Names.back(), "Wyoming");
  struct Case {
    std::string Key, Description;
  };
  const std::vector<Case> Cases = {{"AL", "Alabama"},        {"AK", "Alaska"},
                                   {"DC", "District of Columbia"}, {"IA", "Iowa"},
                                   {"NY", "New York"},       {"WV", "West Virginia"}};
  for (const Case& C : Cases)
    EXPECT_EQ(GetCodeDescription(cgState, IndexOfCodeKey(cgState, C.Key)), C.Description)
        << C.Key;
}

// Every lookup with the text it is given and what it answers, fallbacks included.
TEST(CodeLookups, AnswerOrFallBack) {
  enum TLookup { Key, Value, ShortName, Description, IndexOfValue, IndexOfKey, ShortByValue };
  struct Case {
    TLookup Lookup;
    int32_t Group;
    int32_t Index;     // for the four column lookups
    std::string Text;  // for the three searches
    std::string Expected;
  };
  const std::vector<Case> Cases = {
      // Columns of a row.
      {Value, cgNamePrefix, 0, "", "0"},
      {Value, cgGender, 0, "", "3"},
      {Value, cgNameSuffix, 1, "", "2"},
      {ShortName, cgNameSuffix, 3, "", "Sr."},
      {Key, cgState, 0, "", "AL"},
      {Key, cgState, 50, "", "WY"},
      {Description, cgState, 8, "", "District of Columbia"},
      // Past the rows, before them, or outside the groups: empty.
      {Key, cgState, 51, "", ""},
      {Value, cgGender, 3, "", ""},
      {ShortName, cgNamePrefix, 7, "", ""},
      {Description, cgState, -1, "", ""},
      {Key, 5, 0, "", ""},
      {Value, 5, 0, "", ""},
      {ShortName, -1, 0, "", ""},
      {Description, 5, 0, "", ""},
      // Searching a code number: unlisted or no number selects row 0.
      {IndexOfValue, cgNamePrefix, 0, "", "0"},
      {IndexOfValue, cgNamePrefix, 0, "4", "4"},
      {IndexOfValue, cgNameSuffix, 0, "1", "0"},  // no suffix has code 1
      {IndexOfValue, cgNameSuffix, 0, "9", "8"},
      {IndexOfValue, cgMaritalStatus, 0, "0", "0"},
      {IndexOfValue, cgMaritalStatus, 0, "4", "3"},
      {IndexOfValue, cgGender, 0, "3", "0"},
      {IndexOfValue, cgGender, 0, "1", "1"},
      {IndexOfValue, cgGender, 0, " 2", "2"},  // leading blanks allowed
      {IndexOfValue, cgGender, 0, "+2", "2"},
      {IndexOfValue, cgGender, 0, "2 ", "0"},  // nothing after the digits
      {IndexOfValue, cgGender, 0, "x", "0"},
      {IndexOfValue, cgGender, 0, "$2", "0"},  // decimal only, no hexadecimal forms
      {IndexOfValue, cgGender, 0, "0x1", "0"},
      {IndexOfValue, cgGender, 0, "-", "0"},
      {IndexOfValue, cgGender, 0, "99999999999999999999", "0"},
      {IndexOfValue, 5, 0, "1", "0"},
      // Searching a key: exact, case-sensitive.
      {IndexOfKey, cgState, 0, "AK", "1"},
      {IndexOfKey, cgState, 0, "WY", "50"},
      {IndexOfKey, cgState, 0, "ak", "0"},
      {IndexOfKey, cgState, 0, "", "0"},
      {IndexOfKey, cgState, 0, "1", "0"},
      {IndexOfKey, cgState, 0, "AK ", "0"},
      {IndexOfKey, cgNamePrefix, 0, "MRS", "4"},
      {IndexOfKey, 5, 0, "AK", "0"},
      // The report's word for a stored code.
      {ShortByValue, cgGender, 0, "2", "Female"},
      {ShortByValue, cgGender, 0, "7", "Unknown"},
      {ShortByValue, cgGender, 0, "", "Unknown"},
      {ShortByValue, cgNamePrefix, 0, "0", ""},
      {ShortByValue, cgNamePrefix, 0, "3", "Mr."},
      {ShortByValue, cgNameSuffix, 0, "6", "I"},
      {ShortByValue, 5, 0, "1", ""},
  };
  for (const Case& C : Cases) {
    std::string Got;
    switch (C.Lookup) {
      case Key: Got = GetCodeKey(C.Group, C.Index); break;
      case Value: Got = GetCodeValue(C.Group, C.Index); break;
      case ShortName: Got = GetCodeShortName(C.Group, C.Index); break;
      case Description: Got = GetCodeDescription(C.Group, C.Index); break;
      case IndexOfValue: Got = std::to_string(IndexOfCodeValue(C.Group, C.Text)); break;
      case IndexOfKey: Got = std::to_string(IndexOfCodeKey(C.Group, C.Text)); break;
      case ShortByValue: Got = GetCodeShortNameByValue(C.Group, C.Text); break;
    }
    EXPECT_EQ(Got, C.Expected) << "lookup " << C.Lookup << " group " << C.Group << " index "
                               << C.Index << " text \"" << C.Text << "\"";
  }
}

// A stored code read into a combo row and written back gives the same code.
TEST(CodeLookups, RowAndStoredCodeRoundTrip) {
  for (int32_t Group = cgNamePrefix; Group <= cgMaritalStatus; ++Group)
    for (int32_t Row = 0; Row < (*CodeGroups)[Group]->Codes.Count(); ++Row)
      EXPECT_EQ(IndexOfCodeValue(Group, GetCodeValue(Group, Row)), Row) << Group << "/" << Row;
  for (int32_t Row = 0; Row < (*CodeGroups)[cgState]->Codes.Count(); ++Row)
    EXPECT_EQ(IndexOfCodeKey(cgState, GetCodeKey(cgState, Row)), Row) << Row;
}
