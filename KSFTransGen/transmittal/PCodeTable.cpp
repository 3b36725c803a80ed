#include "PCodeTable.h"

#include <memory>

#include "TextParse.h"

TFreeList<TCodeGroup>* CodeGroups = nullptr;

TCode::TCode(TCodeGroup* Group, int32_t Value, const std::string& ShortName,
             const std::string& Description, const std::string& Key, bool Flag1, bool Flag2)
    : Group(Group), Value(Value), ShortName(ShortName), Description(Description), Key(Key),
      Flag1(Flag1), Flag2(Flag2) {}

TCodeGroup::TCodeGroup(int32_t Id, const std::string& Name) : Id(Id), Name(Name) {}

namespace {

struct TCodeRow {
  int32_t Value;
  const char* ShortName;
  const char* Description;
  const char* Key;
};

// Row order is the order of the combo boxes: do not sort.
const TCodeRow KPrefixRows[] = {
    {0, "", "", ""},
    {1, "Dr.", "Doctor", "DR"},
    {2, "Miss", "Miss", "MISS"},
    {3, "Mr.", "Mister", "MR"},
    {4, "Mrs.", "Mrs.", "MRS"},
    {5, "Ms.", "Ms.", "MS"},
    {6, "Sir", "Sir", "SIR"},
};

const TCodeRow KSuffixRows[] = {
    {0, "", "", ""},
    {2, "Jr.", "Junior", "JR"},
    {3, "Ph.D.", "Ph.D.", "PHD"},
    {4, "Sr.", "Senior", "SR"},
    {5, "V", "The Fifth", "V"},
    {6, "I", "The First", "I"},
    {7, "IV", "The Fourth", "IV"},
    {8, "II", "The Second", "II"},
    {9, "III", "The Third", "III"},
};

const TCodeRow KGenderRows[] = {
    {3, "Unknown", "Unknown", "U"},
    {1, "Male", "Male", "M"},
    {2, "Female", "Female", "F"},
};

const TCodeRow KMaritalRows[] = {
    {6, "Unknown", "Unknown", "U"},
    {1, "Divorced", "Divorced", "D"},
    {2, "Married", "Married", "M"},
    {4, "Single", "Single", "S"},
    {5, "Widowed", "Widowed", "W"},
};

// The 50 states and the District of Columbia, by full name. No operation reads
// a state's Value; it is 0.
const TCodeRow KStateRows[] = {
    {0, "AL", "Alabama", "AL"},
    {0, "AK", "Alaska", "AK"},
    {0, "AZ", "Arizona", "AZ"},
    {0, "AR", "Arkansas", "AR"},
    {0, "CA", "California", "CA"},
    {0, "CO", "Colorado", "CO"},
    {0, "CT", "Connecticut", "CT"},
    {0, "DE", "Delaware", "DE"},
    {0, "DC", "District of Columbia", "DC"},
    {0, "FL", "Florida", "FL"},
    {0, "GA", "Georgia", "GA"},
    {0, "HI", "Hawaii", "HI"},
    {0, "ID", "Idaho", "ID"},
    {0, "IL", "Illinois", "IL"},
    {0, "IN", "Indiana", "IN"},
    {0, "IA", "Iowa", "IA"},
    {0, "KS", "Kansas", "KS"},
    {0, "KY", "Kentucky", "KY"},
    {0, "LA", "Louisiana", "LA"},
    {0, "ME", "Maine", "ME"},
    {0, "MD", "Maryland", "MD"},
    {0, "MA", "Massachusetts", "MA"},
    {0, "MI", "Michigan", "MI"},
    {0, "MN", "Minnesota", "MN"},
    {0, "MS", "Mississippi", "MS"},
    {0, "MO", "Missouri", "MO"},
    {0, "MT", "Montana", "MT"},
    {0, "NE", "Nebraska", "NE"},
    {0, "NV", "Nevada", "NV"},
    {0, "NH", "New Hampshire", "NH"},
    {0, "NJ", "New Jersey", "NJ"},
    {0, "NM", "New Mexico", "NM"},
    {0, "NY", "New York", "NY"},
    {0, "NC", "North Carolina", "NC"},
    {0, "ND", "North Dakota", "ND"},
    {0, "OH", "Ohio", "OH"},
    {0, "OK", "Oklahoma", "OK"},
    {0, "OR", "Oregon", "OR"},
    {0, "PA", "Pennsylvania", "PA"},
    {0, "RI", "Rhode Island", "RI"},
    {0, "SC", "South Carolina", "SC"},
    {0, "SD", "South Dakota", "SD"},
    {0, "TN", "Tennessee", "TN"},
    {0, "TX", "Texas", "TX"},
    {0, "UT", "Utah", "UT"},
    {0, "VT", "Vermont", "VT"},
    {0, "VA", "Virginia", "VA"},
    {0, "WA", "Washington", "WA"},
    {0, "WV", "West Virginia", "WV"},
    {0, "WI", "Wisconsin", "WI"},
    {0, "WY", "Wyoming", "WY"},
};

template <size_t N>
void AddGroup(const char* Name, const TCodeRow (&Rows)[N]) {
  auto Group = std::make_unique<TCodeGroup>(0, Name);
  for (const TCodeRow& Row : Rows) {
    // The empty rows have both flags off, every other row Flag2 on.
    const bool Filled = Row.ShortName[0] != '\0';
    Group->Codes.Add(std::make_unique<TCode>(Group.get(), Row.Value, Row.ShortName,
                                             Row.Description, Row.Key, false, Filled));
  }
  CodeGroups->Add(std::move(Group));
}

// The row, or nullptr for a group outside 0..4, a negative index or one past the table.
const TCode* CodeAt(int32_t Group, int32_t Index) {
  if (CodeGroups == nullptr || Group < 0 || Group >= CodeGroups->Count()) return nullptr;
  const TCodeGroup* G = (*CodeGroups)[Group];
  if (Index < 0 || Index >= G->Codes.Count()) return nullptr;
  return G->Codes[Index];
}

const TCodeGroup* GroupAt(int32_t Group) {
  if (CodeGroups == nullptr || Group < 0 || Group >= CodeGroups->Count()) return nullptr;
  return (*CodeGroups)[Group];
}

}  // namespace

