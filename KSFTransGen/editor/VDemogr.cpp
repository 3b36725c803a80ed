#include "VDemogr.h"

#include "PTransShort.h"

TfrmMbrDetail* frmMbrDetail = nullptr;

// The member detail form's fields and checks come with the member commands.
TfrmMbrDetail::TfrmMbrDetail(QWidget* Owner) : QDialog(Owner) {
  setObjectName("frmMbrDetail");
  setWindowTitle("Member Detail");
}

namespace {
TRecord* CurrentMember() {
  if (Trans == nullptr || Trans->CurIndex < 0 || Trans->CurIndex >= Trans->Details.Count()) return nullptr;
  return Trans->Details[Trans->CurIndex];
}
}  // namespace

std::string GetCurrentFieldStr(const std::string& FieldName) {
  TRecord* Record = CurrentMember();
  return Record != nullptr ? Record->GetAsString(FieldName) : std::string();
}

double GetCurrentFieldFloat(const std::string& FieldName) {
  TRecord* Record = CurrentMember();
  return Record != nullptr ? Record->GetAsFloat(FieldName) : 0;
}

TDateTime GetCurrentFieldDate(const std::string& FieldName) {
  TRecord* Record = CurrentMember();
  return Record != nullptr ? Record->GetAsDateTime(FieldName) : 0;
}

void SetCurrentFieldStr(const std::string& FieldName, const std::string& Value) {
  if (TRecord* Record = CurrentMember()) Record->SetAsString(FieldName, Value);
}
