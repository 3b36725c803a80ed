#include "ReportPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "QtEnv.h"
#include "QtText.h"
#include "Report.h"
#include "ReportDialogs.h"
#include "ReportExport.h"
#include "ReportPainter.h"

namespace {

QToolButton* ToolButton(QWidget* Parent, const char* Name, const QString& Caption,
                        QStyle::StandardPixmap Icon = QStyle::SP_CustomBase) {
  auto* Button = new QToolButton(Parent);
  Button->setObjectName(QString::fromLatin1(Name));
  Button->setText(Caption);
  if (Icon != QStyle::SP_CustomBase) {
    Button->setIcon(Parent->style()->standardIcon(Icon));
    Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  }
  Button->setAutoRaise(true);
  return Button;
}

}  // namespace

// -- the page view --

TReportPageView::TReportPageView(const TReportLayout& Layout, QWidget* Parent)
    : QWidget(Parent), FLayout(Layout) {
  setObjectName("pnlPage");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void TReportPageView::ShowPage(int32_t PageIndex, double Scale) {
  FPageIndex = PageIndex;
  FScale = Scale;
  setFixedSize(static_cast<int>(FLayout.Page.Width * Scale) + 2 * Border,
               static_cast<int>(FLayout.Page.Height * Scale) + 2 * Border);
  update();
}

void TReportPageView::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  Painter.fillRect(rect(), palette().color(QPalette::Dark));
  const QRectF Paper(Border, Border, FLayout.Page.Width * FScale, FLayout.Page.Height * FScale);
  Painter.fillRect(Paper.translated(3, 3), QColor(64, 64, 64));
  Painter.fillRect(Paper, Qt::white);
  Painter.setClipRect(Paper);
  PaintReportPage(Painter, FLayout, FPageIndex, FScale, Paper.topLeft());
}

// -- the window --

TReportPreview::TReportPreview(const TReport& Report, QWidget* Parent)
    : QDialog(Parent), FReport(Report), FLayout(Report.Layout()) {
  setObjectName("frmPreview");
  setWindowTitle(Report.Title.empty() ? QStringLiteral("Print Preview")
                                      : ToQString(Report.Title));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);

  auto* Tools = new QHBoxLayout();
  btnFirst = ToolButton(this, "btnFirst", "First", QStyle::SP_MediaSkipBackward);
  btnPrior = ToolButton(this, "btnPrior", "Prior", QStyle::SP_MediaSeekBackward);
  edtPage = new QSpinBox(this);
  edtPage->setObjectName("edtPage");
  edtPage->setRange(1, std::max(1, PageCount()));
  edtPage->setKeyboardTracking(false);
  lblPageCount = new QLabel(QStringLiteral("of %1").arg(PageCount()), this);
  lblPageCount->setObjectName("lblPageCount");
  btnNext = ToolButton(this, "btnNext", "Next", QStyle::SP_MediaSeekForward);
  btnLast = ToolButton(this, "btnLast", "Last", QStyle::SP_MediaSkipForward);
  btnZoomWidth = ToolButton(this, "btnZoomWidth", "Page Width");
  btnZoomPage = ToolButton(this, "btnZoomPage", "Whole Page");
  btnZoomWidth->setCheckable(true);
  btnZoomPage->setCheckable(true);
  btnPrint = ToolButton(this, "btnPrint", "Print...");
  btnSave = ToolButton(this, "btnSave", "Save...", QStyle::SP_DialogSaveButton);
  btnSave->setEnabled(!Report.Filters().empty());
  btnClose = ToolButton(this, "btnClose", "Close", QStyle::SP_DialogCloseButton);
  for (QWidget* W : std::initializer_list<QWidget*>{btnFirst, btnPrior, edtPage, lblPageCount,
                                                    btnNext, btnLast})
    Tools->addWidget(W);
  Tools->addSpacing(16);
  Tools->addWidget(btnZoomWidth);
  Tools->addWidget(btnZoomPage);
  Tools->addSpacing(16);
  Tools->addWidget(btnPrint);
  Tools->addWidget(btnSave);
  Tools->addStretch(1);
  Tools->addWidget(btnClose);

  scrPage = new QScrollArea(this);
  scrPage->setObjectName("scrPage");
  scrPage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  scrPage->setBackgroundRole(QPalette::Dark);
  pnlPage = new TReportPageView(FLayout, scrPage);
  scrPage->setWidget(pnlPage);
  scrPage->installEventFilter(this);
  edtPage->installEventFilter(this);

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  Layout->addLayout(Tools);
  Layout->addWidget(scrPage, 1);

  connect(btnFirst, &QToolButton::clicked, this, [this] { SetPageIndex(0); });
  connect(btnPrior, &QToolButton::clicked, this, [this] { SetPageIndex(FPageIndex - 1); });
  connect(btnNext, &QToolButton::clicked, this, [this] { SetPageIndex(FPageIndex + 1); });
  connect(btnLast, &QToolButton::clicked, this, [this] { SetPageIndex(PageCount() - 1); });
  connect(edtPage, &QSpinBox::valueChanged, this, [this](int Value) { SetPageIndex(Value - 1); });
  connect(btnZoomWidth, &QToolButton::clicked, this, [this] { SetZoom(TZoom::PageWidth); });
  connect(btnZoomPage, &QToolButton::clicked, this, [this] { SetZoom(TZoom::WholePage); });
  connect(btnPrint, &QToolButton::clicked, this, [this] { Print(); });
  connect(btnSave, &QToolButton::clicked, this, [this] { Save(); });
  connect(btnClose, &QToolButton::clicked, this, [this] { reject(); });
  const std::pair<QKeySequence, std::function<void()>> Keys[] = {
      {QKeySequence(Qt::Key_PageDown), [this] { SetPageIndex(FPageIndex + 1); }},
      {QKeySequence(Qt::Key_PageUp), [this] { SetPageIndex(FPageIndex - 1); }},
      {QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { SetPageIndex(0); }},
      {QKeySequence(Qt::CTRL | Qt::Key_End), [this] { SetPageIndex(PageCount() - 1); }},
  };
  for (const auto& [Key, Action] : Keys) {
    auto* Shortcut = new QShortcut(Key, this);
    connect(Shortcut, &QShortcut::activated, this, [this, Action] {
      if (!FBusy) Action();
    });
  }

  // Tall enough for a whole page at about screen size where the screen allows.
  const QRect Screen = (Parent != nullptr ? Parent->screen() : QApplication::primaryScreen())
                           ->availableGeometry();
  const int Height = std::max(400, Screen.height() * 9 / 10);
  resize(std::min(Screen.width(), Height * 4 / 5), Height);
  pnlPage->setFocus();
  UpdateScale();
  UpdateControls();
}

