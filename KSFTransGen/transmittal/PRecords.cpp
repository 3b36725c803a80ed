#include "PRecords.h"

#include <cstring>

TRecord::TRecord(int32_t RecordLength, TFieldList* Fields)
    : FLine(new char[static_cast<size_t>(RecordLength > 0 ? RecordLength : 0)]),
      RecordLength(RecordLength > 0 ? RecordLength : 0),
      Buffer(FLine.get()),
      Fields(Fields),
      Visible(true) {
  // Blank the whole line first, so that no column is ever left uninitialised,
  // then clear the fields in list order as every new record does.
  std::memset(Buffer, ' ', static_cast<size_t>(this->RecordLength));
  if (Fields != nullptr)
    for (TField* Field : *Fields) Field->Clear(Buffer);
}
int32_t TRecord::IndexOfField(const std::string& Name) const {
  if (Fields != nullptr)
    for (int32_t i = 0; i < Fields->Count(); ++i)
      if ((*Fields)[i]->Name == Name) return i;
  throw Exception("Invalid field name!");
}
const TField& TRecord::FieldByName(const std::string& Name) const {
  return *(*Fields)[IndexOfField(Name)];
}
std::string TRecord::GetAsString(const std::string& Name) const {
  return FieldByName(Name).GetAsString(Buffer);
}
TDateTime TRecord::GetAsDateTime(const std::string& Name) const {
  return FieldByName(Name).GetAsDateTime(Buffer);
}
int32_t TRecord::GetAsInteger(const std::string& Name) const {
  return FieldByName(Name).GetAsInteger(Buffer);
}
double TRecord::GetAsFloat(const std::string& Name) const {
  return FieldByName(Name).GetAsFloat(Buffer);
}
void TRecord::SetAsString(const std::string& Name, const std::string& Text) {
  FieldByName(Name).SetAsString(Buffer, Text);
}
void TRecord::SetAsDateTime(const std::string& Name, TDateTime Value) {
  FieldByName(Name).SetAsDateTime(Buffer, Value);
}
void TRecord::SetAsInteger(const std::string& Name, int32_t Value) {
  FieldByName(Name).SetAsInteger(Buffer, Value);
}
void TRecord::SetAsFloat(const std::string& Name, double Value) {
  FieldByName(Name).SetAsFloat(Buffer, Value);
}
bool TRecord::IsBlank(const std::string& Name) const { return FieldByName(Name).IsBlank(Buffer); }
bool TRecord::IsAlphaText(const std::string& Name) const {
  return FieldByName(Name).IsAlphaText(Buffer);
}
bool TRecord::IsAlphaNumText(const std::string& Name) const {
  return FieldByName(Name).IsAlphaNumText(Buffer);
}
bool TRecord::IsInteger(const std::string& Name) const {
  return FieldByName(Name).IsInteger(Buffer);
}
bool TRecord::IsValidDate(const std::string& Name) const {
  return FieldByName(Name).IsValidDate(Buffer);
}
