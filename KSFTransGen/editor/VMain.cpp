// The preparation form itself: its life from creation to close, the period,
// amendment and revision it shows, the read-only rule, the editing state and the
// page changes.
#include "VMain.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "VDemogr.h"
#include "VOpening.h"
#include "Version.h"

TfrmTrans* frmTrans = nullptr;
std::vector<int32_t> VisibleRows;
bool ReadOnlyMode = false;
bool InsertMode = false;
bool DemogrKeyDownSeen = false;
bool ContrKeyDownSeen = false;

TfrmTrans::TfrmTrans(QWidget* Owner) : TForm(Owner) {
  setObjectName("frmTrans");
  setWindowTitle("Transmittal Preparation Form");
  setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  BuildLayout();
  KeyPreview = true;
  OnKeyDown = [this](uint16_t& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
  OnShow = [this] {
    if (FShown) return;
    FShown = true;
    FormShow();
  };
  OnCloseQuery = [this](bool& CanClose) { CanClose = FormCloseQuery(); };
  OnClose = [this] { FormClose(); };
  FormCreate();
}

TfrmTrans::~TfrmTrans() {
  // A form destroyed without closing (tests) still frees what it owns.
  CloseSession();
  if (frmTrans == this) frmTrans = nullptr;
}

void TfrmTrans::OpenSession() {
  CloseSession();
  FFiles = std::make_unique<TFileCollection>(SelectedEmployerId);
  Files = FFiles.get();
  FTrans = std::make_unique<TTransShort>();
  Trans = FTrans.get();
  VisibleRows.clear();
  FMbrDetail = std::make_unique<TfrmMbrDetail>(this);
  frmMbrDetail = FMbrDetail.get();
}

void TfrmTrans::CloseSession() {
  // Another form's session may be the current one by now (this form closed and
  // waits for its deletion): its globals are not this form's to clear.
  const bool Current = FTrans != nullptr && Trans == FTrans.get();
  FCurrentFile = nullptr;
  // The detail form goes first, while the transmittal it shows still stands.
  if (frmMbrDetail == FMbrDetail.get()) frmMbrDetail = nullptr;
  FMbrDetail.reset();
  if (Files == FFiles.get()) Files = nullptr;
  FFiles.reset();
  if (Current) {
    Trans = nullptr;
    VisibleRows.clear();
  }
  FTrans.reset();
}

bool TfrmTrans::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == edtMonthYear && Event->type() == QEvent::KeyPress) {
    auto* Key = static_cast<QKeyEvent*>(Event);
    uint16_t Code = KeyCodeOf(*Key);
    if (Code == VK_RETURN || Code == VK_DOWN) {
      RunHandler([&] { edtMonthYearKeyDown(Code, ShiftStateOf(*Key)); });
      return true;
    }
  }
  if (Watched == edtMonthYear && Event->type() == QEvent::Resize) {
    // The tree button sits inside the right end of the box.
    int Side = edtMonthYear->height() - 4;
    bbnTree->setGeometry(edtMonthYear->width() - Side - 2, 2, Side, Side);
  }
  return TForm::eventFilter(Watched, Event);
}

void TfrmTrans::FormCreate() {
  HeaderOnly = false;
  if (ScreenDPI == 0) MeasureScreenDPI(this);
  ScaleWindow(*this, 654, 473);
  FCurrentFile = nullptr;
  FMonth = FYear = FSchoolPeriod = FFiscalYear = FAmendment = FRevision = 0;
  FCanPrint = true;
  FCanCreate = true;
  SetEditing(false);
  OpenSession();
}

