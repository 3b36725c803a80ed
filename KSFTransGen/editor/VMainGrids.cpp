// The member grids: their set-up, filling, drawing, typing, edit detection and
// the copying of typed cells into the member records.
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

// The characters From..From+Count-1 (0-based) of Text, as far as it has them.
std::string Part(const std::string& Text, size_t From, size_t Count) {
  if (From >= Text.size()) return "";
  return Text.substr(From, Count);
}

std::string SSNPattern(const std::string& Text) {
  return Part(Text, 0, 3) + "-" + Part(Text, 3, 2) + "-" + Part(Text, 5, 4);
}

std::string PhonePattern(const std::string& Text) { return Part(Text, 0, 3) + "-" + Part(Text, 3, 4); }

std::string GenderWordOfCode(const std::string& Code) {
  if (!Code.empty() && Code[0] == '1') return "Male";
  if (!Code.empty() && Code[0] == '2') return "Female";
  return "Unknown";
}

std::string GenderWordOfText(const std::string& Text) {
  if (Text.empty()) return "";
  if (Text[0] == 'F' || Text[0] == 'f') return "Female";
  if (Text[0] == 'M' || Text[0] == 'm') return "Male";
  return "Unknown";
}

// The gender code a typed text stands for: F 2, M 1, anything else 3.
std::string GenderCodeOfText(const std::string& Text) {
  std::string V = UpperCase(Trim(Text));
  if (!V.empty() && V[0] == 'F') return "2";
  if (!V.empty() && V[0] == 'M') return "1";
  return "3";
}

std::string AmountText(const TRecord* Record, const std::string& Field) {
  return Trim(FormatFixed(Record->GetAsFloat(Field), 2));
}

// The record fields behind the amount columns 2..8 of the contributions grid.
const std::string* ContrField(int32_t ACol) {
  static const std::string* const Fields[] = {
      &fnSalaryPensionAmount,   &fnSalaryEarnableAmount,  &fnSalaryEarnableUnitsWorked,
      &fnContribEmployeePreTax, &fnContribEmployerPreTax, &fnContribVoluntaryPostTax,
      &fnContribContractPostTax};
  if (ACol < 2 || ACol > 8) return nullptr;
  return Fields[ACol - 2];
}

bool DemogrTakesTyping(int32_t ACol) { return ACol != 2; }
bool ContrTakesTyping(int32_t ACol) { return ACol >= 2 && ACol <= 8; }

bool IsEditingKey(uint16_t Key) { return Key == VK_BACK || Key == VK_DELETE || (Key >= 48 && Key <= 90); }

}  // namespace

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
  sgrDemogr->SetColWidths(5, S(60));
  sgrDemogr->SetCells(5, 0, "Gender");
  sgrDemogr->SetColWidths(4, S(80));
  sgrDemogr->SetCells(4, 0, "Birth Date");
  sgrDemogr->SetColWidths(3, S(80));
  sgrDemogr->SetCells(3, 0, "Phone");
  sgrDemogr->SetColWidths(2, S(80));
  sgrDemogr->SetCells(2, 0, "SSN");
  sgrDemogr->SetColWidths(1, S(100));
  sgrDemogr->SetCells(1, 0, "First Name");
  sgrDemogr->SetCells(0, 0, "Last Name");
  int32_t G = sgrDemogr->GridWidth();
  sgrDemogr->SetColWidths(0, G > S(476) ? G - S(366) : S(110));

  const std::pair<int32_t, const char*> Contr[] = {{51, "Contracts"}, {51, "Voluntary"}, {55, "Health"},
                                                   {55, "Regular"},   {39, "FTE%"},      {58, "Earnable"},
                                                   {64, "Pensionable"}, {74, "SSN"}};
  for (int32_t I = 0; I < 8; ++I) {
    sgrContr->SetColWidths(8 - I, S(Contr[I].first));
    sgrContr->SetCells(8 - I, 0, Contr[I].second);
  }
  sgrContr->SetCells(0, 0, "Last, First");
  G = sgrContr->GridWidth();
  sgrContr->SetColWidths(0, G > S(518) ? G - S(438) : S(80));
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

  double R = 0, H = 0, V = 0, C = 0;
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
    const double Regular = D->GetAsFloat(fnContribEmployeePreTax);
    const double Health = D->GetAsFloat(fnContribEmployerPreTax);
    const double Voluntary = D->GetAsFloat(fnContribVoluntaryPostTax);
    const double Contracts = D->GetAsFloat(fnContribContractPostTax);
    if (D->Visible) {
      const int32_t Row = ++Seen;
      VisibleRows.push_back(I);
      const std::string Last = D->GetAsString(fnLastName);
      const std::string First = D->GetAsString(fnFirstName);
      const std::string SSN = D->GetAsString(fnMemberSSN);
      const std::string Birth = D->IsBlank(fnBirthDate) ? std::string() : D->GetAsString(fnBirthDate);
      sgrDemogr->SetCells(0, Row, Last);
      sgrDemogr->SetCells(1, Row, First);
      sgrDemogr->SetCells(2, Row, SSN);
      sgrDemogr->SetCells(3, Row, D->GetAsString(fnPhoneNumber));
      sgrDemogr->SetCells(4, Row, Birth);
      sgrDemogr->SetCells(5, Row, GenderWordOfCode(D->GetAsString(fnGenderCD)));
      sgrContr->SetCells(0, Row, Last + ", " + First);
      sgrContr->SetCells(1, Row, SSN);
      sgrContr->SetCells(2, Row, AmountText(D, fnSalaryPensionAmount));
      sgrContr->SetCells(3, Row, AmountText(D, fnSalaryEarnableAmount));
      sgrContr->SetCells(4, Row, AmountText(D, fnSalaryEarnableUnitsWorked));
      sgrContr->SetCells(5, Row, Trim(FormatFixed(Regular, 2)));
      sgrContr->SetCells(6, Row, Trim(FormatFixed(Health, 2)));
      sgrContr->SetCells(7, Row, Trim(FormatFixed(Voluntary, 2)));
      sgrContr->SetCells(8, Row, Trim(FormatFixed(Contracts, 2)));
    }
    R += Regular;
    H += Health;
    V += Voluntary;
    C += Contracts;
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

  const long double Grand = static_cast<long double>(R) + H + V + C;
  lblRecordCount->setText(ToQString(std::to_string(Count)));
  ShowTotals(R, H, V, C, Grand);
  TRecord* T = Trans->Trailer.get();
  T->SetAsFloat(fnTotalEmplContribAmt, R);
  T->SetAsFloat(fnTotalEmplrContribAmt, H);
  T->SetAsFloat(fnTotalVolContribAmt, V);
  T->SetAsFloat(fnTotalCntrctPayAmt, C);
  T->SetAsFloat(fnTotalReceivables, static_cast<double>(Grand));
  T->SetAsInteger(fnTotalRecCount, Count);

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
    for (size_t P = 0; P < VisibleRows.size(); ++P)
      if (VisibleRows[P] == Trans->CurIndex) {
        sgrDemogr->SetRow(static_cast<int32_t>(P) + 1);
        sgrContr->SetRow(static_cast<int32_t>(P) + 1);
        break;
      }
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

