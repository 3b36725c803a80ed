// The member detail form: its life (creation, showing), its modes, change
// tracking, the allow-incomplete-saves box, help, exit and the focus moves.

#include "VDemogr.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include "MaskEdit.h"
#include "PCodeTable.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "TextParse.h"
#include "Utils.h"
#include "VMain.h"

TfrmMbrDetail* frmMbrDetail = nullptr;

namespace {

// What each mode shows in the status bar and which buttons it offers.
struct TModeRow {
  char Mode;
  const char* Status;
  bool Navigation;
  bool InsertDelete;  // unless the file is read-only
  bool SaveCancel;    // unless the file is read-only
};

const TModeRow ModeTable[] = {
    {'B', "Browsing...", true, true, false},
    {'E', "Editing...", false, false, true},
    {'A', "Inserting...", false, false, true},
    {'I', "Inserting...", false, false, true},
};

// The five code lists: the table each is filled from, and whether it shows the
// rows' descriptions (the states' full names) rather than their short names.
struct TCodeList {
  QComboBox* TfrmMbrDetail::*List;
  int32_t Group;
  bool Description;
};

const TCodeList CodeLists[] = {
    {&TfrmMbrDetail::cmbNamePrefix, cgNamePrefix, false},
    {&TfrmMbrDetail::cmbSuffix, cgNameSuffix, false},
    {&TfrmMbrDetail::cmbGender, cgGender, false},
    {&TfrmMbrDetail::cmbMarital, cgMaritalStatus, false},
    {&TfrmMbrDetail::cmbState, cgState, true},
};

}  // namespace