void BuildCodeTables() {
  if (CodeGroups == nullptr) return;
  AddGroup("Name Prefix Type", KPrefixRows);
  AddGroup("Name Suffix Type", KSuffixRows);
  AddGroup("Gender Code", KGenderRows);
  AddGroup("Marital Status Code", KMaritalRows);
  AddGroup("State Code", KStateRows);
}

std::string GetCodeKey(int32_t Group, int32_t Index) {
  const TCode* Code = CodeAt(Group, Index);
  return Code ? Code->Key : std::string();
}

std::string GetCodeValue(int32_t Group, int32_t Index) {
  const TCode* Code = CodeAt(Group, Index);
  return Code ? std::to_string(Code->Value) : std::string();
}

std::string GetCodeShortName(int32_t Group, int32_t Index) {
  const TCode* Code = CodeAt(Group, Index);
  return Code ? Code->ShortName : std::string();
}

std::string GetCodeDescription(int32_t Group, int32_t Index) {
  const TCode* Code = CodeAt(Group, Index);
  return Code ? Code->Description : std::string();
}

int32_t IndexOfCodeValue(int32_t Group, const std::string& Text) {
  const TCodeGroup* G = GroupAt(Group);
  int32_t Value = 0;
  if (G == nullptr || !TryStrToDecimalInt(Text, Value)) return 0;
  for (int32_t i = 0; i < G->Codes.Count(); ++i)
    if (G->Codes[i]->Value == Value) return i;
  return 0;
}

int32_t IndexOfCodeKey(int32_t Group, const std::string& Text) {
  const TCodeGroup* G = GroupAt(Group);
  if (G == nullptr) return 0;
  for (int32_t i = 0; i < G->Codes.Count(); ++i)
    if (G->Codes[i]->Key == Text) return i;
  return 0;
}

std::string GetCodeShortNameByValue(int32_t Group, const std::string& Text) {
  if (GroupAt(Group) == nullptr) return std::string();
  return GetCodeShortName(Group, IndexOfCodeValue(Group, Text));
}

void PCodeTableInitialization() {
  if (CodeGroups != nullptr) return;  // runs once
  CodeGroups = new TFreeList<TCodeGroup>();
  BuildCodeTables();
}

void PCodeTableFinalization() {
  delete CodeGroups;
  CodeGroups = nullptr;
}
