#pragma once
// The member detail form: one member of the open transmittal, shown and edited
// field by field. Opened modally by the member commands of the preparation form.

#include <QDialog>
#include <string>

#include "Env.h"

class TfrmMbrDetail : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmMbrDetail(QWidget* Owner);
};

// The one member detail form, owned by the preparation form; null outside its life.
extern TfrmMbrDetail* frmMbrDetail;

// One field, by record field name, of the current member (Trans->Details at
// Trans->CurIndex). Without a current member: the empty text, 0, 0, or nothing.
std::string GetCurrentFieldStr(const std::string& FieldName);
double GetCurrentFieldFloat(const std::string& FieldName);
TDateTime GetCurrentFieldDate(const std::string& FieldName);
void SetCurrentFieldStr(const std::string& FieldName, const std::string& Value);
