// The member detail form's commands: the save question, saving a member (adding
// a new one to the list first), Insert, Delete, Cancel and the close query.

#include <memory>

#include "MaskEdit.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "StringGrid.h"
#include "VDemogr.h"
#include "VMain.h"

namespace {

// HeaderOnly is set for one forced save of a file without members and must never
// stay set: a later validation would then skip every member.
class THeaderOnlyScope {
 public:
  THeaderOnlyScope() { HeaderOnly = true; }
  ~THeaderOnlyScope() { HeaderOnly = false; }
  THeaderOnlyScope(const THeaderOnlyScope&) = delete;
  THeaderOnlyScope& operator=(const THeaderOnlyScope&) = delete;
};

// Ticks a box for one save and gives it its earlier state back on every way out.
class TForcedSave {
 public:
  explicit TForcedSave(TCheckBox* Box) : FBox(Box), FWas(Box->Checked()) { FBox->SetChecked(true); }
  ~TForcedSave() { FBox->SetChecked(FWas); }
  TForcedSave(const TForcedSave&) = delete;
  TForcedSave& operator=(const TForcedSave&) = delete;

 private:
  TCheckBox* FBox;
  bool FWas;
};

}  // namespace

bool TfrmMbrDetail::ConfirmSave() {
  if (!IsEditing()) return true;
  switch (AskYesNoCancel("Save the current record?", "Member Detail")) {
    case mrYes:
      return SaveRecord();
    case mrNo:
      bbnCancelClick();
      return true;
    default:
      return false;
  }
}

bool TfrmMbrDetail::AddNewRecord() {
  const int32_t Remembered = Trans->CurIndex;
  Trans->CurIndex = Trans->Details.Count();
  auto Record = std::make_unique<TRecord>(Trans->DetailLength, &Trans->FieldLists[2]);
  Trans->InitDetail(Record.get());
  TRecord* Added = Record.get();
  Trans->Details.Add(std::move(Record));
  try {
    FormToRecord();
    Mode = 'I';  // the status and the buttons stay as for a new member
    if (frmTrans != nullptr) frmTrans->RefreshGrids();
  } catch (...) {
    // The member is not in the file, so it must not stay in the list either.
    const int32_t At = Trans->Details.IndexOf(Added);
    if (At >= 0) delete Trans->Details.Extract(At);
    Mode = 'A';
    // The grids must not keep a row for the record just removed.
    try {
      if (frmTrans != nullptr) frmTrans->RefreshGrids();
    } catch (...) {
    }
    Trans->CurIndex = Remembered;
    throw;
  }
  return true;
}

bool TfrmMbrDetail::SaveRecord() {
  THourglass Hourglass;
  // An amount that is no number would be stored as 0, in memory and then on
  // disk, whether or not the checks run: the save is refused before anything
  // of the member is stored (a new one is not added). With the checks on, the
  // member's own check of that amount, or one before it, tells the clerk.
  if (const int32_t Row = FirstUnstorableAmount(); Row >= 0) {
    if (chbSaveError->Checked() || ValidateRecord()) RefuseUnstorableAmount(Row);
    return false;
  }
  if (Mode == 'A')
    AddNewRecord();
  else
    FormToRecord();
  if (!chbSaveError->Checked() && !ValidateRecord()) return false;
  const bool Saved = frmTrans != nullptr && frmTrans->SaveTransmittal();
  // A member that could not be written stays as typed and being edited (a new
  // one stays in the list, mode I, so that the next Save does not add it again):
  // shown as saved, it would be lost without a question at the next close.
  if (Saved) RecordToForm();
  return Saved;
}

void TfrmMbrDetail::bbnSaveClick() { SaveRecord(); }

void TfrmMbrDetail::bbnInsertClick() {
  if (!ConfirmSave()) return;
  if (frmTrans != nullptr) frmTrans->bbnShowAllClick();
  ClearFields();
  mskSSN->setFocus();
}

void TfrmMbrDetail::bbnDelClick() {
  const int32_t Index = Trans->CurIndex;
  if (Index < 0 || Index >= Trans->Details.Count()) throw Exception("Invalid delete");
  const std::string SSN = Trans->Details[Index]->GetAsString(fnMemberSSN);
  if (!Ask("Are you sure that you want to delete member \"" + FormatSSN(SSN) + "\"?",
           TMsgIcon::None))
    return;

  // The record is kept until the file no longer holds the member: when that save
  // fails, the member comes back in memory as it still is on disk.
  std::unique_ptr<TRecord> Deleted(Trans->Details.Extract(Index));
  auto PutBack = [&] {
    Trans->Details.Insert(Index, std::move(Deleted));
    Trans->CurIndex = Index;
  };

  if (Trans->CurIndex >= Trans->Details.Count()) {
    if (Trans->Details.Count() == 0) {
      bool Saved;
      try {
        THeaderOnlyScope Scope;
        Saved = Trans->SaveToFile(true);
      } catch (...) {
        PutBack();
        RecordToForm();
        throw;
      }
      if (!Saved) {
        PutBack();
        RecordToForm();
        Refuse("Coudn't save the file!", TMsgIcon::Warning);
        return;
      }
      bbnInsertClick();
      return;
    }
    Trans->CurIndex -= 1;
  }

  bool Closing = false;
  if (!SeekVisibleBackward() && !SeekVisibleForward()) {
    // No visible member is left: every member is shown again and the form closes
    // once this operation has ended.
    if (frmTrans != nullptr) frmTrans->bbnShowAllClick();
    Close();
    Closing = true;
  }
  RecordToForm();
  if (frmTrans != nullptr) frmTrans->RefreshGrids();

  bool Saved = false;
  try {
    TForcedSave Forced(chbSaveError);
    Saved = SaveRecord();
  } catch (...) {
    PutBack();
    RecordToForm();
    if (frmTrans != nullptr) frmTrans->RefreshGrids();
    if (Closing) SetModalResult(mrNone);
    throw;
  }
  if (!Saved) {
    // The save has told of its failure; the member is still in the file.
    PutBack();
    RecordToForm();
    if (frmTrans != nullptr) frmTrans->RefreshGrids();
    if (Closing) SetModalResult(mrNone);
  }
}

void TfrmMbrDetail::bbnCancelClick() {
  if ((Mode == 'A' || Mode == 'I') && Trans->Details.Count() == 0) {
    // The new member is dropped as it is: the close that follows must not ask
    // whether to save what the clerk has just cancelled.
    SetMode('B');
    Close();
    return;
  }
  THourglass Hourglass;
  // A file never written reads as no members, so the unsaved member goes too. A
  // read that stops short leaves the file read-only, in both forms.
  if (IsEditing() && frmTrans != nullptr) frmTrans->ReloadForCancel(chbSaveError);
  RecordToForm();
  if (frmTrans != nullptr) frmTrans->RefreshGrids();
  ApplyReadOnlyMode();
  stgAmt->SetEditorMode(false);
}

bool TfrmMbrDetail::FormCloseQuery() {
  if (!ConfirmSave()) return false;
  const std::string SSN = mskSSN->Text();
  Trans->Resort();
  for (int32_t I = 0; I < Trans->Details.Count(); ++I)
    if (Trans->Details[I]->GetAsString(fnMemberSSN) == SSN) {
      Trans->CurIndex = I;
      break;
    }
  RecordToForm();
  if (frmTrans != nullptr) {
    if (Trans->Details.Count() == 0) frmTrans->pgcTrans->SetActivePage(frmTrans->tbsTrans);
    frmTrans->chbSaveError->SetChecked(chbSaveError->Checked());
  }
  return true;
}