TReportPreview::~TReportPreview() = default;

int32_t TReportPreview::PageCount() const { return FLayout.PageCount(); }

void TReportPreview::SetPageIndex(int32_t Index) {
  Index = std::clamp(Index, 0, std::max(0, PageCount() - 1));
  if (Index != FPageIndex) {
    FPageIndex = Index;
    scrPage->verticalScrollBar()->setValue(0);
    pnlPage->ShowPage(FPageIndex, FScale);
  }
  UpdateControls();
}

void TReportPreview::SetZoom(TZoom Zoom) {
  FZoom = Zoom;
  UpdateScale();
  UpdateControls();
}

void TReportPreview::UpdateScale() {
  const QSize Room = scrPage->maximumViewportSize();
  const double Across = Room.width() - 2 * TReportPageView::Border;
  double Scale;
  if (FZoom == TZoom::PageWidth) {
    // Room for the vertical scroll bar the page will need, so fitting the width
    // does not bring up a horizontal one.
    const int Bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    Scale = (Across - Bar) / FLayout.Page.Width;
  } else {
    const double Down = Room.height() - 2 * TReportPageView::Border;
    Scale = std::min(Across / FLayout.Page.Width, Down / FLayout.Page.Height);
  }
  FScale = std::max(0.1, Scale);
  pnlPage->ShowPage(FPageIndex, FScale);
}

void TReportPreview::UpdateControls() {
  const bool Idle = !FBusy;
  const bool Last = FPageIndex >= PageCount() - 1;
  btnFirst->setEnabled(Idle && FPageIndex > 0);
  btnPrior->setEnabled(Idle && FPageIndex > 0);
  btnNext->setEnabled(Idle && !Last);
  btnLast->setEnabled(Idle && !Last);
  edtPage->setEnabled(Idle);
  {
    const QSignalBlocker Quiet(edtPage);
    edtPage->setValue(FPageIndex + 1);
  }
  btnZoomWidth->setEnabled(Idle);
  btnZoomPage->setEnabled(Idle);
  btnZoomWidth->setChecked(FZoom == TZoom::PageWidth);
  btnZoomPage->setChecked(FZoom == TZoom::WholePage);
  btnPrint->setEnabled(Idle && PageCount() > 0);
  btnSave->setEnabled(Idle && PageCount() > 0 && !FReport.Filters().empty());
}

