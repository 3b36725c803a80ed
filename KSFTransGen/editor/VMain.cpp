#include "VMain.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>

#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtEnv.h"
#include "QtText.h"
#include "RMember.h"
#include "RTrans.h"
#include "Scaling.h"
#include "StringGrid.h"
#include "VDemogr.h"
#include "VOpening.h"
#include "VPrintSel.h"
#include "Version.h"

TfrmTrans* frmTrans = nullptr;
std::vector<int32_t> VisibleRows;
bool ReadOnlyMode = false;
bool InsertMode = false;
bool DemogrKeyDownSeen = false;
bool ContrKeyDownSeen = false;

namespace {

std::string Dec(long long Value) { return std::to_string(Value); }

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

bool FileExists(const std::string& Path) {
  std::error_code Error;
  return std::filesystem::is_regular_file(Path, Error);
}

int32_t Clamp(int32_t Value, int32_t Low, int32_t High) {
  if (Value > High) Value = High;
  if (Value < Low) Value = Low;
  return Value;
}

QLabel* ValueLabel(QWidget* Parent, const char* Name, bool Bold = true) {
  auto* Label = new QLabel(Parent);
  Label->setObjectName(Name);
  if (Bold) {
    QFont Font = Label->font();
    Font.setBold(true);
    Label->setFont(Font);
  }
  return Label;
}

TBitBtn* Button(QWidget* Parent, const char* Name, const char* Text, TGlyph Glyph,
                TButtonLayout Layout = TButtonLayout::GlyphLeft) {
  auto* B = new TBitBtn(QString::fromLatin1(Text), Parent);
  B->setObjectName(Name);
  B->SetGlyph(Glyph);
  B->SetLayout(Layout);
  B->setAutoDefault(false);
  return B;
}

}  // namespace

// ---------------------------------------------------------------------------
// The window
// ---------------------------------------------------------------------------

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
  if (!FClosed) {
    delete frmMbrDetail;
    frmMbrDetail = nullptr;
    delete Files;
    Files = nullptr;
    delete Trans;
    Trans = nullptr;
    VisibleRows.clear();
  }
  if (frmTrans == this) frmTrans = nullptr;
}

