#pragma once
// A record: one line of a transmittal file in memory, read and written by field name.

#include <cstdint>
#include <memory>
#include <string>

#include "PFields.h"
#include "Utils.h"

using TFieldList = TFreeList<TField>;

class TRecord {
  // The storage of the line, which Buffer shows for the record's whole life.
  std::unique_ptr<char[]> FLine;

 public:
  int32_t RecordLength;
  // Exactly RecordLength single-byte characters, no terminator, owned by the record.
  char* const Buffer;
  // The field list of the record's type; shared, owned by the transmittal object.
  TFieldList* Fields;
  bool Visible;

  // A blank, visible record: every field of the list cleared in list order.
  TRecord(int32_t RecordLength, TFieldList* Fields);
  TRecord(const TRecord&) = delete;
  TRecord& operator=(const TRecord&) = delete;

  // The 0-based index of the field named exactly Name; raises "Invalid field name!".
  int32_t IndexOfField(const std::string& Name) const;
  // The field named Name; raises "Invalid field name!".
  const TField& FieldByName(const std::string& Name) const;

  std::string GetAsString(const std::string& Name) const;
  TDateTime GetAsDateTime(const std::string& Name) const;
  int32_t GetAsInteger(const std::string& Name) const;
  double GetAsFloat(const std::string& Name) const;
  void SetAsString(const std::string& Name, const std::string& Text);
  void SetAsDateTime(const std::string& Name, TDateTime Value);
  void SetAsInteger(const std::string& Name, int32_t Value);
  void SetAsFloat(const std::string& Name, double Value);
  bool IsBlank(const std::string& Name) const;
  bool IsAlphaText(const std::string& Name) const;
  bool IsAlphaNumText(const std::string& Name) const;
  bool IsInteger(const std::string& Name) const;
  bool IsValidDate(const std::string& Name) const;
};
