#include "VDemogr.h"

#include "PTransShort.h"
#include "Utils.h"

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

bool CurrentFieldDiffers(const TGridColumn& Column, const std::string& Typed) {
  // A text that does not convert is told by the parse's answer, not by an error:
  // an error raised here (a column naming no field of the record) is a fault of
  // the program, for the error box, never a difference.
  const std::string& Field = *Column.Field;
  switch (Column.Text) {
    case TCellText::Text:
      return UpperCase(Trim(Typed)) != UpperCase(GetCurrentFieldStr(Field));
    case TCellText::Date: {
      TDateTime Date;
      return !TryStrToDate(UpperCase(Trim(Typed)), Date) || Date != GetCurrentFieldDate(Field);
    }
    case TCellText::Amount: {
      long double Value;
      return !TryStrToFloat(Typed, Value) || !FloatEquals(Value, GetCurrentFieldFloat(Field));
    }
    case TCellText::GenderWord: {
      const std::string V = UpperCase(Trim(Typed));
      return V.empty() || GenderCodeOfText(V) != GetCurrentFieldStr(Field);
    }
    case TCellText::LastFirst:
      return false;
  }
  return false;
}