void TfrmTrans::BuildLayout() {
  auto* Root = new QVBoxLayout(this);
  Root->setContentsMargins(4, 4, 4, 0);
  Root->setSpacing(4);

  auto* Top = new QHBoxLayout;
  Root->addLayout(Top, 1);

  pgcTrans = new TPageControl(this);
  pgcTrans->setObjectName("pgcTrans");
  Top->addWidget(pgcTrans, 1);
  tbsTrans = pgcTrans->AddPage("Transmittal Information");
  tbsTrans->setObjectName("tbsTrans");
  tbsDemogr = pgcTrans->AddPage("Member Demographic");
  tbsDemogr->setObjectName("tbsDemogr");
  tbsContr = pgcTrans->AddPage("Member Contributions");
  tbsContr->setObjectName("tbsContr");
  pgcTrans->OnChanging = [this](bool& AllowChange) { AllowChange = pgcTransChanging(); };
  pgcTrans->OnChange = [this] { pgcTransChange(); };

  // -- first page --
  auto* Info = new QGridLayout(tbsTrans);
  Info->setContentsMargins(8, 8, 8, 8);
  Info->setHorizontalSpacing(8);

  gbxReport = new QGroupBox("Report Data", tbsTrans);
  gbxReport->setObjectName("gbxReport");
  auto* Report = new QGridLayout(gbxReport);
  lblData = new QLabel("&Use / Revise Data for :", gbxReport);
  lblData->setObjectName("lblData");
  Report->addWidget(lblData, 0, 0, 1, 4);
  auto* NavRow = new QHBoxLayout;
  dbnPrev = new TDBNavigator({nbFirst, nbPrior}, gbxReport);
  dbnPrev->setObjectName("dbnPrev");
  dbnPrev->OnClick = [this](TNavigateBtn Kind) { RunHandler([&] { dbnPrevClick(Kind); }); };
  edtMonthYear = new QLineEdit(gbxReport);
  edtMonthYear->setObjectName("edtMonthYear");
  edtMonthYear->setReadOnly(true);
  {
    QFont Font = edtMonthYear->font();
    Font.setBold(true);
    edtMonthYear->setFont(Font);
  }
  edtMonthYear->setCursor(Qt::ArrowCursor);
  edtMonthYear->setMinimumWidth(150);
  edtMonthYear->installEventFilter(this);
  lblData->setBuddy(edtMonthYear);
  bbnTree = Button(edtMonthYear, "bbnTree", "", TGlyph::Tree);
  bbnTree->setFocusPolicy(Qt::NoFocus);
  bbnTree->OnClick = [this] { edtMonthYearDo(); };
  dbnNext = new TDBNavigator({nbNext, nbLast}, gbxReport);
  dbnNext->setObjectName("dbnNext");
  dbnNext->OnClick = [this](TNavigateBtn Kind) { RunHandler([&] { dbnNextClick(Kind); }); };
  NavRow->addWidget(dbnPrev);
  NavRow->addWidget(edtMonthYear, 1);
  NavRow->addWidget(dbnNext);
  Report->addLayout(NavRow, 1, 0, 1, 4);
  // The caption's underlined A is drawn only: as a live accelerator it would
  // take Alt+A away from the Amend button, and it has no box to focus.
  auto* AmendCaption = new QLabel("<u>A</u>mendment # : ", gbxReport);
  AmendCaption->setTextFormat(Qt::RichText);
  lblAmend = ValueLabel(gbxReport, "lblAmend");
  auto* RevisionCaption = new QLabel("Revision # :", gbxReport);
  lblRevision = ValueLabel(gbxReport, "lblRevision");
  auto* PeriodCaption = new QLabel("School Period : ", gbxReport);
  lblPeriod = ValueLabel(gbxReport, "lblPeriod");
  auto* FiscalCaption = new QLabel("Fiscal Year : ", gbxReport);
  lblFiscYear = ValueLabel(gbxReport, "lblFiscYear");
  Report->addWidget(AmendCaption, 2, 0);
  Report->addWidget(lblAmend, 2, 1);
  Report->addWidget(RevisionCaption, 2, 2);
  Report->addWidget(lblRevision, 2, 3);
  Report->addWidget(PeriodCaption, 3, 0);
  Report->addWidget(lblPeriod, 3, 1);
  Report->addWidget(FiscalCaption, 3, 2);
  Report->addWidget(lblFiscYear, 3, 3);
  Report->setColumnStretch(1, 1);
  Report->setColumnStretch(3, 1);
  Info->addWidget(gbxReport, 0, 0);

  gbxEmployerData = new QGroupBox("Employer Data", tbsTrans);
  gbxEmployerData->setObjectName("gbxEmployerData");
  auto* Employer = new QGridLayout(gbxEmployerData);
  auto* IdCaption = new QLabel("Employer I&D : ", gbxEmployerData);
  Employer->addWidget(IdCaption, 0, 0);
  pnlEmpId = ValueLabel(gbxEmployerData, "pnlEmpId");
  pnlEmpId->setFrameShape(QFrame::Panel);
  pnlEmpId->setFrameShadow(QFrame::Sunken);
  pnlEmpId->setAutoFillBackground(true);
  {
    QPalette Palette = pnlEmpId->palette();
    Palette.setColor(QPalette::Window, ToQColor(clInfoBk));
    Palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
    pnlEmpId->setPalette(Palette);
  }
  pnlEmpId->setAlignment(Qt::AlignCenter);
  pnlEmpId->setMinimumWidth(60);
  Employer->addWidget(pnlEmpId, 0, 1, Qt::AlignLeft);
  auto* NameCaption = new QLabel("&Employer Name : ", gbxEmployerData);
  Employer->addWidget(NameCaption, 1, 0);
  edtEmployerName = new QLineEdit(gbxEmployerData);
  edtEmployerName->setObjectName("edtEmployerName");
  edtEmployerName->setMaxLength(30);  // the header holds 30 characters
  NameCaption->setBuddy(edtEmployerName);
  IdCaption->setBuddy(edtEmployerName);
  connect(edtEmployerName, &QLineEdit::textChanged, this,
          [this] { RunHandler([this] { edtEmployerChange(); }); });
  Employer->addWidget(edtEmployerName, 1, 1);
  Employer->setColumnStretch(1, 1);
  Info->addWidget(gbxEmployerData, 1, 0);

  gbxFileName = new QGroupBox("Transmittal File Name", tbsTrans);
  gbxFileName->setObjectName("gbxFileName");
  auto* FileBox = new QVBoxLayout(gbxFileName);
  edtFileName = new QLineEdit(gbxFileName);
  edtFileName->setObjectName("edtFileName");
  edtFileName->setReadOnly(true);
  edtFileName->setFrame(false);
  {
    QFont Font = edtFileName->font();
    Font.setBold(true);
    edtFileName->setFont(Font);
  }
  FileBox->addWidget(edtFileName);
  Info->addWidget(gbxFileName, 2, 0, 1, 2);

  gbxVersion = new QGroupBox("Program", tbsTrans);
  gbxVersion->setObjectName("gbxVersion");
  auto* VersionBox = new QVBoxLayout(gbxVersion);
  lblKSF = ValueLabel(gbxVersion, "lblKSF");
  lblKSF->setText("Varnholm");
  VersionBox->addWidget(lblKSF);
  auto* VersionRow = new QHBoxLayout;
  VersionRow->setSpacing(0);
  lblVersion = ValueLabel(gbxVersion, "lblVersion", false);
  lblVersion->setText("Employer Transmittal Software, v. ");
  Label1 = ValueLabel(gbxVersion, "Label1", false);
  Label1->setText("3.0");
  VersionRow->addWidget(lblVersion);
  VersionRow->addWidget(Label1);
  VersionRow->addStretch(1);
  VersionBox->addLayout(VersionRow);
  VersionBox->addStretch(1);
  Info->addWidget(gbxVersion, 0, 1);

  gbxNotice = new QGroupBox("Important Notice", tbsTrans);
  gbxNotice->setObjectName("gbxNotice");
  auto* NoticeBox = new QVBoxLayout(gbxNotice);
  lblNotice = ValueLabel(gbxNotice, "lblNotice");
  lblNotice->setText("Please upload files to Secure FTP Server.");
  lblNotice->setWordWrap(true);
  {
    QPalette Palette = lblNotice->palette();
    Palette.setColor(QPalette::WindowText, ToQColor(clRed));
    lblNotice->setPalette(Palette);
  }
  NoticeBox->addWidget(lblNotice);
  Info->addWidget(gbxNotice, 1, 1);
  Info->setRowStretch(3, 1);
  Info->setColumnStretch(0, 3);
  Info->setColumnStretch(1, 2);

  // -- the grids --
  auto MakeGrid = [this](TTabSheet* Page, const char* Name, int32_t Cols, int32_t DesignWidth) {
    auto* Layout = new QVBoxLayout(Page);
    Layout->setContentsMargins(0, 0, 0, 0);
    auto* Grid = new TStringGrid(Page);
    Grid->setObjectName(Name);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(2);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(0);
    Grid->SetDefaultColWidth(DesignWidth);
    Grid->SetDefaultRowHeight(21);
    // The column widths are fixed in pixels; a compact, condensed face keeps
    // titles, amounts and social security numbers whole in them.
    QFont Font = Grid->font();
    Font.setPixelSize(11);
    Font.setStretch(QFont::SemiCondensed);
    Grid->setFont(Font);
    Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goEditing |
                     goTabs | goThumbTracking);
    Layout->addWidget(Grid);
    return Grid;
  };
  sgrDemogr = MakeGrid(tbsDemogr, "sgrDemogr", 6, 90);
  sgrContr = MakeGrid(tbsContr, "sgrContr", 9, 70);

  sgrDemogr->OnClick = [this] { sgrClick(sgrDemogr); };
  sgrContr->OnClick = [this] { sgrClick(sgrContr); };
  sgrDemogr->OnSelectCell = [this](int32_t C, int32_t R, bool& Can) { Can = sgrDemogrSelectCell(C, R); };
  sgrContr->OnSelectCell = [this](int32_t C, int32_t R, bool& Can) { Can = sgrContrSelectCell(C, R); };
  sgrDemogr->OnDrawCell = [this](int32_t C, int32_t R, const TRect& Rect, TGridDrawState) {
    sgrDemogrDrawCell(C, R, Rect);
  };
  sgrContr->OnDrawCell = [this](int32_t C, int32_t R, const TRect& Rect, TGridDrawState) {
    sgrContrDrawCell(C, R, Rect);
  };
  sgrDemogr->OnGetEditMask = [this](int32_t C, int32_t R, std::string& Value) {
    Value = sgrDemogrGetEditMask(C, R);
  };
  sgrContr->OnGetEditText = [this](int32_t C, int32_t R, std::string& Value) {
    Value = sgrContrGetEditText(C, R);
  };
  sgrDemogr->OnSetEditText = [this](int32_t C, int32_t R, const std::string& V) { sgrDemogrSetEditText(C, R, V); };
  sgrContr->OnSetEditText = [this](int32_t C, int32_t R, const std::string& V) { sgrContrSetEditText(C, R, V); };
  sgrDemogr->OnKeyDown = [this](uint16_t& Key, TShiftState Shift) { sgrDemogrKeyDown(Key, Shift); };
  sgrDemogr->OnKeyPress = [this](char& Key) { sgrDemogrKeyPress(Key); };
  sgrDemogr->OnKeyUp = [this](uint16_t& Key, TShiftState Shift) { sgrDemogrKeyUp(Key, Shift); };
  sgrContr->OnKeyDown = [this](uint16_t& Key, TShiftState Shift) { sgrContrKeyDown(Key, Shift); };
  sgrContr->OnKeyPress = [this](char& Key) { sgrContrKeyPress(Key); };
  sgrContr->OnKeyUp = [this](uint16_t& Key, TShiftState Shift) { sgrContrKeyUp(Key, Shift); };

  // -- the button column --
  pnlBtns = new QWidget(this);
  pnlBtns->setObjectName("pnlBtns");
  auto* Btns = new QVBoxLayout(pnlBtns);
  Btns->setContentsMargins(0, 22, 0, 0);
  bbnExit = Button(pnlBtns, "bbnExit", "E&xit", TGlyph::Exit);
  bbnNew = Button(pnlBtns, "bbnNew", "&New", TGlyph::New, TButtonLayout::GlyphTop);
  bbnAmend = Button(pnlBtns, "bbnAmend", "&Amend", TGlyph::Edit, TButtonLayout::GlyphTop);
  bbnRevise = Button(pnlBtns, "bbnRevise", "&Revise", TGlyph::Refresh, TButtonLayout::GlyphTop);
  bbnPrint = Button(pnlBtns, "bbnPrint", "&Print", TGlyph::Print, TButtonLayout::GlyphTop);
  bbnSave = Button(pnlBtns, "bbnSave", "&Save", TGlyph::Save, TButtonLayout::GlyphTop);
  bbnHelp = Button(pnlBtns, "bbnHelp", "Help", TGlyph::Help, TButtonLayout::GlyphTop);
  for (TBitBtn* B : {bbnExit, bbnNew, bbnAmend, bbnRevise, bbnPrint, bbnSave, bbnHelp}) {
    B->setMinimumWidth(64);
    Btns->addWidget(B);
  }
  Btns->addStretch(1);
  bbnExit->OnClick = [this] { bbnExitClick(); };
  bbnNew->OnClick = [this] { bbnNewClick(); };
  bbnAmend->OnClick = [this] { bbnAmendClick(); };
  bbnRevise->OnClick = [this] { bbnReviseClick(); };
  bbnPrint->OnClick = [this] { bbnPrintClick(); };
  bbnSave->OnClick = [this] { bbnSaveClick(); };
  bbnHelp->OnClick = [this] { bbnHelpClick(); };
  Top->addWidget(pnlBtns);

  // -- the member commands --
  pnlBottomBtns = new QWidget(this);
  pnlBottomBtns->setObjectName("pnlBottomBtns");
  auto* Bottom = new QHBoxLayout(pnlBottomBtns);
  Bottom->setContentsMargins(0, 0, 0, 0);
  bbnCancel = Button(pnlBottomBtns, "bbnCancel", "Cancel", TGlyph::Cancel);
  bbnEdit = Button(pnlBottomBtns, "bbnEdit", "D&etail", TGlyph::Edit);
  bbnInsert = Button(pnlBottomBtns, "bbnInsert", "&Insert", TGlyph::Insert);
  bbnSort = Button(pnlBottomBtns, "bbnSort", "S&ort", TGlyph::Sort);
  bbnSearch = Button(pnlBottomBtns, "bbnSearch", "Sear&ch", TGlyph::Search);
  bbnShowErr = Button(pnlBottomBtns, "bbnShowErr", "S&how Errors", TGlyph::No);
  bbnShowErr->setFocusPolicy(Qt::ClickFocus);
  bbnShowErr->hide();
  bbnShowAll = Button(pnlBottomBtns, "bbnShowAll", "Show A&ll", TGlyph::Refresh);
  for (TBitBtn* B : {bbnCancel, bbnEdit, bbnInsert, bbnSort, bbnSearch, bbnShowErr, bbnShowAll})
    Bottom->addWidget(B);
  Bottom->addStretch(1);
  bbnCancel->OnClick = [this] { bbnCancelClick(); };
  bbnEdit->OnClick = [this] { bbnEditClick(); };
  bbnInsert->OnClick = [this] { bbnInsertClick(); };
  bbnSort->OnClick = [this] { bbnSortClick(); };
  bbnSearch->OnClick = [this] { bbnSearchClick(); };
  bbnShowErr->OnClick = [this] { bbnShowErrClick(); };
  bbnShowAll->OnClick = [this] { bbnShowAllClick(); };
  SetCancelButton(bbnCancel);
  Root->addWidget(pnlBottomBtns);

  // -- totals --
  pnlTotals = new QFrame(this);
  pnlTotals->setObjectName("pnlTotals");
  pnlTotals->setFrameShape(QFrame::StyledPanel);
  pnlTotals->setAutoFillBackground(true);
  {
    QPalette Palette = pnlTotals->palette();
    Palette.setColor(QPalette::Window, ToQColor(clInfoBk));
    Palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
    pnlTotals->setPalette(Palette);
  }
  auto* Totals = new QGridLayout(pnlTotals);
  Totals->setContentsMargins(6, 2, 6, 2);
  Totals->setVerticalSpacing(0);
  const char* Captions[] = {"Record Count", "Regular Total",   "Health Total",
                            "Voluntary Total", "Contracts Total", "Grand Total"};
  const char* Names[] = {"lblRecordCount", "lblRegular",   "lblHealth",
                         "lblVoluntary",   "lblContracts", "lblGrandTotal"};
  QLabel** Values[] = {&lblRecordCount, &lblRegular, &lblHealth, &lblVoluntary, &lblContracts, &lblGrandTotal};
  for (int I = 0; I < 6; ++I) {
    auto* CaptionLabel = ValueLabel(pnlTotals, "", I == 5);
    CaptionLabel->setObjectName(QString());
    CaptionLabel->setText(Captions[I]);
    CaptionLabel->setAlignment(Qt::AlignRight);
    *Values[I] = ValueLabel(pnlTotals, Names[I], I == 5);
    (*Values[I])->setAlignment(Qt::AlignRight);
    Totals->addWidget(CaptionLabel, 0, I);
    Totals->addWidget(*Values[I], 1, I);
  }
  Root->addWidget(pnlTotals);

  // -- status line --
  pnlStatus = new QWidget(this);
  pnlStatus->setObjectName("pnlStatus");
  auto* Status = new QHBoxLayout(pnlStatus);
  Status->setContentsMargins(0, 0, 0, 0);
  StatusBar = new TStatusBar(pnlStatus);
  StatusBar->setObjectName("StatusBar");
  StatusBar->AddPanel(100, "All");
  StatusBar->AddPanel(250);
  StatusBar->AddPanel(70);  // wide enough for "Read Only" in the system font
  Status->addWidget(StatusBar, 1);
  pnlAllow = new QWidget(pnlStatus);
  pnlAllow->setObjectName("pnlAllow");
  auto* Allow = new QHBoxLayout(pnlAllow);
  Allow->setContentsMargins(4, 0, 4, 0);
  chbSaveError = new TCheckBox("Allow in&complete saves", pnlAllow);
  chbSaveError->setObjectName("chbSaveError");
  chbSaveError->OnClick = [this] { chbSaveErrorClick(); };
  Allow->addWidget(chbSaveError);
  Status->addWidget(pnlAllow);
  Root->addWidget(pnlStatus);

  pmnFiles = std::make_unique<TPopupMenu>();

  setTabOrder(bbnExit, bbnNew);
  setTabOrder(bbnNew, bbnAmend);
  setTabOrder(bbnAmend, bbnRevise);
  setTabOrder(bbnRevise, bbnPrint);
  setTabOrder(bbnPrint, bbnSave);
  setTabOrder(bbnSave, bbnHelp);
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
  delete Files;
  Files = new TFileCollection(SelectedEmployerId);
  delete Trans;
  Trans = new TTransShort();
  VisibleRows.clear();
  delete frmMbrDetail;
  frmMbrDetail = new TfrmMbrDetail(this);
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
  edtMonthYear->setText(ToQString(MonthName(FMonth) + ", " + Dec(FYear)));
  lblPeriod->setText(ToQString(Dec(FSchoolPeriod)));
  lblFiscYear->setText(ToQString(Dec(FFiscalYear)));
}