bool TfrmTrans::sgrDemogrSelectCell(int32_t, int32_t) { return !VisibleRows.empty(); }
bool TfrmTrans::sgrContrSelectCell(int32_t, int32_t) { return !VisibleRows.empty(); }

void TfrmTrans::sgrDemogrDrawCell(int32_t ACol, int32_t ARow, const TRect& Rect) {
  if (ARow == 0) return;
  TCanvas* Canvas = sgrDemogr->Canvas;
  if (Canvas == nullptr) return;
  const std::string Text = sgrDemogr->Cells(ACol, ARow);
  Canvas->FillRect(Rect);
  std::string Shown;
  switch (ACol) {
    case 2:
      Canvas->Brush->Color = clInfoBk;
      Shown = SSNPattern(Text);
      break;
    case 3:
      Shown = PhonePattern(Text);
      break;
    case 5:
      Shown = GenderWordOfText(Text);
      break;
    default:
      Shown = Text;
  }
  Canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 2, Shown);
}

void TfrmTrans::sgrContrDrawCell(int32_t ACol, int32_t ARow, const TRect& Rect) {
  if (VisibleRows.empty()) return;
  TCanvas* Canvas = sgrContr->Canvas;
  if (Canvas == nullptr) return;
  const std::string Text = sgrContr->Cells(ACol, ARow);
  Canvas->FillRect(Rect);
  auto DrawRightAligned = [&](const std::string& S) {
    Canvas->TextRect(Rect, Rect.Right - Canvas->TextWidth(S) - 2, Rect.Top + 2, S);
  };
  auto DrawInfoCell = [&](const std::string& S) {
    Canvas->Brush->Color = clInfoBk;
    Canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 2, S);
  };
  if (ARow == 0) {
    Canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 2, Text);
    return;
  }
  if (ACol == 0)
    DrawInfoCell(Text);
  else if (ACol == 1)
    DrawInfoCell(SSNPattern(Text));
  else if (ACol == 4)
    DrawRightAligned(FormatAmount(Text));
  else
    DrawRightAligned("$" + FormatAmount(Text));
}

void TfrmTrans::sgrDemogrKeyPress(char& Key) {
  if (ReadOnlyMode || sgrDemogr->Row() == 0 || !DemogrTakesTyping(sgrDemogr->Col())) {
    Key = 0;
    throw EAbort();
  }
}

void TfrmTrans::sgrContrKeyPress(char& Key) {
  if (ReadOnlyMode || sgrContr->Row() == 0 || !ContrTakesTyping(sgrContr->Col())) {
    Key = 0;
    throw EAbort();
  }
}

