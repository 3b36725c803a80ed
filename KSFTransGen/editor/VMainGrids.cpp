// The member grids: their columns, set-up, filling, drawing, typing, edit
// detection and the copying of typed cells into the member records.
#include "VMain.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScrollBar>

#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "VDemogr.h"

namespace {

// clang-format off
const TGridColumn DemogrTable[] = {
//  title          width  field                         cell text               drawn as               edit mask               typing  stored  sorted as             widest text
  {"Last Name",      0,   &fnLastName,                  TCellText::Text,        TCellLook::Text,       "",                     true,   true,   "last name"},
  {"First Name",   100,   &fnFirstName,                 TCellText::Text,        TCellLook::Text,       "",                     true,   true,   "first name"},
  {"SSN",           80,   &fnMemberSSN,                 TCellText::Text,        TCellLook::SSN,        "000\\-00\\-0000;0;_",  false,  false,  "SSN",                "000-00-0000"},
  {"Phone",         80,   &fnPhoneNumber,               TCellText::Text,        TCellLook::Phone,      "000\\-0000;0;_",       true,   true,   "phone number",       "000-0000"},
  {"Birth Date",    80,   &fnBirthDate,                 TCellText::Date,        TCellLook::Text,       "!99/99/0000;1;_",      true,   true,   "birth date",         "00/00/0000"},
  {"Gender",        60,   &fnGenderCD,                  TCellText::GenderWord,  TCellLook::GenderWord, "",                     true,   true,   "gender",             "Unknown"},
};

// The amounts: a monthly pay of six figures, contributions of five.
const TGridColumn ContrTable[] = {
//  title          width  field                         cell text               drawn as               edit mask  typing  stored  sorted as             widest text
  {"Last, First",    0,   &fnLastName,                  TCellText::LastFirst,   TCellLook::InfoText,   "",        false,  false,  "name"},
  {"SSN",           74,   &fnMemberSSN,                 TCellText::Text,        TCellLook::SSN,        "",        false,  false,  "SSN",                "000-00-0000"},
  {"Pensionable",   64,   &fnSalaryPensionAmount,       TCellText::Amount,      TCellLook::Money,      "",        true,   true,   "pensionable amount", "$999999.99"},
  {"Earnable",      58,   &fnSalaryEarnableAmount,      TCellText::Amount,      TCellLook::Money,      "",        true,   true,   "earnable amount",    "$999999.99"},
  {"FTE%",          39,   &fnSalaryEarnableUnitsWorked, TCellText::Amount,      TCellLook::Amount,     "",        true,   true,   "FTE%",               "100.00"},
  {"Regular",       55,   &fnContribEmployeePreTax,     TCellText::Amount,      TCellLook::Money,      "",        true,   true,   "regular amont",      "$99999.99"},
  {"Health",        55,   &fnContribEmployerPreTax,     TCellText::Amount,      TCellLook::Money,      "",        true,   true,   "health amount",      "$99999.99"},
  {"Voluntary",     51,   &fnContribVoluntaryPostTax,   TCellText::Amount,      TCellLook::Money,      "",        true,   true,   "voluntary amount",   "$99999.99"},
  {"Contracts",     51,   &fnContribContractPostTax,    TCellText::Amount,      TCellLook::Money,      "",        true,   true,   "contracts amount",   "$99999.99"},
};
// clang-format on

// What each member grid adds to its columns: the rule for column 0's width
// (when the grid's width is above RestAbove, that width less RestLess, otherwise
// RestAtLeast; design pixels) and the flag its key presses set.
struct TMemberGrid {
  TStringGrid* TfrmTrans::*Grid;
  TGridColumns Columns;
  int32_t RestAbove;
  int32_t RestLess;
  int32_t RestAtLeast;
  bool* KeyDownSeen;
};

const TMemberGrid MemberGrids[] = {
    {&TfrmTrans::sgrDemogr, DemogrTable, 476, 366, 110, &DemogrKeyDownSeen},
    {&TfrmTrans::sgrContr, ContrTable, 518, 438, 80, &ContrKeyDownSeen},
};

const TMemberGrid& MemberGridOf(const TfrmTrans* Form, const TStringGrid* Grid) {
  return Grid == Form->sgrContr ? MemberGrids[1] : MemberGrids[0];
}

// The column under the grid's current cell takes typing, on a file that may be changed.
bool TakesTyping(const TMemberGrid& M, const TStringGrid* Grid) {
  const TGridColumn* Column = ColumnAt(M.Columns, Grid->Col());
  return !ReadOnlyMode && Column != nullptr && Column->Typing;
}

}  // namespace

const TGridColumns DemogrColumns = DemogrTable;
const TGridColumns ContrColumns = ContrTable;