void TfrmTrans::SetAmendment(uint16_t Value) {
  if (Value > 9) {
    Refuse("Amendment should be between 0 and 9: " + Dec(Value) + "\r\nAmendment set to 0!", TMsgIcon::Warning);
    Value = 0;
  }
  FAmendment = Value;
  lblAmend->setText(ToQString(Dec(Value)));
}

void TfrmTrans::SetRevision(uint16_t Value) {
  if (Value > 9) {
    Refuse("Revision should be between 0 and 9: " + Dec(Value) + "\r\nRevision set to 0!", TMsgIcon::Warning);
    Value = 0;
  }
  FRevision = Value;
  lblRevision->setText(ToQString(Dec(Value)));
}

// The extension is the employer whose file tree this form walks, not the ID
// panel: the panel shows the open file's header, which is blank after an empty
// or unreadable file and another employer's ID in a copied-in file, and names
// built from it would lead to files that are not this employer's.
std::string TfrmTrans::MakeFileName() const {
  return Dec(FYear) + TwoDigitMonth(Dec(FMonth)) + ToStdString(lblAmend->text()) +
         ToStdString(lblRevision->text()) + "." + SelectedEmployerId;
}

std::string TwoDigitMonth(const std::string& S) {
  auto IsDigit = [](char C) { return C >= '0' && C <= '9'; };
  if (S.size() == 1) {
    if (!IsDigit(S[0])) throw Exception("Expected Month (" + S + ")");
    return "0" + S;
  }
  if (S.size() == 2) {
    if (!IsDigit(S[0]) || !IsDigit(S[1])) throw Exception("Expected Month (" + S + ")");
    return S;
  }
  throw Exception("Expected Month (" + S + ")");
}

