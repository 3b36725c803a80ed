// The preview window of a report run, driven as a widget: paging, zoom, and
// Print and Save through answered dialogs.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "FakeEnv.h"
#include "FakeReportDialogs.h"
#include "Poppler.h"
#include "ReportPreview.h"
#include "SmallReport.h"

namespace {

std::unique_ptr<TReportPreview> Open(TSmallReport& Small) {
  if (!Small.Report.Prepare()) return nullptr;
  auto Preview = std::make_unique<TReportPreview>(Small.Report, nullptr);
  Preview->resize(800, 600);
  Preview->show();
  return Preview;
}

QByteArray ReadFile(const QString& Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

}  // namespace

class TestReportPreview : public QObject {
  Q_OBJECT

 private slots:
  void init() { Env = std::make_unique<TFakeEnv>(); }
  void cleanup() { Env.reset(); }

  void PagesByButtonsKeysAndNumber() {
    TSmallReport Small(TSmallReport::Numbered(9));
    auto Preview = Open(Small);
    QVERIFY(Preview != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(Preview.get()));
    QCOMPARE(Preview->PageCount(), 3);
    QCOMPARE(Preview->lblPageCount->text(), QString("of 3"));
    QCOMPARE(Preview->PageIndex(), 0);
    QVERIFY(!Preview->btnFirst->isEnabled());
    QVERIFY(!Preview->btnPrior->isEnabled());
    Preview->btnNext->click();
    QCOMPARE(Preview->PageIndex(), 1);
    QCOMPARE(Preview->edtPage->value(), 2);
    Preview->btnLast->click();
    QCOMPARE(Preview->PageIndex(), 2);
    QVERIFY(!Preview->btnNext->isEnabled());
    QVERIFY(!Preview->btnLast->isEnabled());
    QTest::keyClick(Preview->pnlPage, Qt::Key_PageUp);
    QCOMPARE(Preview->PageIndex(), 1);
    QTest::keyClick(Preview->pnlPage, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(Preview->PageIndex(), 0);
    QTest::keyClick(Preview->pnlPage, Qt::Key_PageDown);
    QCOMPARE(Preview->PageIndex(), 1);
    QTest::keyClick(Preview->pnlPage, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(Preview->PageIndex(), 2);
    Preview->edtPage->setValue(1);
    QCOMPARE(Preview->PageIndex(), 0);
    Preview->btnFirst->click();
    Preview->btnPrior->click();
    QCOMPARE(Preview->PageIndex(), 0);
    Preview->SetPageIndex(99);
    QCOMPARE(Preview->PageIndex(), 2);
  }

  // After typing a page number the focus stays in the page box; the paging
  // keys must still page from there.
  void PagingKeysWorkFromThePageNumberBox_data() {
    QTest::addColumn<int>("Key");
    QTest::addColumn<int>("Modifiers");
    QTest::addColumn<int>("Expected");
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << 2;
    QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 0;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << int(Qt::NoModifier) << 2;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << int(Qt::NoModifier) << 0;
  }
  void PagingKeysWorkFromThePageNumberBox() {
    QFETCH(int, Key);
    QFETCH(int, Modifiers);
    QFETCH(int, Expected);
    TSmallReport Small(TSmallReport::Numbered(9));
    auto Preview = Open(Small);
    QVERIFY(Preview != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(Preview.get()));
    Preview->edtPage->setFocus();
    QTest::keyClick(Preview->edtPage, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Preview->edtPage, "2");
    QTest::keyClick(Preview->edtPage, Qt::Key_Return);
    QCOMPARE(Preview->PageIndex(), 1);
    QVERIFY(Preview->edtPage->hasFocus());
    QTest::keyClick(Preview->edtPage, static_cast<Qt::Key>(Key),
                    static_cast<Qt::KeyboardModifiers>(Modifiers));
    QCOMPARE(Preview->PageIndex(), Expected);
    QCOMPARE(Preview->edtPage->value(), Expected + 1);
  }

  void PaintsThePageItShows() {
    TSmallReport Small(TSmallReport::Numbered(9));
    auto Preview = Open(Small);
    const QImage First = Preview->pnlPage->grab().toImage();
    Preview->btnNext->click();
    const QImage Second = Preview->pnlPage->grab().toImage();
    QCOMPARE(First.size(), Second.size());
    QVERIFY(First != Second);
    Preview->btnPrior->click();
    QCOMPARE(Preview->pnlPage->grab().toImage(), First);
  }

  void ZoomToThePageWidthOrTheWholePage() {
    TSmallReport Small(TSmallReport::Numbered(9));
    auto Preview = Open(Small);
    const QSize Room = Preview->scrPage->maximumViewportSize();
    QCOMPARE(Preview->Zoom(), TReportPreview::TZoom::PageWidth);
    QVERIFY(Preview->btnZoomWidth->isChecked());
    QVERIFY(Preview->pnlPage->width() <= Room.width());
    QVERIFY(Preview->pnlPage->width() >= Room.width() - 40);
    Preview->btnZoomPage->click();
    QCOMPARE(Preview->Zoom(), TReportPreview::TZoom::WholePage);
    QVERIFY(Preview->btnZoomPage->isChecked());
    QVERIFY(!Preview->btnZoomWidth->isChecked());
    QVERIFY(Preview->pnlPage->width() <= Room.width());
    QVERIFY(Preview->pnlPage->height() <= Room.height());
    QVERIFY(Preview->pnlPage->height() >= Room.height() - 2);
  }

  void PrintsThePagesChosenInThePrintDialog_data() {
    QTest::addColumn<int>("From");
    QTest::addColumn<int>("To");
    QTest::addColumn<int>("Pages");
    QTest::addColumn<QString>("LastPageShows");
    QTest::newRow("all pages") << 0 << 0 << 3 << "9 rows";
    QTest::newRow("pages 2 to 3") << 2 << 3 << 2 << "9 rows";
    QTest::newRow("page 2 alone") << 2 << 2 << 1 << "Row 8";
  }
  void PrintsThePagesChosenInThePrintDialog() {
    QFETCH(int, From);
    QFETCH(int, To);
    QFETCH(int, Pages);
    QFETCH(QString, LastPageShows);
    TSmallReport Small(TSmallReport::Numbered(9));
    auto Preview = Open(Small);
    QTemporaryDir Dir;
    TFakeReportDialogs Dialogs;
    Dialogs.PdfPath = Dir.filePath("small.pdf");
    Dialogs.FromPage = From;
    Dialogs.ToPage = To;
    Preview->btnPrint->click();
    QCOMPARE(Dialogs.PrintDialogPageCount, 3);
    QCOMPARE(PdfPageCount(Dialogs.PdfPath), Pages);
    QVERIFY(PdfPageText(Dialogs.PdfPath, Pages).contains(LastPageShows));
    QVERIFY(Env->Boxes.empty());
    QVERIFY(!Preview->Busy());
    QVERIFY(Preview->btnPrint->isEnabled());
  }

  void CancelledDialogsDoNothing() {
    TSmallReport Small(TSmallReport::Numbered(2));
    auto Preview = Open(Small);
    QTemporaryDir Dir;
    TFakeReportDialogs Dialogs;  // answers Cancel to both
    Preview->btnPrint->click();
    Preview->btnSave->click();
    QCOMPARE(Dialogs.PrintDialogs, 1);
    QCOMPARE(Dialogs.SaveDialogs, 1);
    QVERIFY(Env->Boxes.empty());
  }

  // The name's extension chooses the format; a name without one gets the
  // chosen format's.
  void SavesInTheFormatOfTheNameOrTheFilter_data() {
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Filter");
    QTest::addColumn<QString>("Written");
    QTest::addColumn<bool>("Csv");
    const QString Text = "Plain text (*.txt)";
    const QString Csv = "Comma-separated values (*.csv)";
    QTest::newRow("csv name, text chosen") << "rows.csv" << Text << "rows.csv" << true;
    QTest::newRow("no extension, csv chosen") << "rows" << Csv << "rows.csv" << true;
    QTest::newRow("no extension, text chosen") << "rows" << Text << "rows.txt" << false;
    QTest::newRow("other extension kept") << "rows.dat" << Csv << "rows.dat" << true;
    QTest::newRow("upper-case extension") << "ROWS.TXT" << Csv << "ROWS.TXT" << false;
  }
  void SavesInTheFormatOfTheNameOrTheFilter() {
    QFETCH(QString, Typed);
    QFETCH(QString, Filter);
    QFETCH(QString, Written);
    QFETCH(bool, Csv);
    TSmallReport Small(TSmallReport::Numbered(2));
    auto Preview = Open(Small);
    QTemporaryDir Dir;
    TFakeReportDialogs Dialogs;
    Dialogs.SavePath = Dir.filePath(Typed);
    Dialogs.SaveFilter = Filter;
    Preview->btnSave->click();
    QCOMPARE(Dialogs.OfferedFilters,
             (QStringList{"Plain text (*.txt)", "Comma-separated values (*.csv)"}));
    QCOMPARE(QDir(Dir.path()).entryList(QDir::Files), QStringList{Written});
    QCOMPARE(ReadFile(Dir.filePath(Written)).startsWith("\"lblValue\","), Csv);
  }

  void SaveThatFailsSaysWhy() {
    TSmallReport Small(TSmallReport::Numbered(2));
    auto Preview = Open(Small);
    QTemporaryDir Dir;
    TFakeReportDialogs Dialogs;
    Dialogs.SavePath = Dir.filePath("missing/rows.txt");
    Preview->btnSave->click();
    QCOMPARE(Env->Boxes.size(), size_t(1));
    QCOMPARE(Env->Boxes[0].Kind, TMsgKind::ErrorBox);
    QVERIFY(Env->Boxes[0].Text.find("missing/rows.txt") != std::string::npos);
    QVERIFY(!Preview->Busy());
  }

  void ReportWithoutExportFiltersOffersNoSave() {
    TSmallReport Small(TSmallReport::Numbered(2), false);
    auto Preview = Open(Small);
    QVERIFY(!Preview->btnSave->isEnabled());
    QVERIFY(Preview->btnPrint->isEnabled());
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestReportPreview)
#include "test_ReportPreview.moc"