void TfrmTrans::SetUpGrids() {
  // The hidden pages take their size only when first shown; the width rules
  // need the grids laid out on their pages now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (layout() != nullptr) layout()->activate();
  for (TTabSheet* Page : {tbsDemogr, tbsContr})
    if (Page != pgcTrans->currentWidget()) {
      Page->setGeometry(pgcTrans->currentWidget()->geometry());
      if (Page->layout() != nullptr) Page->layout()->activate();
    }
  // A grid scrolled while it had no size yet would measure from the wrong column.
  for (TStringGrid* Grid : {sgrDemogr, sgrContr}) Grid->horizontalScrollBar()->setValue(0);
  auto S = [](int32_t W) { return ScaleForScreen(W); };
  // From the last column to the first: column 0 takes what the others leave.
  for (const TMemberGrid& M : MemberGrids) {
    TStringGrid* Grid = this->*M.Grid;
    for (int32_t Col = static_cast<int32_t>(M.Columns.size()) - 1; Col >= 1; --Col) {
      Grid->SetColWidths(Col, S(M.Columns[static_cast<size_t>(Col)].Width));
      Grid->SetCells(Col, 0, M.Columns[static_cast<size_t>(Col)].Title);
    }
    Grid->SetCells(0, 0, M.Columns[0].Title);
    const int32_t G = Grid->GridWidth();
    Grid->SetColWidths(0, G > S(M.RestAbove) ? G - S(M.RestLess) : S(M.RestAtLeast));
    FitGridFont(*Grid, M.Columns);
  }
}

void TfrmTrans::RefreshGrids() {
  const int32_t K = Trans->CurIndex;
  // Drop every data row: the rows that come back are filled afresh below, and
  // nothing typed survives a refresh.
  for (TStringGrid* Grid : {sgrDemogr, sgrContr}) {
    Grid->SetRowCount(2);
    for (int32_t Col = 0; Col < Grid->ColCount(); ++Col) Grid->SetCells(Col, 1, "");
  }
  pnlEmpId->setText(ToQString(Trans->Header->GetAsString(fnEmployerID)));
  edtEmployerName->setText(ToQString(Trans->Header->GetAsString(fnBatchEmployerName)));

  const int32_t N = Trans->VisibleCount();
  int32_t P = 0;
  sgrDemogr->SetRow(1);
  sgrContr->SetRow(1);
  if (N > 0) {
    sgrDemogr->SetRowCount(N + 1);
    sgrContr->SetRowCount(N + 1);
  } else {
    // Before VisibleRows is emptied, so that the select check still lets the
    // grids leave a typing column: with nobody shown they must take no typing.
    sgrDemogr->SetCol(0);
    sgrContr->SetCol(0);
    sgrDemogr->SetRowCount(2);
    sgrContr->SetRowCount(2);
  }
  VisibleRows.clear();
  VisibleRows.reserve(static_cast<size_t>(N));
  int32_t Seen = 0;
  const int32_t Count = Trans->Details.Count();
  for (int32_t I = 0; I < Count; ++I) {
    const TRecord* D = Trans->Details[I];
    if (I == K) P = Seen;
    if (D->Visible) {
      const int32_t Row = ++Seen;
      VisibleRows.push_back(I);
      for (size_t G = 0; G < std::size(MemberGrids); ++G) {
        const TMemberGrid& M = MemberGrids[G];
        for (size_t Col = 0; Col < M.Columns.size(); ++Col)
          (this->*M.Grid)->SetCells(static_cast<int32_t>(Col), Row, CellText(*D, M.Columns[Col]));
      }
    }
  }
  const int32_t M = static_cast<int32_t>(VisibleRows.size());
  if (M >= 1) {
    if (P >= M) P = M - 1;
    sgrDemogr->SetRow(P + 1);
    sgrContr->SetRow(P + 1);
    Trans->CurIndex = VisibleRows[static_cast<size_t>(P)];
  } else {
    Trans->CurIndex = 0;
  }
  sgrDemogr->SetCol(0);
  sgrContr->SetCol(2);

  // Every member counts, shown or filtered out: the totals are the file's, and the
  // trailer in memory is kept as the save will write it. The trailer first: totals
  // it cannot hold raise there, before the panel could show them beside a trailer
  // that still holds the others.
  const TTrailerTotals Totals = Trans->MemberTotals();
  Trans->SetTrailerTotals(Totals);
  lblRecordCount->setText(ToQString(std::to_string(Count)));
  ShowTotals(Totals.Regular, Totals.Health, Totals.Voluntary, Totals.Contract, Totals.Grand);

  // The read-only rule and the file commands.
  FCanPrint = Count > 0;
  FCanCreate = FCanPrint && IsLastPeriod();
  // A file that could not be read whole is never written back: what was not read
  // would be lost.
  ReadOnlyMode = FPartlyRead || !IsLatestVersion();
  bbnInsert->setEnabled(!ReadOnlyMode);
  SetEditing(false);
  StatusBar->SetPanelText(2, ReadOnlyMode ? "Read Only" : "");
}