bool IsRevisionFileName(const std::string& Name) { return Name.size() >= 8 && Name[7] > '0'; }
bool IsAmendmentFileName(const std::string& Name) { return Name.size() >= 7 && Name[6] > '0'; }

void TfrmTrans::ValidateAfterLoad() {
  if (!chbSaveError->Checked() && Trans->Details.Count() > 0 && !Trans->Validate())
    chbSaveError->SetChecked(true);
}

void TfrmTrans::OpenNewFile() {
  FMakingFile = true;
  try {
    OpenTransmittal();
  } catch (...) {
    FMakingFile = false;
    throw;
  }
  FMakingFile = false;
}

void TfrmTrans::OpenTransmittal() {
  const std::string N = MakeFileName();
  FCurrentFile = Files->Find(N);
  std::error_code Error;
  std::filesystem::path Path = std::filesystem::absolute(AppDir + "Data/" + N, Error);
  Trans->FileName = Path.lexically_normal().string();
  Trans->Header->SetAsString(fnBatchEmployerName, ToStdString(edtEmployerName->text()));
  edtFileName->setText(ToQString(Trans->FileName));
  lblNotice->setText("Please upload the file to Secure FTP Server.");
  setWindowTitle(ToQString("KSF Transmittal - " + Trans->FileName));
  // Set before the read, so that a read that raises leaves the file protected too.
  FPartlyRead = FileExists(Trans->FileName);
  if (FPartlyRead) {
    try {
      FPartlyRead = !Trans->LoadFromFile();
    } catch (...) {
      // The grids and the read-only rule must describe this file, not the one
      // shown before, before the error is reported.
      RefreshGrids();
      BuildFilesMenu();
      throw;
    }
    ValidateAfterLoad();
  } else if (!FMakingFile && !IsAmendmentFileName(N)) {
    // Listed but not on disk, reached by moving through the files (its first save
    // failed, or it was removed): nothing was ever written under this name, so it
    // starts empty instead of taking over the members of the file open before,
    // which a Save would then write under the wrong month or revision.
    ClearFreeList(&Trans->Details);
  } else if (IsRevisionFileName(N)) {
    // A new revision: the transmittal that was open becomes its content.
    SaveTransmittal();
  } else if (IsAmendmentFileName(N)) {
    // A new amendment starts without members.
    ClearFreeList(&Trans->Details);
  }
  // Otherwise a new report: New has just put the merged members in memory.
  RefreshGrids();
  BuildFilesMenu();
  if (FPartlyRead)
    Refuse("The file " + N + " could not be read completely. It is shown read-only, so that "
           "a save cannot drop the members that were not read.", TMsgIcon::Warning);
}

