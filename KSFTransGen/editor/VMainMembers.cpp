// The member commands below the grids. The detail form, the search and the
// filters come with the member list work; until then the commands do only what
// the file commands rely on.
#include "VMain.h"

#include "PTransShort.h"

void TfrmTrans::bbnInsertClick() {}

void TfrmTrans::bbnEditClick() {
  if (VisibleRows.empty()) Beep();
}

void TfrmTrans::bbnSortClick() {}
void TfrmTrans::bbnSearchClick() {}
void TfrmTrans::bbnShowErrClick() {}
void TfrmTrans::bbnShowAllClick() {}

void TfrmTrans::CommitGridEdits() {
  if (!FEditing) return;
  const bool Was = chbSaveError->Checked();
  chbSaveError->SetChecked(true);
  SaveTransmittal();
  chbSaveError->SetChecked(Was);
}
