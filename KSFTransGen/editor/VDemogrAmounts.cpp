// The member detail form's amounts grid (its rows, drawing, keys and change
// detection) and the two rules that run when the user leaves a box: the date
// check and the address rule that stamps today's date.

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include "MaskEdit.h"
#include "PCodeTable.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "TextParse.h"
#include "Utils.h"
#include "VDemogr.h"

namespace {

// The seven amounts, one row each: the caption in column 0 (bold for the amounts
// the checks require), the amount in column 1.
// clang-format off
const TGridColumn AmountRows[] = {
//  caption                       width  field                         cell text          drawn as             mask  typing  stored  sort     widest  bold
  {"Pensionable Compensation : ",   0,   &fnSalaryPensionAmount,       TCellText::Amount, TCellLook::Money,    "",   true,   true,   nullptr, "",     true},
  {"Earnable Compensation : ",      0,   &fnSalaryEarnableAmount,      TCellText::Amount, TCellLook::Money,    "",   true,   true,   nullptr, "",     true},
  {"FTE% : ",                       0,   &fnSalaryEarnableUnitsWorked, TCellText::Amount, TCellLook::Percent,  "",   true,   true,   nullptr, "",     true},
  {"Regular contributions : ",      0,   &fnContribEmployeePreTax,     TCellText::Amount, TCellLook::Money,    "",   true,   true,   nullptr, "",     true},
  {"Health contributions : ",       0,   &fnContribEmployerPreTax,     TCellText::Amount, TCellLook::Money,    "",   true,   true,   nullptr, "",     true},
  {"Voluntary contributions : ",    0,   &fnContribVoluntaryPostTax,   TCellText::Amount, TCellLook::Money,    "",   true,   true,   nullptr, "",     false},
  {"Contract payments : ",          0,   &fnContribContractPostTax,    TCellText::Amount, TCellLook::Money,    "",   true,   true,   nullptr, "",     false},
};
// clang-format on

constexpr int32_t AmountRowCount = static_cast<int32_t>(std::size(AmountRows));

// The address controls whose change stamps the effective date, with the field
// each is compared with.
struct TAddressField {
  TMaskEdit* TfrmMbrDetail::*Box;
  const std::string& Field;
};

const TAddressField AddressFields[] = {
    {&TfrmMbrDetail::edtEmail, fnAddressEMail},    {&TfrmMbrDetail::edtAddress1, fnAddressLine1},
    {&TfrmMbrDetail::edtAddress2, fnAddressLine2}, {&TfrmMbrDetail::edtCity, fnAddressCity},
    {&TfrmMbrDetail::mskZip, fnAddressZip},        {&TfrmMbrDetail::mskZip4, fnAddressZip4},
};

bool IsDigitAt(const std::string& Text, size_t Position) {
  return Position >= 1 && Position <= Text.size() && Text[Position - 1] >= '0' &&
         Text[Position - 1] <= '9';
}

// A date box holds a complete date shape: a month digit, a day digit and the
// four year digits (1-based positions of MM/DD/YYYY).
bool IsCompleteDate(const std::string& Text) {
  if (Text.size() < 10) return false;
  if (!IsDigitAt(Text, 1) && !IsDigitAt(Text, 2)) return false;
  if (!IsDigitAt(Text, 4) && !IsDigitAt(Text, 5)) return false;
  for (size_t P = 7; P <= 10; ++P)
    if (!IsDigitAt(Text, P)) return false;
  return true;
}

// One cell's text, 5 pixels below the cell's top and 4 pixels in from its left
// (or right) edge, clipped to the cell.
void DrawCellText(TCanvas* Canvas, const TRect& Rect, const std::string& Text, bool RightAligned,
                  bool Bold) {
  if (Bold) Canvas->Font->Style |= fsBold;
  const int32_t X = RightAligned ? Rect.Right - Canvas->TextWidth(Text) - 4 : Rect.Left + 4;
  Canvas->TextRect(Rect, X, Rect.Top + 5, Text);
}

}  // namespace