bool TfrmTrans::IsLastPeriod() const {
  try {
    if (Files == nullptr || Files->Periods.Count() == 0) return false;
    TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
    return L->Amendments.Count() > 0 && FMonth == L->Month && FYear == L->Year;
  } catch (...) {
    return false;
  }
}

bool TfrmTrans::IsLatestVersion() const {
  try {
    if (Trans == nullptr) return false;
    if (Trans->Details.Count() == 0) return true;
    if (Files == nullptr || Files->Periods.Count() == 0) return false;
    TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
    if (L->Amendments.Count() == 0) return false;
    if (FMonth != L->Month || FYear != L->Year) return false;
    if (FAmendment != L->Index) return false;
    if (L->Index < 0 || L->Index >= L->Amendments.Count()) return false;
    return FRevision >= L->Amendments[L->Index]->Revisions.Count() - 1;
  } catch (...) {
    return false;
  }
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

void TfrmTrans::bbnCancelClick() {
  THourglass Hourglass;
  if (FEditing) {
    const int32_t K = Trans->CurIndex;
    // A file that was never written (a new report or amendment whose first save
    // failed) has nothing to read back: its members stay as they are in memory.
    if (FileExists(Trans->FileName)) {
      FPartlyRead = true;
      try {
        FPartlyRead = !Trans->LoadFromFile();
      } catch (...) {
        RefreshGrids();
        throw;
      }
      ValidateAfterLoad();
    }
    const int32_t Count = Trans->Details.Count();
    Trans->CurIndex = K < Count ? K : Count - 1;
  }
  edtEmployerName->setText(ToQString(Trans->Header->GetAsString(fnBatchEmployerName)));
  const int32_t DRow = sgrDemogr->Row(), DCol = sgrDemogr->Col();
  const int32_t CRow = sgrContr->Row(), CCol = sgrContr->Col();
  RefreshGrids();
  for (auto [Grid, Row, Col] : {std::tuple{sgrDemogr, DRow, DCol}, std::tuple{sgrContr, CRow, CCol}}) {
    if (!VisibleRows.empty()) {
      Grid->SetRow(Clamp(Row, 1, Grid->RowCount() - 1));
      Grid->SetCol(Clamp(Col, 0, Grid->ColCount() - 1));
    }
    Grid->SetEditorMode(false);
  }
}

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
  if (FEditing && !ReadOnlyMode && Trans->Details.Count() > 0) {
    CanClose = ConfirmSave();
  } else {
    CanClose = true;
    THourglass Hourglass;
    Trans->Validate();
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
  delete frmMbrDetail;
  frmMbrDetail = nullptr;
  delete Files;
  Files = nullptr;
  delete Trans;
  Trans = nullptr;
  VisibleRows.clear();
  deleteLater();
  if (frmTrans == this) frmTrans = nullptr;
  // The employer-selection window is the main window: closing it ends the run.
  if (frmOpening != nullptr) {
    TfrmOpening* Main = frmOpening;
    frmOpening = nullptr;
    Main->close();
  }
}

// ---------------------------------------------------------------------------
// File navigation, New, Revise, Amend, save, print, help
// ---------------------------------------------------------------------------

// Shows the period, amendment and revision of a file of the tree and opens it.
void TfrmTrans::OpenFileOf(const TFileData* D) {
  SetPeriod(D->Month, D->Year);
  SetAmendment(D->Amendment);
  SetRevision(D->Revision);
  OpenTransmittal();
}

// Both navigator pairs: the end button opens the first or last file (a beep when
// that file is open already), the step button the file before or after the open
// one (a beep at either end).
void TfrmTrans::Navigate(bool ToEnd, TFileData* (TFileCollection::*End)(),
                         TFileData* (TFileCollection::*Step)()) {
  if (!ConfirmSave()) return;
  TFileData* D = ToEnd ? (Files->*End)() : (Files->*Step)();
  if (ToEnd && D == FCurrentFile) D = nullptr;
  if (D == nullptr) {
    Beep();
    return;
  }
  OpenFileOf(D);
}

void TfrmTrans::dbnPrevClick(TNavigateBtn Button) {
  Navigate(Button == nbFirst, &TFileCollection::First, &TFileCollection::Prior);
}

void TfrmTrans::dbnNextClick(TNavigateBtn Button) {
  Navigate(Button == nbLast, &TFileCollection::Last, &TFileCollection::Next);
}

void ClearMenuItems(TMenuItem* Item) {
  while (Item->Count() > 0) {
    std::unique_ptr<TMenuItem> Sub = Item->Extract(0);
    ClearMenuItems(Sub.get());
  }
}

void TfrmTrans::BuildFilesMenu() {
  TMenuItem& Top = pmnFiles->Items;
  if (FMenuClickDepth > 0) {
    // The item whose click is being handled must outlive its handler.
    while (Top.Count() > 0) FRetiredMenu.push_back(Top.Extract(0));
  } else {
    ClearMenuItems(&Top);
  }
  auto OnClick = [this](TMenuItem* Sender) { RunHandler([&] { FilesMenuClick(Sender); }); };
  auto Make = [&](const std::string& Name, const std::string& Text) {
    auto Item = std::make_unique<TMenuItem>(Name, Text);
    Item->OnClick = OnClick;
    return Item;
  };
  auto RevisionItems = [&](TMenuItem* Parent, TFileNest* Nest, const std::string& Prefix) {
    for (int32_t R = Nest->Revisions.Count() - 1; R >= 0; --R) {
      const std::string Number = Dec(Nest->Revisions[R]->Revision);
      Parent->Add(Make(Prefix + Number, R == 0 ? "Original submission" : "Revision " + Number));
    }
  };
  for (int32_t P = Files->Periods.Count() - 1; P >= 0; --P) {
    TFilePeriod* Period = Files->Periods[P];
    const std::string MM = TwoDigitMonth(Dec(Period->Month));
    const std::string YYYY = Dec(Period->Year);
    auto PeriodItem = Make("B" + MM + YYYY + "00", MonthName(Period->Month) + ", " + YYYY);
    if (Period->Amendments.Count() == 1 && Period->Amendments[0]->Revisions.Count() >= 2) {
      RevisionItems(PeriodItem.get(), Period->Amendments[0], "R" + MM + YYYY + "0");
    } else if (Period->Amendments.Count() >= 2) {
      for (int32_t A = Period->Amendments.Count() - 1; A >= 0; --A) {
        TFileNest* Nest = Period->Amendments[A];
        const std::string Number = Dec(Nest->Amendment);
        auto AmendItem = Make("A" + MM + YYYY + Number + "0", A == 0 ? "Report" : "Amendment " + Number);
        if (Nest->Revisions.Count() >= 2) RevisionItems(AmendItem.get(), Nest, "R" + MM + YYYY + Number);
        PeriodItem->Add(std::move(AmendItem));
      }
    }
    Top.Add(std::move(PeriodItem));
  }
}

void TfrmTrans::edtMonthYearDo() {
  QPoint At = edtMonthYear->mapToGlobal(QPoint(edtMonthYear->width() - FMenuWidth, edtMonthYear->height()));
  pmnFiles->Popup(At.x(), At.y());
}

void TfrmTrans::edtMonthYearKeyDown(uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN || Key == VK_DOWN) edtMonthYearDo();
}