TfrmMbrDetail::TfrmMbrDetail(QWidget* Owner) : TForm(Owner) {
  setObjectName("frmMbrDetail");
  setWindowTitle("Member Detail");
  BuildLayout();
  KeyPreview = true;
  OnKeyDown = [this](uint16_t& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
  OnShow = [this] { FormShow(); };
  OnCloseQuery = [this](bool& CanClose) { CanClose = FormCloseQuery(); };
  FormCreate();
}

TfrmMbrDetail::~TfrmMbrDetail() {
  if (frmMbrDetail == this) frmMbrDetail = nullptr;
}

void TfrmMbrDetail::FormCreate() {
  HeaderOnly = false;
  MeasureScreenDPI(this);
  ScaleWindow(*this, 616, 413);
  setFixedSize(size());
}

void TfrmMbrDetail::FormShow() {
  HeaderOnly = false;
  const std::string FileName =
      frmTrans != nullptr ? ToStdString(frmTrans->edtFileName->text()) : std::string();
  setWindowTitle(ToQString("Member Detail - " + FileName));
  if (QScreen* Screen = screen() != nullptr ? screen() : QGuiApplication::primaryScreen())
    move(Screen->availableGeometry().center() - rect().center());
  if (frmTrans != nullptr) chbSaveError->SetChecked(frmTrans->chbSaveError->Checked());
  SetupAmountGrid();
  for (const TCodeList& L : CodeLists) {
    QComboBox* List = this->*L.List;
    List->clear();
    const int32_t Rows = (*CodeGroups)[L.Group]->Codes.Count();
    for (int32_t Row = 0; Row < Rows; ++Row)
      List->addItem(ToQString(L.Description ? GetCodeDescription(L.Group, Row)
                                            : GetCodeShortName(L.Group, Row)));
    List->setCurrentIndex(0);
  }
  pgcDetail->SetActivePage(tbsDemogr);
  if (InsertMode || Trans == nullptr || Trans->Details.Count() == 0)
    ClearFields();
  else
    RecordToForm();
  const bool OnContributions =
      frmTrans != nullptr && frmTrans->pgcTrans->ActivePage() == frmTrans->tbsContr;
  pgcDetail->SetActivePage(OnContributions ? tbsContr : tbsDemogr);
  mskSSN->setFocus();
  ApplyReadOnlyMode();
}

void TfrmMbrDetail::ApplyReadOnlyMode() {
  mskSSN->setReadOnly(ReadOnlyMode);
  for (QWidget* W : std::initializer_list<QWidget*>{gbxName, tbsDemogr, tbsContr})
    W->setEnabled(!ReadOnlyMode);
  if (ReadOnlyMode) {
    bbnInsert->setEnabled(false);
    bbnDel->setEnabled(false);
  }
  stbMessage->SetPanelText(1, ReadOnlyMode ? "Read Only" : "");
  // A blank new member of a read-only file takes nothing typed: the form
  // browses it, so that leaving asks nothing, and no Yes can add an empty
  // member to a file that is never to be saved.
  if (ReadOnlyMode && Mode == 'A') SetMode('B');
}

void TfrmMbrDetail::FormKeyDown(uint16_t& Key, TShiftState) {
  if (Key != VK_F1) return;
  Key = 0;
  bbnHelpClick();
}

void TfrmMbrDetail::bbnExitClick() { Close(); }

void TfrmMbrDetail::bbnHelpClick() { Env().OpenHelp(); }

void TfrmMbrDetail::chbSaveErrorClick() {
  if (frmTrans != nullptr) frmTrans->chbSaveError->SetChecked(chbSaveError->Checked());
}

// ---------------------------------------------------------------------------
// Modes and change tracking
// ---------------------------------------------------------------------------

void TfrmMbrDetail::SetMode(char Value) {
  for (const TModeRow& Row : ModeTable) {
    if (Row.Mode != Value) continue;
    Mode = Value;
    stbMessage->SetPanelText(0, Row.Status);
    for (TBitBtn* B : {bbnFirst, bbnPrior, bbnNext, bbnLast}) B->setEnabled(Row.Navigation);
    for (TBitBtn* B : {bbnInsert, bbnDel}) B->setEnabled(Row.InsertDelete && !ReadOnlyMode);
    for (TBitBtn* B : {bbnSave, bbnCancel}) B->setEnabled(Row.SaveCancel && !ReadOnlyMode);
    return;
  }
}

void TfrmMbrDetail::OnChange() {
  if (Mode == 'B') SetMode('E');
}

void TfrmMbrDetail::mskSSNChange() {
  const std::string Text = mskSSN->Text();
  // The key that completes the number, from fewer than nine digits to nine; a
  // key typed over a full number completes nothing.
  const bool Completed = !FSSNComplete && IsDigits(Text, 9);
  FSSNComplete = IsDigits(Text, 9);
  if (FLoading) return;
  // Nine digits equal to the loaded SSN: the member keeps its number.
  if (Text.size() == 9 && Text == OldSSN) return;
  OnChange();
  if (Text.size() != 9 || chbSaveError->Checked()) return;
  std::vector<TReadProblem> Unread;
  if (!ValidateSSN(Text, 0, &Unread)) {
    mskSSN->setFocus();
    return;
  }
  // Told once for the member shown, when the number is complete: a box at
  // every key would take the keys that follow.
  if (Completed && !FToldUnread) FToldUnread = TellUnreadMonth(Text, Unread);
}

// ---------------------------------------------------------------------------
// Focus moves of the checks
// ---------------------------------------------------------------------------

bool FocusOn(QWidget* Control, char Page) {
  TfrmMbrDetail* Form = frmMbrDetail;
  if (Form != nullptr && Page == 'C') Form->pgcDetail->SetActivePage(Form->tbsContr);
  if (Form != nullptr && Page == 'D') Form->pgcDetail->SetActivePage(Form->tbsDemogr);
  if (Control != nullptr && Control->isVisible() && Control->isEnabled()) Control->setFocus();
  return true;
}

bool FocusRow(int32_t Row) {
  TfrmMbrDetail* Form = frmMbrDetail;
  if (Form == nullptr) return true;
  Form->pgcDetail->SetActivePage(Form->tbsContr);
  Form->stgAmt->SetRow(Row);
  return true;
}

// ---------------------------------------------------------------------------
// The exit rules' watch on the state list (the boxes report their own exits)
// ---------------------------------------------------------------------------

bool TfrmMbrDetail::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == cmbState && Event->type() == QEvent::FocusOut) {
    const Qt::FocusReason Reason = static_cast<QFocusEvent*>(Event)->reason();
    // Another window or the list's own popup taking the focus is no leaving.
    if (Reason != Qt::ActiveWindowFocusReason && Reason != Qt::PopupFocusReason)
      RunHandler([this] { OnAddressExit(cmbState); });
  }
  return TForm::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------------------
// The current member record
// ---------------------------------------------------------------------------

namespace {
TRecord* CurrentMember() {
  if (Trans == nullptr || Trans->CurIndex < 0 || Trans->CurIndex >= Trans->Details.Count())
    return nullptr;
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
