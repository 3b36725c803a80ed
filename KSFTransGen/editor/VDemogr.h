#pragma once
// The member detail form: one member of the open transmittal, shown and edited
// field by field. Opened modally by the member commands of the preparation form.
//
// Its sources, one concern each (as VMain's), none much above 500 lines:
// - VDemogr.cpp: the form and its states: creation and showing, the modes
//   (browse, edit, add, insert), record to form and back, First/Prior/Next/Last,
//   Insert, Delete, Save, Cancel, the save question and closing; and the
//   current-member accessors below.
// - VDemogrLayout.cpp: BuildLayout: the controls at their design places
//   (PlaceScaled), each with its name as object name, and the handlers bound.
// - VDemogrChecks.cpp: ValidateRecord: the field checks as one table, in their
//   order, each failure told by Refuse (Env.h).
// - VDemogrAmounts.cpp: the amounts grid stgAmt: its seven rows as a table of
//   TGridColumn (GridColumns.h: caption, field, look; a bold flag and a percent
//   look go at the end of that struct), its drawing, keys (IsEditingKey) and
//   edit detection (CurrentFieldDiffers); the date and address exit rules.

#include <QDialog>
#include <string>

#include "Env.h"
#include "GridColumns.h"

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
// A typed cell text differs from the current member's field behind the column,
// compared as the column's cell text says; a text that does not convert (a date
// or number that is none, an empty gender) differs. A last-and-first-name cell
// is never compared.
bool CurrentFieldDiffers(const TGridColumn& Column, const std::string& Typed);