void TfrmTrans::FilesMenuClick(TMenuItem* Sender) {
  struct TDepth {
    TfrmTrans* Form;
    explicit TDepth(TfrmTrans* F) : Form(F) { ++Form->FMenuClickDepth; }
    ~TDepth() {
      if (--Form->FMenuClickDepth == 0) Form->FRetiredMenu.clear();
    }
  } Depth(this);
  if (Sender == nullptr || Sender->Count() > 0) return;
  const std::string Name = Sender->Name;
  int32_t Year, Month, Amendment, Revision;
  if (!TryStrToInt(Part(Name, 3, 4), Year) || !TryStrToInt(Part(Name, 1, 2), Month) ||
      !TryStrToInt(Part(Name, 7, 1), Amendment) || !TryStrToInt(Part(Name, 8, 1), Revision))
    return;
  // A typed employer name would be dropped by the opening without a word; ask
  // as the navigator buttons do.
  if (!ConfirmSave()) return;
  SetPeriod(Month, Year);
  SetAmendment(static_cast<uint16_t>(Amendment));
  SetRevision(static_cast<uint16_t>(Revision));
  OpenTransmittal();
  // On to the next control the Tab key would reach: the tree button inside the
  // box and the navigator's frame take no focus of their own.
  for (QWidget* Next = edtMonthYear->nextInFocusChain(); Next != nullptr && Next != edtMonthYear;
       Next = Next->nextInFocusChain())
    if ((Next->focusPolicy() & Qt::TabFocus) && Next->isEnabled() && Next->isVisibleTo(this)) {
      Next->setFocus();
      break;
    }
}

