#pragma once
// The fixed code tables of the member fields that hold codes (name prefix,
// name suffix, gender, marital status, state) and their lookups. Built once at
// start-up, read-only afterwards. A group index outside 0..4, a row index out
// of range, or a value or key no row has is never an error: each lookup has a
// fallback (an empty text or row 0).

#include <cstdint>
#include <string>

#include "Utils.h"

class TCodeGroup;

// One row of a code table.
class TCode {
 public:
  TCodeGroup* Group;  // the owning table; not owned
  int32_t Value;      // the code number stored in a member record
  std::string ShortName;
  std::string Description;
  std::string Key;    // upper case; for states the USPS code stored in a member record
  bool Flag1;
  bool Flag2;

  TCode(TCodeGroup* Group, int32_t Value, const std::string& ShortName,
        const std::string& Description, const std::string& Key, bool Flag1, bool Flag2);
};

// One code table; the row index is the position in Codes.
class TCodeGroup {
 public:
  int32_t Id;
  std::string Name;
  TFreeList<TCode> Codes;

  TCodeGroup(int32_t Id, const std::string& Name);
};

// The group indexes of CodeGroups.
enum : int32_t {
  cgNamePrefix = 0,
  cgNameSuffix = 1,
  cgGender = 2,
  cgMaritalStatus = 3,
  cgState = 4,
};

// The five tables, addressed by group index; built by PCodeTableInitialization.
extern TFreeList<TCodeGroup>* CodeGroups;

// Appends the five tables to CodeGroups in group order.
void BuildCodeTables();

// Column Key / Value (as decimal text) / ShortName / Description of row Index;
// empty for a group outside 0..4 or an index outside the table.
std::string GetCodeKey(int32_t Group, int32_t Index);
std::string GetCodeValue(int32_t Group, int32_t Index);
std::string GetCodeShortName(int32_t Group, int32_t Index);
std::string GetCodeDescription(int32_t Group, int32_t Index);
// The first row whose Value equals Text read as a decimal integer (leading
// blanks and a sign allowed, nothing after the digits); 0 when the text is no
// integer, no row matches or the group is outside 0..4.
int32_t IndexOfCodeValue(int32_t Group, const std::string& Text);
// The first row whose Key equals Text exactly (case-sensitive); 0 when none does.
int32_t IndexOfCodeKey(int32_t Group, const std::string& Text);
// ShortName of the row IndexOfCodeValue finds (row 0's when none matches);
// empty for a group outside 0..4.
std::string GetCodeShortNameByValue(int32_t Group, const std::string& Text);

// The unit's start-up and shut-down steps: create and build CodeGroups / free it.
void PCodeTableInitialization();
void PCodeTableFinalization();