void TfrmTrans::FormShow() {
  HeaderOnly = false;
  VersionText = GetProgramVersion();
  FMenuWidth = QFontMetrics(font()).horizontalAdvance("September, 2000") + 8;
  edtMonthYear->clear();
  pnlEmpId->setText(ToQString(SelectedEmployerId));
  lblPeriod->clear();
  lblFiscYear->clear();
  lblRevision->clear();
  edtFileName->clear();
  for (QLabel* L : {lblRecordCount, lblRegular, lblHealth, lblVoluntary, lblContracts, lblGrandTotal}) L->clear();
  lblVersion->setText(ToQString("Employer Transmittal Software, v. " + VersionText));
  pgcTrans->SetActivePage(tbsTrans);
  for (TBitBtn* B : {bbnSort, bbnSearch, bbnShowAll, bbnShowErr, bbnEdit, bbnInsert}) B->hide();
  TFileData* D = Files->Last();
  if (D == nullptr) {
    Tell("No file to process!", TMsgIcon::Information);
    // Closing from inside the showing would fight the window system; it follows
    // as soon as the showing is over, through the usual close check.
    QMetaObject::invokeMethod(this, [this] { Close(); }, Qt::QueuedConnection);
    return;
  }
  OpenFileOf(D);
  dbnPrev->setEnabled(true);
  dbnNext->setEnabled(true);
  SetUpGrids();
  SetEditing(false);
  edtMonthYear->setFocus();
  SetScreenCursor(crDefault);
}

void TfrmTrans::SetPeriod(int32_t Month, int32_t Year) {
  if (Month == 7 || Month == 8) Month = 6;
  FMonth = static_cast<uint16_t>(Month);
  FYear = static_cast<uint16_t>(Year);
  FSchoolPeriod = static_cast<uint16_t>(FMonth >= 9 && FMonth <= 12 ? FMonth - 8 : FMonth + 4);
  FFiscalYear = static_cast<uint16_t>(FMonth > 6 ? FYear + 1 : FYear);
  edtMonthYear->setText(ToQString(MonthName(FMonth) + ", " + std::to_string(FYear)));
  lblPeriod->setText(ToQString(std::to_string(FSchoolPeriod)));
  lblFiscYear->setText(ToQString(std::to_string(FFiscalYear)));
}

namespace {
// An amendment or revision number has one digit: a larger one is refused and 0 taken instead.
uint16_t OneDigit(const std::string& What, uint16_t Value) {
  if (Value <= 9) return Value;
  Refuse(What + " should be between 0 and 9: " + std::to_string(Value) + "\r\n" + What + " set to 0!",
         TMsgIcon::Warning);
  return 0;
}
}  // namespace

void TfrmTrans::SetAmendment(uint16_t Value) {
  FAmendment = OneDigit("Amendment", Value);
  lblAmend->setText(ToQString(std::to_string(FAmendment)));
}

void TfrmTrans::SetRevision(uint16_t Value) {
  FRevision = OneDigit("Revision", Value);
  lblRevision->setText(ToQString(std::to_string(FRevision)));
}

// Both tests answer "no" where the file tree lacks the period, amendment or
// position they look for; the checks below stand for the list-index errors of
// the tree. Anything raised here is a fault of the program and reaches the
// error box rather than passing for "no".
bool TfrmTrans::IsLastPeriod() const {
  if (Files == nullptr || Files->Periods.Count() == 0) return false;
  TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
  return L->Amendments.Count() > 0 && FMonth == L->Month && FYear == L->Year;
}

bool TfrmTrans::IsLatestVersion() const {
  if (Trans == nullptr) return false;
  if (Trans->Details.Count() == 0) return true;
  if (Files == nullptr || Files->Periods.Count() == 0) return false;
  TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
  if (L->Amendments.Count() == 0) return false;
  if (FMonth != L->Month || FYear != L->Year) return false;
  if (FAmendment != L->Index) return false;
  if (L->Index < 0 || L->Index >= L->Amendments.Count()) return false;
  return FRevision >= L->Amendments[L->Index]->Revisions.Count() - 1;
}

void TfrmTrans::SetEditing(bool Value) {
  FEditing = Value;
  if (!Value) {
    bbnSave->setEnabled(false);
    bbnNew->setEnabled(FCanCreate);
    bbnAmend->setEnabled(FCanCreate);
    bbnRevise->setEnabled(FCanCreate);
    bbnPrint->setEnabled(FCanPrint);
  } else {
    bbnSave->setEnabled(!ReadOnlyMode);
    bbnNew->setEnabled(false);
    bbnAmend->setEnabled(false);
    bbnRevise->setEnabled(false);
    bbnPrint->setEnabled(false);
  }
}