bool TfrmTrans::ConfirmSave() {
  if (!FEditing || ReadOnlyMode || Trans->Details.Count() == 0) return true;
  switch (Confirm("Data modified! Save?")) {
    case mrYes:
      return SaveTransmittal();
    case mrNo:
      bbnCancelClick();
      return true;
    default:
      return false;
  }
}

void TfrmTrans::ShowTotals(long double R, long double H, long double V, long double C, long double G) {
  lblRegular->setText(ToQString(FormatMoney(R)));
  lblHealth->setText(ToQString(FormatMoney(H)));
  lblVoluntary->setText(ToQString(FormatMoney(V)));
  lblContracts->setText(ToQString(FormatMoney(C)));
  lblGrandTotal->setText(ToQString(FormatMoney(G)));
}

bool TfrmTrans::SaveTransmittal() {
  THourglass Hourglass;
  Trans->Header->SetAsString(fnBatchEmployerName, ToStdString(edtEmployerName->text()));
  if (FEditing && !StoreGridEdits()) return false;
  const bool Ok = Trans->SaveToFile(chbSaveError->Checked());
  lblRecordCount->setText(ToQString(Dec(Trans->Details.Count())));
  TRecord* T = Trans->Trailer.get();
  ShowTotals(T->GetAsFloat(fnTotalEmplContribAmt), T->GetAsFloat(fnTotalEmplrContribAmt),
             T->GetAsFloat(fnTotalVolContribAmt), T->GetAsFloat(fnTotalCntrctPayAmt),
             T->GetAsFloat(fnTotalReceivables));
  if (Ok) {
    SetEditing(false);
    Files->AddFile(std::filesystem::path(Trans->FileName).filename().string());
    RefreshGrids();
  } else {
    Refuse("Coudn't save the file!", TMsgIcon::Warning);
  }
  return Ok;
}