bool TReportPreview::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == scrPage && Event->type() == QEvent::Resize) UpdateScale();
  // The page box keeps the focus after a page number is typed; its line editor
  // would claim Ctrl+Home and Ctrl+End (cursor to start or end), which mean
  // first and last page here. Leaving the override unanswered lets them page.
  if (Watched == edtPage && Event->type() == QEvent::ShortcutOverride) {
    const auto* Key = static_cast<QKeyEvent*>(Event);
    if ((Key->key() == Qt::Key_Home || Key->key() == Qt::Key_End) &&
        Key->modifiers() == Qt::ControlModifier)
      return true;
  }
  return QDialog::eventFilter(Watched, Event);
}

void TReportPreview::reject() {
  // Closing while a job runs cancels the job; the window stays until it has stopped.
  if (FBusy) {
    FCancelRequested = true;
    return;
  }
  QDialog::reject();
}

bool TReportPreview::RunJob(const QString& Caption, int32_t Total,
                            const std::function<bool(const TReportProgress&)>& Job) {
  FBusy = true;
  FCancelRequested = false;
  UpdateControls();
  QProgressDialog Progress(Caption, QStringLiteral("Cancel"), 0, Total, this);
  Progress.setObjectName("dlgProgress");
  Progress.setWindowModality(Qt::WindowModal);
  Progress.setMinimumDuration(500);
  Progress.setAutoReset(false);
  Progress.setValue(0);
  QElapsedTimer SinceEvents;
  SinceEvents.start();
  const TReportProgress Report = [&](int32_t Done, int32_t Count) {
    // A print of several copies has more sheets than the report has pages.
    if (Count > Progress.maximum()) Progress.setMaximum(Count);
    Progress.setValue(Done);
    // The window repaints and Cancel answers even before the progress window shows.
    if (SinceEvents.elapsed() >= 50) {
      QCoreApplication::processEvents();
      SinceEvents.restart();
    }
    return !Progress.wasCanceled() && !FCancelRequested;
  };
  bool Done = false;
  try {
    Done = Job(Report);
  } catch (...) {
    FBusy = false;
    UpdateControls();
    throw;
  }
  FBusy = false;
  UpdateControls();
  return Done;
}

void TReportPreview::Print() {
  if (FBusy || PageCount() == 0) return;
  QPrinter Printer(QPrinter::HighResolution);
  SetUpReportPrinter(Printer, FLayout.Page);
  Printer.setDocName(windowTitle());
  if (!ReportDialogs().ChoosePrinter(Printer, PageCount(), this)) return;
  int32_t First = 0;
  int32_t Last = PageCount() - 1;
  if (Printer.printRange() == QPrinter::PageRange && Printer.fromPage() > 0) {
    First = Printer.fromPage() - 1;
    Last = std::min(Last, std::max(First, Printer.toPage() - 1));
  } else if (Printer.printRange() == QPrinter::CurrentPage) {
    First = Last = FPageIndex;
  }
  std::string Error;
  const bool Printed = RunJob(QStringLiteral("Printing..."), Last - First + 1,
                              [&](const TReportProgress& Progress) {
                                return PrintReport(FLayout, Printer, First, Last, Progress, Error);
                              });
  if (!Printed && !Error.empty()) ShowException(Error);
}

void TReportPreview::Save() {
  const std::vector<TReportExportFilter*> Filters = FReport.Filters();
  if (FBusy || PageCount() == 0 || Filters.empty()) return;
  QStringList Descriptions;
  for (const TReportExportFilter* Filter : Filters) Descriptions << Filter->Description();
  QString Selected = Descriptions.front();
  QString Path = ReportDialogs().ChooseSaveFile(this, QStringLiteral("Save Report"),
                                                Descriptions, Selected);
  if (Path.isEmpty()) return;

  // A name ending in one of the formats' extensions chooses that format; a name
  // without any extension gets the chosen format's.
  const TReportExportFilter* Filter = Filters.front();
  for (const TReportExportFilter* F : Filters)
    if (F->Description() == Selected) Filter = F;
  const QString Suffix = QFileInfo(Path).suffix();
  bool Matched = false;
  for (const TReportExportFilter* F : Filters)
    if (Suffix.compare(F->Extension(), Qt::CaseInsensitive) == 0) {
      Filter = F;
      Matched = true;
    }
  if (!Matched && Suffix.isEmpty()) Path += "." + Filter->Extension();

  std::string Error;
  const bool Saved = RunJob(QStringLiteral("Saving..."), PageCount(),
                            [&](const TReportProgress& Progress) {
                              return Filter->Export(FLayout, Path, Progress, Error);
                            });
  if (!Saved && !Error.empty()) ShowException(Error);
}
