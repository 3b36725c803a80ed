#pragma once
// Small builders for transmittal tests: a temporary folder, whole-file reads and
// writes, and members that pass every validation rule (with today 2004-09-15).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PPropertyNames.h"
#include "PTransShort.h"

// A fresh folder under the system's temporary folder, removed with its content.
class TTempDir {
 public:
  TTempDir() {
    std::string Template = (std::filesystem::temp_directory_path() / "ksf-test-XXXXXX").string();
    if (::mkdtemp(Template.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Path = Template;
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  ~TTempDir() {
    std::error_code Ignored;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Ignored);
    std::filesystem::remove_all(Path, Ignored);
  }

  // The path of a file inside the folder.
  std::string File(const std::string& Name) const { return Path + "/" + Name; }
  // The names of the folder's entries, hidden ones included.
  std::vector<std::string> Entries() const {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Path))
      Names.push_back(Entry.path().filename().string());
    return Names;
  }

  std::string Path;
};

inline std::string ReadBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

// A member that breaks no rule, with today 2004-09-15: pensionable and earnable
// 1000.00, FTE% 100.00, regular 70.00, health 12.50.
inline void FillValidMember(TRecord* Record, const std::string& SSN = "123456789",
                            const std::string& LastName = "Smith") {
  Record->SetAsString(fnRecordType, "TRANS");
  Record->SetAsString(fnMemberSSN, SSN);
  Record->SetAsString(fnNamePrefix, "3");
  Record->SetAsString(fnLastName, LastName);
  Record->SetAsString(fnFirstName, "John");
  Record->SetAsString(fnMiddleName, "");
  Record->SetAsString(fnNameSuffix, "0");
  Record->SetAsString(fnGenderCD, "1");
  Record->SetAsString(fnBirthDate, "01/15/1970");
  Record->SetAsString(fnMaritalStatusCD, "2");
  Record->SetAsString(fnAddressLine1, "12 Main St.");
  Record->SetAsString(fnAddressCity, "Albany");
  Record->SetAsString(fnAddressState, "NY");
  Record->SetAsString(fnAddressZip, "12207");
  Record->SetAsString(fnAddressEffectiveDate, "09/01/2004");
  Record->SetAsFloat(fnSalaryPensionAmount, 1000);
  Record->SetAsFloat(fnSalaryEarnableAmount, 1000);
  Record->SetAsFloat(fnSalaryEarnableUnitsWorked, 100);
  Record->SetAsFloat(fnContribEmployeePreTax, 70);
  Record->SetAsFloat(fnContribEmployerPreTax, 12.5);
  Record->SetAsFloat(fnContribVoluntaryPostTax, 0);
  Record->SetAsFloat(fnContribContractPostTax, 0);
}

// Appends a valid member to the transmittal and returns it (owned by the list).
inline TRecord* AddMember(TTransShort& T, const std::string& SSN = "123456789",
                          const std::string& LastName = "Smith") {
  auto Record = std::make_unique<TRecord>(T.DetailLength, &T.FieldLists[2]);
  T.InitDetail(Record.get());
  FillValidMember(Record.get(), SSN, LastName);
  TRecord* Raw = Record.get();
  T.Details.Add(std::move(Record));
  return Raw;
}

// A header that passes validation for employer 123.
inline void FillValidHeader(TTransShort& T, const std::string& Name = "Lakeside School") {
  T.Header->SetAsString(fnEmployerID, "123");
  T.Header->SetAsString(fnBatchEmployerName, Name);
  T.Header->SetAsString(fnBatchCreateDate, "09/15/2004");
  T.Header->SetAsString(fnBatchMonth, "09");
  T.Header->SetAsString(fnBatchYear, "2004");
}

// A read problem's kind by its name in a failing test's message.
inline void PrintTo(TReadProblem::TKind Kind, std::ostream* Out) {
  static const char* const Names[] = {"None",      "CutShort",          "AmountBeyond", "TotalBeyond",
                                      "CountBeyond", "MergedTotalBeyond", "Missing",      "Unreadable"};
  *Out << Names[static_cast<int>(Kind)];
}