void TfrmTrans::bbnSaveClick() { SaveTransmittal(); }

// The opening steps that New, Revise and Amend share: refused while incomplete
// saves are allowed, then the save question, then the user's confirmation.
bool TfrmTrans::BeginFileCommand(const char* IncompleteRefusal, const char* Question) {
  if (chbSaveError->Checked()) {
    Refuse(IncompleteRefusal, TMsgIcon::Warning);
    return false;
  }
  if (!ConfirmSave() || Files->Periods.Count() == 0) {
    Beep();
    return false;
  }
  return Ask(Question);
}

// Revise and Amend work only on the employer's last reporting period; returns it
// with the information page shown, or null after the refusal.
TFilePeriod* TfrmTrans::LastPeriodOnly(const char* Refusal) {
  TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
  if (L->Amendments.Count() == 0) {
    Beep();
    return nullptr;
  }
  if (FMonth != L->Month || FYear != L->Year) {
    Refuse(Refusal, TMsgIcon::Warning);
    return nullptr;
  }
  pgcTrans->SetActivePage(tbsTrans);
  pgcTransChange();
  return L;
}

void TfrmTrans::bbnNewClick() {
  if (!BeginFileCommand("A new transmittal cannot be generated from an incomplete file!",
                        "A new report will be created for the next month.\r\n"
                        "You will not be able to make revisions for the current month!\r\n"
                        "Continue?"))
    return;
  pgcTrans->SetActivePage(tbsTrans);
  pgcTransChange();
  TFilePeriod* L = Files->Periods[Files->Periods.Count() - 1];
  if (L->Amendments.Count() == 0) return;
  int32_t M = L->Month + 1, Y = L->Year;
  if (M == 7 || M == 8) M = 9;
  if (M == 13) {
    M = 1;
    ++Y;
  }
  Trans->MergeAmendments(L->Amendments, true);
  SetPeriod(M, Y);
  SetAmendment(0);
  SetRevision(0);
  Files->AddFile(MakeFileName());
  OpenNewFile();
  // A report that could not be written is on screen only: keep it being edited,
  // so Save stays offered and nothing is made from a file that is not on disk.
  if (!SaveTransmittal()) SetEditing(true);
}

void TfrmTrans::bbnReviseClick() {
  if (!BeginFileCommand("An incomplete transmittal cannot be revised!",
                        "A new revision will be created for the current report.\r\nContinue?"))
    return;
  TFilePeriod* L = LastPeriodOnly("Revisions can be made only for the last reporting period");
  if (L == nullptr) return;
  const uint16_t OldAmendment = FAmendment, OldRevision = FRevision;
  TFileNest* A = nullptr;
  for (TFileNest* Nest : L->Amendments)
    if (Nest->Amendment == FAmendment) {
      A = Nest;
      break;
    }
  if (A == nullptr) {
    SetAmendment(0);
    A = L->Amendments[0];
  }
  // One past the newest listed revision, and past any file of that name on disk,
  // so the copy never lands on an existing file.
  const uint16_t Number = A->NextRevisionNumber();
  SetRevision(Number);
  if (Number > 9) {
    // No eleventh revision: the open file stays open and nothing is written.
    SetAmendment(OldAmendment);
    SetRevision(OldRevision);
    return;
  }
  Files->AddFile(MakeFileName());
  OpenNewFile();
  // The copy's save failed: as for New, the revision exists only on screen.
  if (!FileExists(Trans->FileName)) SetEditing(true);
}

void TfrmTrans::bbnAmendClick() {
  if (!BeginFileCommand("An incopmlete transmittal cannot be amended!",
                        "A new amendment will be created to the current report.\r\nContinue?"))
    return;
  TFilePeriod* L = LastPeriodOnly("Amendments can be made only to the last report");
  if (L == nullptr) return;
  const uint16_t Number = L->NextAmendmentNumber();
  if (Number > 9) {
    // No eleventh amendment: the refusal is shown, the open file stays open and
    // the tree is left as it is.
    const uint16_t OldAmendment = FAmendment;
    SetAmendment(Number);
    SetAmendment(OldAmendment);
    return;
  }
  TFileData* D = L->NewAmendment();
  SetAmendment(D->Amendment);
  SetRevision(0);
  Files->AddFile(MakeFileName());
  OpenTransmittal();
  bbnEditClick();
}

void TfrmTrans::bbnPrintClick() {
  int Choice;
  {
    TfrmPrintQ Dialog(this);
    Choice = Dialog.exec();
  }
  if (Choice == mrYes) {
    TfrmReportMember Report(this);
    Report.Preview();
  } else if (Choice == mrNo) {
    TfrmReportTrans Report(this);
    Report.Preview();
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

// ---------------------------------------------------------------------------
// Member grids
// ---------------------------------------------------------------------------

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
  lblRecordCount->setText(ToQString(Dec(Count)));
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

// ---------------------------------------------------------------------------
// Member commands. The detail form, the search and the filters come with the
// member list work; until then the commands do only what the file commands
// above rely on.
// ---------------------------------------------------------------------------

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