void TfrmTrans::chbSaveErrorClick() {}

bool TfrmTrans::pgcTransChanging() {
  if (pgcTrans->ActivePage() != tbsTrans) return ConfirmSave();
  if (edtEmployerName->text().isEmpty()) {
    Refuse("Employer name should not be empty!", TMsgIcon::Warning);
    return false;
  }
  if (Trans->Details.Count() == 0) {
    bbnInsertClick();
    return false;
  }
  return true;
}

void TfrmTrans::pgcTransChange() {
  TTabSheet* Page = pgcTrans->ActivePage();
  const bool OnGrid = Page != tbsTrans;
  for (TBitBtn* B : {bbnSort, bbnSearch, bbnShowAll, bbnShowErr, bbnEdit, bbnInsert}) B->setVisible(OnGrid);
  if (!OnGrid) return;
  if (Trans->Details.Count() > 0)
    SyncGridSelection();
  else
    bbnInsertClick();
  TStringGrid* Grid = Page == tbsDemogr ? sgrDemogr : sgrContr;
  Grid->SetRow(CurrentGridRow() + 1);
}

void TfrmTrans::bbnExitClick() { Close(); }

void TfrmTrans::edtEmployerChange() {
  if (Trans == nullptr) return;
  if (ReadOnlyMode) {
    Beep();
    // The snap-back is not a second change to complain about: one keystroke, one beep.
    const QSignalBlocker Quiet(edtEmployerName);
    edtEmployerName->setText(ToQString(Trans->Header->GetAsString(fnBatchEmployerName)));
  } else {
    SetEditing(true);
  }
}

bool TfrmTrans::FormCloseQuery() {
  if (Trans == nullptr) return true;
  ErrorList->Clear();
  bool CanClose;
  try {
    if (FEditing && !ReadOnlyMode && Trans->Details.Count() > 0) {
      CanClose = ConfirmSave();
    } else {
      CanClose = true;
      THourglass Hourglass;
      Trans->Validate();
    }
  } catch (const EAbort&) {
    throw;
  } catch (const std::exception& Error) {
    // An error never keeps the window from closing: it is told once, and the
    // clerk is not left with a window that cannot be left.
    ShowException(Error.what());
    CanClose = true;
  }
  if (CanClose && !ErrorList->IsEmpty()) {
    CanClose = Ask(
        "This transmittal file is incomplete or has errors!\r\n"
        "Before sending it to KSF make sure that all problems are fixed.\r\n"
        "Exit now?",
        TMsgIcon::Question, TBeep::First);
  }
  return CanClose;
}

void TfrmTrans::FormClose() {
  if (FClosed) return;
  FClosed = true;
  CloseSession();
  deleteLater();
  if (frmTrans == this) frmTrans = nullptr;
  // The employer-selection window is the main window: closing it ends the run.
  if (frmOpening != nullptr) {
    TfrmOpening* Main = frmOpening;
    frmOpening = nullptr;
    Main->close();
  }
}

void TfrmTrans::bbnHelpClick() { Env().OpenHelp(); }

void TfrmTrans::FormKeyDown(uint16_t& Key, TShiftState) {
  if (Key == VK_F1) bbnHelpClick();
}

std::string GetFileVersionText(const std::string&) {
  // The version information is compiled into the program rather than read from
  // a resource of its file; either value missing means no version text.
  TVersionInfo Info = ProgramVersionInfo();
  if (Info.FileVersion.empty() || Info.Comments.empty()) return "";
  std::string Result = Info.FileVersion + " " + Info.Comments;
  if (Result.size() > 255) Result.resize(255);
  return Result;
}

std::string GetProgramVersion() { return Trim(GetFileVersionText(Env().ProgramPath())); }