void TfrmTrans::sgrDemogrKeyDown(uint16_t& Key, TShiftState) {
  if (IsEditingKey(Key) && (ReadOnlyMode || !DemogrTakesTyping(sgrDemogr->Col()))) {
    Beep();
    Key = 0;
    throw EAbort();
  }
  DemogrKeyDownSeen = true;
}

void TfrmTrans::sgrContrKeyDown(uint16_t& Key, TShiftState) {
  if (IsEditingKey(Key) && (ReadOnlyMode || !ContrTakesTyping(sgrContr->Col()))) {
    Beep();
    Key = 0;
    throw EAbort();
  }
  ContrKeyDownSeen = true;
}

namespace {
// The key release shared by both grids.
void GridKeyUp(TfrmTrans* Form, bool& Seen, uint16_t Key, TShiftState Shift) {
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } Clear{Seen};
  if (VisibleRows.empty()) {
    Beep();
    throw EAbort();
  }
  if (Key == VK_ESCAPE)
    Form->bbnCancelClick();
  else if (Key == VK_TAB && (Shift & ssCtrl) && Seen)
    Form->pgcTrans->SelectNextPage((Shift & ssShift) == 0);
}
}  // namespace

void TfrmTrans::sgrDemogrKeyUp(uint16_t& Key, TShiftState Shift) { GridKeyUp(this, DemogrKeyDownSeen, Key, Shift); }
void TfrmTrans::sgrContrKeyUp(uint16_t& Key, TShiftState Shift) { GridKeyUp(this, ContrKeyDownSeen, Key, Shift); }

std::string TfrmTrans::sgrDemogrGetEditMask(int32_t ACol, int32_t ARow) const {
  if (ARow == 0) return "";
  switch (ACol) {
    case 2:
      return "000\\-00\\-0000;0;_";
    case 3:
      return "000\\-0000;0;_";
    case 4:
      return "!99/99/0000;1;_";
    default:
      return "";
  }
}

std::string TfrmTrans::sgrContrGetEditText(int32_t ACol, int32_t ARow) const { return sgrContr->Cells(ACol, ARow); }

void TfrmTrans::sgrDemogrSetEditText(int32_t ACol, int32_t ARow, const std::string& Value) {
  if (ARow == 0 || FEditing) return;
  bool Same = false;
  try {
    const std::string V = UpperCase(Trim(Value));
    switch (ACol) {
      case 0:
        Same = V == UpperCase(GetCurrentFieldStr(fnLastName));
        break;
      case 1:
        Same = V == UpperCase(GetCurrentFieldStr(fnFirstName));
        break;
      case 2:
        Same = V == UpperCase(GetCurrentFieldStr(fnMemberSSN));
        break;
      case 3:
        Same = V == UpperCase(GetCurrentFieldStr(fnPhoneNumber));
        break;
      case 4: {
        TDateTime Date;
        if (!TryStrToDate(V, Date)) throw Exception("Invalid date");
        Same = Date == GetCurrentFieldDate(fnBirthDate);
        break;
      }
      case 5:
        if (V.empty()) throw Exception("No gender");
        Same = GenderCodeOfText(V) == GetCurrentFieldStr(fnGenderCD);
        break;
      default:
        Same = true;
    }
  } catch (...) {
    Same = false;
  }
  if (!Same) SetEditing(true);
}

void TfrmTrans::sgrContrSetEditText(int32_t ACol, int32_t ARow, const std::string& Value) {
  if (ARow == 0 || FEditing) return;
  const std::string* Field = ContrField(ACol);
  if (Field == nullptr) return;
  bool Same = false;
  try {
    long double Typed;
    Same = TryStrToFloat(Value, Typed) && FloatEquals(Typed, GetCurrentFieldFloat(*Field));
  } catch (...) {
    Same = false;
  }
  if (!Same) SetEditing(true);
}

bool TfrmTrans::StoreGridEdits() {
  if (VisibleRows.empty() || sgrDemogr->RowCount() < 2) return true;
  try {
    const int32_t Rows = std::min<int32_t>(sgrDemogr->RowCount() - 1, static_cast<int32_t>(VisibleRows.size()));
    for (int32_t R = 1; R <= Rows; ++R) {
      TRecord* D = Trans->Details.Items(VisibleRows[static_cast<size_t>(R - 1)]);
      D->SetAsString(fnLastName, sgrDemogr->Cells(0, R));
      D->SetAsString(fnFirstName, sgrDemogr->Cells(1, R));
      D->SetAsString(fnPhoneNumber, sgrDemogr->Cells(3, R));
      D->SetAsString(fnBirthDate, sgrDemogr->Cells(4, R));
      D->SetAsString(fnGenderCD, GenderCodeOfText(sgrDemogr->Cells(5, R)));
      for (int32_t Col = 2; Col <= 8; ++Col) D->SetAsString(*ContrField(Col), sgrContr->Cells(Col, R));
    }
  } catch (const std::exception& Error) {
    Tell(Error.what(), TMsgIcon::Error);
    return false;
  }
  return true;
}
