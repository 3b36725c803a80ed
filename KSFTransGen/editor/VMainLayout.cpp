// The preparation form's controls: the three pages, the button column, the
// member commands, the totals and the status line, with their handlers bound.
#include "VMain.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "QtEnv.h"
#include "QtText.h"
#include "GridColumns.h"
#include "StringGrid.h"

namespace {

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

// The width a line edit needs to show Text whole: the text and whatever the
// box adds around it (its frame and margins, as its own size hint counts them
// around seventeen x's).
int LineEditWidthFor(const QLineEdit* Box, const QString& Text) {
  const QFontMetrics Metrics(Box->font());
  return Box->sizeHint().width() - 17 * Metrics.horizontalAdvance(QLatin1Char('x')) + Metrics.horizontalAdvance(Text);
}

// The tooltip colours, for the panels that show figures rather than take them.
void InfoColours(QWidget* Panel) {
  Panel->setAutoFillBackground(true);
  QPalette Palette = Panel->palette();
  Palette.setColor(QPalette::Window, ToQColor(clInfoBk));
  Palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
  Panel->setPalette(Palette);
}

}  // namespace

void TfrmTrans::BuildLayout() {
  auto* Root = new QVBoxLayout(this);
  // A margin under the status line too: its panels' lower edges must not sit
  // on the window's edge, where a window frame covers them.
  Root->setContentsMargins(4, 4, 4, 4);
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
  InfoColours(pnlEmpId);
  pnlEmpId->setAlignment(Qt::AlignCenter);
  pnlEmpId->setMinimumWidth(60);
  Employer->addWidget(pnlEmpId, 0, 1, Qt::AlignLeft);
  auto* NameCaption = new QLabel("&Employer Name : ", gbxEmployerData);
  Employer->addWidget(NameCaption, 1, 0);
  edtEmployerName = new QLineEdit(gbxEmployerData);
  edtEmployerName->setObjectName("edtEmployerName");
  edtEmployerName->setMaxLength(30);  // the header holds 30 characters
  edtEmployerName->setMinimumWidth(LineEditWidthFor(edtEmployerName, QString(30, 'N')));
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
  auto MakeGrid = [this](TTabSheet* Page, const char* Name, TGridColumns Columns, int32_t DesignWidth) {
    auto* Layout = new QVBoxLayout(Page);
    Layout->setContentsMargins(0, 0, 0, 0);
    auto* Grid = new TStringGrid(Page);
    Grid->setObjectName(Name);
    Grid->SetColCount(static_cast<int32_t>(Columns.size()));
    Grid->SetRowCount(2);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(0);
    Grid->SetDefaultColWidth(DesignWidth);
    Grid->SetDefaultRowHeight(21);
    FitGridFont(*Grid, Columns);
    Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goEditing |
                     goTabs | goThumbTracking);
    Layout->addWidget(Grid);
    return Grid;
  };
  sgrDemogr = MakeGrid(tbsDemogr, "sgrDemogr", DemogrColumns, 90);
  sgrContr = MakeGrid(tbsContr, "sgrContr", ContrColumns, 70);

  for (TStringGrid* Grid : {sgrDemogr, sgrContr}) {
    Grid->OnClick = [this, Grid] { sgrClick(Grid); };
    Grid->OnSelectCell = [this, Grid](int32_t C, int32_t R, bool& Can) { Can = sgrSelectCell(Grid, C, R); };
    Grid->OnDrawCell = [this, Grid](int32_t C, int32_t R, const TRect& Rect, TGridDrawState) {
      sgrDrawCell(Grid, C, R, Rect);
    };
    Grid->OnGetEditMask = [this, Grid](int32_t C, int32_t R, std::string& V) { V = sgrGetEditMask(Grid, C, R); };
    Grid->OnGetEditText = [this, Grid](int32_t C, int32_t R, std::string& V) { V = sgrGetEditText(Grid, C, R); };
    Grid->OnSetEditText = [this, Grid](int32_t C, int32_t R, const std::string& V) { sgrSetEditText(Grid, C, R, V); };
    Grid->OnKeyDown = [this, Grid](uint16_t& Key, TShiftState Shift) { sgrKeyDown(Grid, Key, Shift); };
    Grid->OnKeyPress = [this, Grid](char& Key) { sgrKeyPress(Grid, Key); };
    Grid->OnKeyUp = [this, Grid](uint16_t& Key, TShiftState Shift) { sgrKeyUp(Grid, Key, Shift); };
    Grid->OnDblClick = [this] { sgrDblClick(); };
  }
  sgrDemogr->OnMouseDown = [this](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    sgrDemogrMouseDown(Button, Shift, X, Y);
  };
  sgrContr->OnMouseDown = [this](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    sgrContrMouseDown(Button, Shift, X, Y);
  };

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
  using TClick = void (TfrmTrans::*)();
  const std::pair<TBitBtn*, TClick> Clicks[] = {
      {bbnExit, &TfrmTrans::bbnExitClick},     {bbnNew, &TfrmTrans::bbnNewClick},
      {bbnAmend, &TfrmTrans::bbnAmendClick},   {bbnRevise, &TfrmTrans::bbnReviseClick},
      {bbnPrint, &TfrmTrans::bbnPrintClick},   {bbnSave, &TfrmTrans::bbnSaveClick},
      {bbnHelp, &TfrmTrans::bbnHelpClick},     {bbnCancel, &TfrmTrans::bbnCancelClick},
      {bbnEdit, &TfrmTrans::bbnEditClick},     {bbnInsert, &TfrmTrans::bbnInsertClick},
      {bbnSort, &TfrmTrans::bbnSortClick},     {bbnSearch, &TfrmTrans::bbnSearchClick},
      {bbnShowErr, &TfrmTrans::bbnShowErrClick}, {bbnShowAll, &TfrmTrans::bbnShowAllClick}};
  for (auto [Btn, Click] : Clicks) Btn->OnClick = [this, Click] { (this->*Click)(); };
  SetCancelButton(bbnCancel);
  Root->addWidget(pnlBottomBtns);

  // -- totals --
  pnlTotals = new QFrame(this);
  pnlTotals->setObjectName("pnlTotals");
  pnlTotals->setFrameShape(QFrame::StyledPanel);
  InfoColours(pnlTotals);
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
  // The sort panel is wide enough for its longest text in the form's face.
  int32_t SortPanel = 250;
  for (TGridColumns Columns : {DemogrColumns, ContrColumns})
    for (const TGridColumn& Column : Columns)
      if (Column.SortLabel != nullptr)
        SortPanel = std::max(SortPanel, QFontMetrics(font()).horizontalAdvance(
                                            QString("Sorted by %1 (Descending)").arg(Column.SortLabel)) + 12);
  StatusBar->AddPanel(SortPanel);
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