void TfrmTrans::SyncGridSelection() {
  const int32_t RowHeight = ScaleForScreen(21);
  if (!VisibleRows.empty()) {
    sgrDemogr->SetRowHeights(1, RowHeight);
    sgrContr->SetRowHeights(1, RowHeight);
    for (TBitBtn* B : {bbnSort, bbnSearch, bbnShowAll, bbnShowErr, bbnEdit}) B->setEnabled(true);
    ShowCurrentMemberInGrids();
  } else {
    sgrDemogr->SetRowHeights(1, 0);
    sgrContr->SetRowHeights(1, 0);
    bbnSort->setEnabled(false);
    bbnSearch->setEnabled(true);
    bbnShowAll->setEnabled(Trans->Details.Count() > 0);
    bbnShowErr->setEnabled(true);
    bbnEdit->setEnabled(false);
  }
}

void TfrmTrans::ShowCurrentMemberInGrids() {
  // Each move clicks its grid, which makes the member of its row current: both
  // grids go to the same row, so the current member stays.
  for (size_t P = 0; P < VisibleRows.size(); ++P)
    if (VisibleRows[P] == Trans->CurIndex) {
      sgrDemogr->SetRow(static_cast<int32_t>(P) + 1);
      sgrContr->SetRow(static_cast<int32_t>(P) + 1);
      return;
    }
}

int32_t TfrmTrans::PickedMember() const {
  if (Trans == nullptr) return -1;
  // Clicks in one grid leave the other grid's row where it was: only the grid
  // in front tells whom the clerk is working on.
  const TTabSheet* Page = pgcTrans->ActivePage();
  const TStringGrid* Grid = Page == tbsDemogr ? sgrDemogr : Page == tbsContr ? sgrContr : nullptr;
  if (Grid != nullptr) {
    const int32_t Row = Grid->Row();
    if (Row >= 1 && Row <= static_cast<int32_t>(VisibleRows.size()))
      return VisibleRows[static_cast<size_t>(Row - 1)];
  }
  const int32_t K = Trans->CurIndex;
  return K >= 0 && K < Trans->Details.Count() ? K : -1;
}

int32_t CurrentGridRow() {
  if (Trans == nullptr) return 0;
  for (size_t P = 0; P < VisibleRows.size(); ++P)
    if (VisibleRows[P] == Trans->CurIndex) return static_cast<int32_t>(P);
  return 0;
}

void TfrmTrans::sgrClick(TStringGrid* Sender) {
  if (Trans == nullptr) return;
  if (VisibleRows.empty()) {
    Trans->CurIndex = 0;
    return;
  }
  const int32_t Row = Sender->Row();
  if (Row >= 1 && Row <= static_cast<int32_t>(VisibleRows.size()))
    Trans->CurIndex = VisibleRows[static_cast<size_t>(Row - 1)];
}

bool TfrmTrans::sgrSelectCell(TStringGrid*, int32_t, int32_t) { return !VisibleRows.empty(); }

void TfrmTrans::sgrDrawCell(TStringGrid* Sender, int32_t ACol, int32_t ARow, const TRect& Rect) {
  // The titles keep the grid's own drawing, and so does the one empty row left
  // while nobody is shown (an empty amount would beep at every repaint).
  if (ARow == 0 || VisibleRows.empty() || Sender->Canvas == nullptr) return;
  const TGridColumn* Column = ColumnAt(MemberGridOf(this, Sender).Columns, ACol);
  if (Column != nullptr) DrawCellText(*Sender->Canvas, Rect, *Column, Sender->Cells(ACol, ARow));
}

void TfrmTrans::sgrKeyPress(TStringGrid* Sender, char& Key) {
  if (Sender->Row() == 0 || !TakesTyping(MemberGridOf(this, Sender), Sender)) {
    Key = 0;
    throw EAbort();
  }
}

void TfrmTrans::sgrKeyDown(TStringGrid* Sender, uint16_t& Key, TShiftState) {
  const TMemberGrid& M = MemberGridOf(this, Sender);
  if (IsEditingKey(Key) && !TakesTyping(M, Sender)) {
    Beep();
    Key = 0;
    throw EAbort();
  }
  *M.KeyDownSeen = true;
}

