// The member commands below the grids and the grids' mouse shortcuts: Detail,
// Insert, Sort, Search, Show Errors and Show All. Each first writes pending grid
// edits to the file and ends by refilling the grids.
#include "VMain.h"

#include <QScrollBar>
#include <memory>

#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "GridColumns.h"
#include "StringGrid.h"
#include "Utils.h"
#include "VDemogr.h"
#include "VSearch.h"

bool HeaderClicked = false;

namespace {

// What Sort orders by for a grid column, and how the status line names it: the
// column's own field and sort label; a column that has none sorts by the SSN.
struct TSortKey {
  const std::string* Field;
  const char* Label;
};

TSortKey SortKeyOf(TGridColumns Columns, int32_t Col) {
  const TGridColumn* Column = ColumnAt(Columns, Col);
  if (Column == nullptr || Column->SortLabel == nullptr) return {&fnMemberSSN, "SSN"};
  return {Column->Field, Column->SortLabel};
}

// The allow-incomplete-saves box is ticked for one save and gets its state back
// on every way out, a save that raised included.
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

bool TfrmTrans::CommitGridEdits() {
  if (!FEditing || ReadOnlyMode || Trans->Details.Count() == 0) return true;
  // The command acts on the member the clerk picked. The save refills the
  // grids, and a refill or a sort may show that member in another row: it is
  // followed by its record, and both grids' rows follow it.
  const int32_t Picked = PickedMember();
  const TRecord* Member = Picked >= 0 ? Trans->Details[Picked] : nullptr;
  if (Picked >= 0) Trans->CurIndex = Picked;
  const int32_t DemogrCol = sgrDemogr->Col(), ContrCol = sgrContr->Col();
  bool Saved;
  {
    TForcedSave Forced(chbSaveError);
    Saved = SaveTransmittal();
  }
  // A save that failed has said so; going on would refill the grids and end
  // the editing state, leaving the edits in memory alone with nothing to offer
  // Save and nothing to ask on closing.
  if (!Saved) return false;
  const int32_t Index = Trans->Details.IndexOf(Member);
  if (Index >= 0) Trans->CurIndex = Index;
  ShowCurrentMemberInGrids();
  sgrDemogr->SetCol(DemogrCol);
  sgrContr->SetCol(ContrCol);
  return true;
}

// ---- the mouse ----

void SelectColumnAt(TStringGrid* Grid, int32_t X) {
  // Columns are counted from the first one, so a scrolled grid measures from
  // its scrolled-away part.
  X += Grid->horizontalScrollBar()->value();
  int32_t Total = 0;
  for (int32_t Col = 0; Col < Grid->ColCount(); ++Col) {
    Total += Grid->ColWidths(Col);
    if (Total >= X) {
      Grid->SetCol(Col);
      return;
    }
  }
  Grid->SetCol(Grid->ColCount() - 1);
}

namespace {

// The title row's height includes its grid line here, so a press on the line
// under the titles is still on the title row, and the first pixel below it is
// on the first member.
bool OnTitleRow(const TStringGrid* Grid, int32_t Y) { return Y < Grid->RowHeights(0); }

}  // namespace

void TfrmTrans::sgrDemogrMouseDown(TMouseButton, TShiftState, int32_t X, int32_t Y) {
  HeaderClicked = OnTitleRow(sgrDemogr, Y);
  if (!HeaderClicked) return;
  SelectColumnAt(sgrDemogr, X);
  bbnSortClick();
}

void TfrmTrans::sgrContrMouseDown(TMouseButton, TShiftState, int32_t X, int32_t Y) {
  HeaderClicked = OnTitleRow(sgrContr, Y);
  if (!HeaderClicked) return;
  SelectColumnAt(sgrContr, X);
  bbnSortClick();
}

void TfrmTrans::sgrDblClick() {
  if (!HeaderClicked) bbnEditClick();
}

// ---- the commands ----

void TfrmTrans::bbnInsertClick() {
  InsertMode = true;
  ShowMemberDetail();
}

void TfrmTrans::bbnEditClick() {
  if (VisibleRows.empty()) {
    Beep();
    return;
  }
  InsertMode = false;
  ShowMemberDetail();
}

void TfrmTrans::bbnSortClick() {
  if (!CommitGridEdits()) return;
  if (VisibleRows.empty()) {
    Beep();
    return;
  }
  THourglass Hourglass;
  const bool Demogr = pgcTrans->ActivePage() == tbsDemogr;
  const TSortKey Key = Demogr ? SortKeyOf(DemogrColumns, sgrDemogr->Col()) : SortKeyOf(ContrColumns, sgrContr->Col());
  Trans->SortByField(*Key.Field);
  RefreshGrids();
  StatusBar->SetPanelText(1, std::string("Sorted by ") + Key.Label +
                                 (Trans->SortOrder == 'A' ? " (Ascending)" : " (Descending)"));
}

void TfrmTrans::bbnShowErrClick() {
  if (!CommitGridEdits()) return;
  THourglass Hourglass;
  ErrorList->Clear();
  for (TRecord* Member : Trans->Details) Member->Visible = !Trans->ValidateDetail(Member);
  if (ErrorList->IsEmpty()) {
    Beep();
    Tell("No errors found");
    bbnShowAllClick();
    return;
  }
  ErrorList->Show();
  RefreshGrids();
  SyncGridSelection();
  StatusBar->SetPanelText(0, "Errors");
}

void TfrmTrans::bbnShowAllClick() {
  if (!CommitGridEdits()) return;
  THourglass Hourglass;
  for (TRecord* Member : Trans->Details) Member->Visible = true;
  RefreshGrids();
  SyncGridSelection();
  StatusBar->SetPanelText(0, "All");
}

void TfrmTrans::bbnSearchClick() {
  if (!CommitGridEdits()) return;
  {
    auto Dialog = std::make_unique<TfrmSearch>(this);
    frmSearch = Dialog.get();
    if (Dialog->ShowModal() == mrOk) RefreshGrids();
  }
  SyncGridSelection();
  const bool All = static_cast<int32_t>(VisibleRows.size()) >= Trans->Details.Count();
  StatusBar->SetPanelText(0, All ? "All" : "Filtered");
}

void TfrmTrans::ShowMemberDetail() {
  if (!CommitGridEdits()) return;
  if (InsertMode) bbnShowAllClick();
  frmMbrDetail->ShowModal();
  THourglass Hourglass;
  chbSaveError->SetChecked(frmMbrDetail->chbSaveError->Checked());
  // The refill keeps the member the detail form showed last, shown or not.
  const int32_t K = Trans->CurIndex;
  RefreshGrids();
  Trans->CurIndex = K;
  SyncGridSelection();
  if (Trans->Details.Count() == 0) {
    pgcTrans->SetActivePage(tbsTrans);
    pgcTransChange();
  }
}
