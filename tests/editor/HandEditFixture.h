#pragma once
// A transmittal file with hand-edit slips (values a clerk's text editor left in
// a member's columns that no box or cell of the editor can show), and a byte
// comparison of a saved file with the file before, field by field.

#include <string>
#include <vector>

#include "PFields.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "TransFormFixture.h"

// Raw bytes over one field of a member's line, padded with blanks to its width.
struct TSlip {
  const std::string* Field;
  const char* Bytes;
};

// One slip in every field the member detail form or the grids show, each a
// value the box or cell cannot show as it is. None is blank, so loading fills
// no default and rewrites nothing.
inline const std::vector<TSlip>& HandEditSlips() {
  static const std::vector<TSlip> Slips = {
      {&fnMemberSSN, "12345678O"},  // a letter O for a zero
      {&fnNamePrefix, "7"},         // no prefix row has 7
      {&fnLastName, " Smith"},      // a leading blank
      {&fnNameSuffix, "1"},         // no suffix row has 1
      {&fnGenderCD, "4"},           // shown as Unknown (3)
      {&fnBirthDate, "1/15/70 "},   // a date as typed, not MMDDYYYY
      {&fnMaritalStatusCD, "9"},    // shown as Unknown (6)
      {&fnAddressState, "ZZ"},      // no state row has ZZ
      {&fnAddressZip, "1220A"},     // a letter in the ZIP
      {&fnAddressZip4, "12-4"},     // a hyphen in the ZIP+4
      {&fnAddressEffectiveDate, "9/1/04  "},
      {&fnAddressEMail, " ann@example.org"},
      {&fnPhoneAreaCode, "5-1"},
      {&fnPhoneNumber, "555-123"},  // six digits and a hyphen
      {&fnExtension, "x12"},
      {&fnSalaryPensionAmount, "1000.00"},  // amounts with their decimal point read as 0
      {&fnSalaryEarnableAmount, "1000.00"},
      {&fnSalaryEarnableUnitsWorked, "100.0"},
      {&fnContribEmployeePreTax, "70.00"},
      {&fnContribEmployerPreTax, "12.50"},
  };
  return Slips;
}

// The descriptor of a field of the header (List 0), the trailer (1) or a member (2).
inline const TField& LayoutField(int List, const std::string& Name) {
  static const TTransShort Layout;
  for (const TField* Field : Layout.FieldLists[List])
    if (Field->Name == Name) return *Field;
  qFatal("no field %s", Name.c_str());
}

// Where a line starts in a file: 0 the header, k member k, -1 the trailer.
inline size_t LineStart(const std::string& File, int Line) {
  if (Line == 0) return 0;
  if (Line > 0) return 54 + static_cast<size_t>(Line - 1) * 328;
  return File.size() - 100;
}

inline int ListOfLine(int Line) { return Line == 0 ? 0 : Line < 0 ? 1 : 2; }

// Writes the members, then puts the slips over member Number's fields.
inline void WriteWithSlips(const TTestFolder& Folder, const std::string& Name,
                           const std::vector<TTestMember>& Members, int Number,
                           const std::vector<TSlip>& Slips = HandEditSlips()) {
  Folder.Write(Name, Members);
  std::string File = Folder.Read(Name);
  for (const TSlip& Slip : Slips) {
    const TField& F = LayoutField(2, *Slip.Field);
    std::string Bytes = Slip.Bytes;
    Bytes.resize(static_cast<size_t>(F.Length), ' ');
    File.replace(LineStart(File, Number) + static_cast<size_t>(F.Start - 1), Bytes.size(), Bytes);
  }
  WriteBytes(Folder.Path(Name), File);
}

// A field a save is expected to change, and the bytes it must then hold
// (padded with blanks to the field's width).
struct TChange {
  int Line;  // 0 the header, k member k, -1 the trailer
  const std::string* Field;
  std::string Bytes;
};

// Empty when After is Before but for the expected changes, which hold their
// bytes, and for what every save recomputes: the header's creation date and the
// trailer's count, totals, name and version. Otherwise the first difference,
// named by its line and field.
inline std::string UnexpectedDifference(const std::string& Before, const std::string& After,
                                        const std::vector<TChange>& Changes) {
  if (Before.size() != After.size())
    return "the file has " + std::to_string(After.size()) + " bytes, not " +
           std::to_string(Before.size());
  std::vector<bool> Free(Before.size(), false);
  auto Range = [&](int Line, const std::string& Name, size_t& From, size_t& Width) {
    const TField& F = LayoutField(ListOfLine(Line), Name);
    From = LineStart(Before, Line) + static_cast<size_t>(F.Start - 1);
    Width = static_cast<size_t>(F.Length);
  };
  auto Allow = [&](int Line, const std::string& Name) {
    size_t From, Width;
    Range(Line, Name, From, Width);
    for (size_t I = From; I < From + Width; ++I) Free[I] = true;
  };
  Allow(0, fnBatchCreateDate);
  for (const std::string* Name :
       {&fnTotalRecCount, &fnTotalEmplContribAmt, &fnTotalEmplrContribAmt, &fnTotalVolContribAmt,
        &fnTotalCntrctPayAmt, &fnTotalReceivables, &fnFileName, &fnVersion})
    Allow(-1, *Name);
  for (const TChange& C : Changes) {
    size_t From, Width;
    Range(C.Line, *C.Field, From, Width);
    std::string Bytes = C.Bytes;
    Bytes.resize(Width, ' ');
    if (After.compare(From, Width, Bytes) != 0)
      return "line " + std::to_string(C.Line) + " " + *C.Field + " holds \"" +
             After.substr(From, Width) + "\", not \"" + Bytes + "\"";
    Allow(C.Line, *C.Field);
  }
  for (size_t I = 0; I < Before.size(); ++I) {
    if (Free[I] || Before[I] == After[I]) continue;
    // Name the field the byte belongs to.
    const int Line = I < 54                     ? 0
                     : I >= Before.size() - 100 ? -1
                                                : static_cast<int>((I - 54) / 328) + 1;
    const size_t Column = I - LineStart(Before, Line) + 1;
    static const TTransShort Layout;
    for (const TField* F : Layout.FieldLists[ListOfLine(Line)])
      if (Column >= static_cast<size_t>(F->Start) &&
          Column < static_cast<size_t>(F->Start + F->Length)) {
        const size_t From = LineStart(Before, Line) + static_cast<size_t>(F->Start - 1);
        const size_t Width = static_cast<size_t>(F->Length);
        return "line " + std::to_string(Line) + " " + F->Name + ": \"" +
               Before.substr(From, Width) + "\" became \"" + After.substr(From, Width) + "\"";
      }
    return "line " + std::to_string(Line) + " column " + std::to_string(Column) + " changed";
  }
  return std::string();
}