void TfrmTrans::sgrKeyUp(TStringGrid* Sender, uint16_t& Key, TShiftState Shift) {
  bool& Seen = *MemberGridOf(this, Sender).KeyDownSeen;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } Clear{Seen};
  if (VisibleRows.empty()) {
    Beep();
    throw EAbort();
  }
  if (Key == VK_ESCAPE)
    bbnCancelClick();
  else if (Key == VK_TAB && (Shift & ssCtrl) && Seen)
    pgcTrans->SelectNextPage((Shift & ssShift) == 0);
}

std::string TfrmTrans::sgrGetEditMask(TStringGrid* Sender, int32_t ACol, int32_t ARow) const {
  const TGridColumn* Column = ColumnAt(MemberGridOf(this, Sender).Columns, ACol);
  return ARow == 0 || Column == nullptr ? "" : Column->Mask;
}

std::string TfrmTrans::sgrGetEditText(TStringGrid* Sender, int32_t ACol, int32_t ARow) const {
  return Sender->Cells(ACol, ARow);
}

void TfrmTrans::sgrSetEditText(TStringGrid* Sender, int32_t ACol, int32_t ARow, const std::string& Value) {
  if (ARow == 0 || FEditing) return;
  const TGridColumn* Column = ColumnAt(MemberGridOf(this, Sender).Columns, ACol);
  if (Column != nullptr && CurrentFieldDiffers(*Column, Value)) SetEditing(true);
}

void TfrmTrans::SelectGridCell(TStringGrid* Grid, int32_t Col, int32_t Row) {
  Trans->CurIndex = VisibleRows[static_cast<size_t>(Row - 1)];
  TTabSheet* Page = Grid == sgrDemogr ? tbsDemogr : tbsContr;
  if (pgcTrans->ActivePage() != Page) {
    pgcTrans->SetActivePage(Page);
    pgcTransChange();
  }
  ShowCurrentMemberInGrids();
  Grid->SetCol(Col);
  // The cell as a whole is what needs retyping: the next key starts its text.
  Grid->SetEditorMode(false);
  Grid->setFocus();
}

bool TfrmTrans::StoreGridEdits() {
  if (VisibleRows.empty() || sgrDemogr->RowCount() < 2) return true;
  const int32_t Rows = std::min<int32_t>(sgrDemogr->RowCount() - 1, static_cast<int32_t>(VisibleRows.size()));
  // Runs Visit on every cell the clerk changed, row by row, until it answers
  // false. A cell that reads as a refresh would fill it for the member as it is
  // now keeps its field as it is on disk: a cell cannot show every value a file
  // may hold (an amount written with its decimal point shows 0.00, gender 4
  // "Unknown"), and storing what it shows would change members the clerk never
  // touched. Measured against the member now, not as it was shown: after a
  // refused save the member holds the edit, and a text typed back to what it
  // was must be stored.
  auto ForEachChangedCell = [&](const auto& Visit) {
    for (int32_t R = 1; R <= Rows; ++R) {
      TRecord* D = Trans->Details.Items(VisibleRows[static_cast<size_t>(R - 1)]);
      for (const TMemberGrid& M : MemberGrids)
        for (size_t Col = 0; Col < M.Columns.size(); ++Col) {
          if (!M.Columns[Col].Stored) continue;
          TStringGrid* Grid = this->*M.Grid;
          const std::string Text = Grid->Cells(static_cast<int32_t>(Col), R);
          if (Text == CellText(*D, M.Columns[Col])) continue;
          if (!Visit(*D, M.Columns[Col], Grid, static_cast<int32_t>(Col), R, Text)) return false;
        }
    }
    return true;
  };
  // An amount that is no number would be stored as 0, and 0 passes every check
  // of a voluntary amount: the save is refused before anything is stored, on
  // the cell, so the clerk sees what to correct.
  const bool Storable = ForEachChangedCell([&](const TRecord& D, const TGridColumn& Column, TStringGrid* Grid,
                                               int32_t Col, int32_t Row, const std::string& Text) {
    if (IsStorableCellText(Column, Text)) return true;
    const std::string Refusal = NotANumberText(MemberLabel(D), Column, Text);
    SelectGridCell(Grid, Col, Row);
    Refuse(Refusal, TMsgIcon::Warning);
    return false;
  });
  if (!Storable) return false;
  try {
    ForEachChangedCell([](TRecord& D, const TGridColumn& Column, TStringGrid*, int32_t, int32_t,
                          const std::string& Text) {
      StoreCellText(D, Column, Text);
      return true;
    });
  } catch (const std::exception& Error) {
    Tell(Error.what(), TMsgIcon::Error);
    return false;
  }
  return true;
}