void TfrmMbrDetail::BuildAmountGrid() {
  lblAmounts = new QLabel("Member Am&ounts : ", tbsContr);
  lblAmounts->setObjectName("lblAmounts");
  PlaceScaled(lblAmounts, 8, 10, 200, 17);
  stgAmt = new TStringGrid(tbsContr);
  stgAmt->setObjectName("stgAmt");
  stgAmt->move(ScaleForScreen(8), ScaleForScreen(30));
  lblAmounts->setBuddy(stgAmt);
  stgAmt->SetColCount(2);
  stgAmt->SetRowCount(AmountRowCount);
  stgAmt->SetFixedRows(0);
  stgAmt->SetFixedCols(1);
  stgAmt->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                     goDrawFocusSelected | goEditing | goTabs);
  stgAmt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  stgAmt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  stgAmt->setFrameShape(QFrame::NoFrame);
  stgAmt->SetRowHeights(0, ScaleForScreen(25));
  for (int32_t Row = 1; Row < AmountRowCount; ++Row) stgAmt->SetRowHeights(Row, ScaleForScreen(24));
  stgAmt->OnDrawCell = [this](int32_t ACol, int32_t ARow, const TRect& Rect, TGridDrawState) {
    stgAmtDrawCell(ACol, ARow, Rect);
  };
  stgAmt->OnKeyDown = [this](uint16_t& Key, TShiftState Shift) { stgAmtKeyDown(Key, Shift); };
  stgAmt->OnSetEditText = [this](int32_t ACol, int32_t ARow, const std::string& Value) {
    stgAmtSetEditText(ACol, ARow, Value);
  };
}

void TfrmMbrDetail::SetupAmountGrid() {
  // The caption column is made as wide as its widest bold caption needs in the
  // face this machine draws with, so that no caption is cut; the grid grows by
  // as much.
  QFont Bold = stgAmt->font();
  Bold.setBold(true);
  const QFontMetrics Metrics(Bold);
  int Widest = 0;
  for (const TGridColumn& Row : AmountRows)
    Widest = std::max(Widest, Metrics.horizontalAdvance(QString::fromLatin1(Row.Title)));
  const int32_t Captions = std::max<int32_t>(ScreenDPI * 170 / 96, Widest + 8);
  const int32_t Amounts = ScreenDPI * 100 / 96;
  stgAmt->SetColWidths(0, Captions);
  stgAmt->SetColWidths(1, Amounts);
  stgAmt->resize(Captions + Amounts + ScreenDPI * 2 / 96, ScreenDPI * 175 / 96);
  for (int32_t Row = 0; Row < AmountRowCount; ++Row)
    stgAmt->SetCells(0, Row, AmountRows[Row].Title);
}

void TfrmMbrDetail::ClearAmounts() {
  for (int32_t Row = 0; Row < AmountRowCount; ++Row) stgAmt->SetCells(1, Row, "0.00");
}

void TfrmMbrDetail::LoadAmounts() {
  for (int32_t Row = 0; Row < AmountRowCount; ++Row)
    stgAmt->SetCells(1, Row, GetCurrentFieldStr(*AmountRows[Row].Field));
}

// A cell is changed when its text differs from what LoadAmounts would put
// there for the current member as it is now.
bool TfrmMbrDetail::AmountChanged(int32_t Row) const {
  return stgAmt->Cells(1, Row) != GetCurrentFieldStr(*AmountRows[Row].Field);
}

void TfrmMbrDetail::StoreAmounts(bool All) {
  // An amount the cell could not show (written with its decimal point, say)
  // reads as 0.00: only a cell the clerk changed is stored.
  for (int32_t Row = 0; Row < AmountRowCount; ++Row)
    if (All || AmountChanged(Row)) SetCurrentFieldStr(*AmountRows[Row].Field, stgAmt->Cells(1, Row));
}

int32_t TfrmMbrDetail::FirstUnstorableAmount() const {
  // A cell the clerk left alone holds the stored amount's text, always a number.
  for (int32_t Row = 0; Row < AmountRowCount; ++Row)
    if (!IsStorableCellText(AmountRows[Row], stgAmt->Cells(1, Row))) return Row;
  return -1;
}

void TfrmMbrDetail::RefuseUnstorableAmount(int32_t Row) {
  FocusRow(Row);
  Refuse(NotANumberText(MemberLabel(mskSSN->Text(), edtLastName->Text(), edtFirstName->Text()),
                        AmountRows[Row], stgAmt->Cells(1, Row)));
}

void TfrmMbrDetail::stgAmtDrawCell(int32_t ACol, int32_t ARow, const TRect& Rect) {
  TCanvas* Canvas = stgAmt->Canvas;
  if (Canvas == nullptr || ARow < 0 || ARow >= AmountRowCount) return;
  Canvas->FillRect(Rect);
  const TGridColumn& Row = AmountRows[ARow];
  if (ACol == 0)
    DrawCellText(Canvas, Rect, Row.Title, false, Row.Bold);
  else
    DrawCellText(Canvas, Rect, ShownText(Row, stgAmt->Cells(ACol, ARow)), DrawnFromRight(Row.Look),
                 false);
}

void TfrmMbrDetail::stgAmtKeyDown(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    // The one Cancel of this key: the form's Cancel button must not run it again.
    Key = 0;
    bbnCancelClick();
    return;
  }
  if (Key == VK_TAB && (Shift & ssCtrl)) {
    // Always forward, Shift or not; the grid does not also move to another cell.
    Key = 0;
    pgcDetail->SelectNextPage(true);
    return;
  }
  if (IsEditingKey(Key) && (Shift & (ssCtrl | ssAlt)) == 0 && Mode == 'B') SetMode('E');
}

void TfrmMbrDetail::stgAmtSetEditText(int32_t, int32_t ARow, const std::string& Value) {
  if (Mode != 'B' || ARow < 0 || ARow >= AmountRowCount) return;
  // Text that is no number (an empty cell among them) counts as changed.
  if (CurrentFieldDiffers(AmountRows[ARow], Value)) SetMode('E');
}

void TfrmMbrDetail::edtDateExit(TMaskEdit* Box) {
  // Judged once the focus has settled: a box shown while the focus is moving
  // would leave the control being entered half entered.
  QPointer<TMaskEdit> Left(Box);
  QTimer::singleShot(0, this, [this, Left] {
    if (Left.isNull() || !isVisible() || Left->hasFocus()) return;
    if (QApplication::activeModalWidget() != nullptr && QApplication::activeModalWidget() != this)
      return;
    const std::string Text = Left->Text();
    TDateTime Value;
    if (!IsCompleteDate(Text) || TryStrToDate(Text, Value)) return;
    Refuse("\"" + Text + "\" is not a valid date!");
    if (!Left.isNull()) Left->setFocus();
  });
}

void TfrmMbrDetail::OnAddressExit(QWidget* Control) {
  if (Mode != 'E') return;
  if (ShowsLoadedRecord()) {
    // Measured against what the control would show for the member as it is
    // now, which is the stored value wherever the control can show it: a ZIP
    // holding a letter, or a state no row of the list has, is no new address
    // until the clerk changes it.
    auto* Box = qobject_cast<TMaskEdit*>(Control);
    const bool Changed =
        Control == cmbState ? ListChanged(cmbState) : Box != nullptr && BoxChanged(Box);
    if (Changed) edtEffDate->SetText(DateToStr(Date()));
    return;
  }
  std::string Value, Stored;
  if (Control == cmbState) {
    Value = GetCodeKey(cgState, cmbState->currentIndex());
    Stored = GetCurrentFieldStr(fnAddressState);
  } else {
    for (const TAddressField& A : AddressFields)
      if (this->*A.Box == Control) {
        Value = (this->*A.Box)->Text();
        Stored = GetCurrentFieldStr(A.Field);
      }
  }
  if (Value != Stored) edtEffDate->SetText(DateToStr(Date()));
}
