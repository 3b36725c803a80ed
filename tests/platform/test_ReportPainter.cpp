// Painting a report's pages: bands, rules and texts where the layout puts them
// at any resolution, and printing chosen pages to a PDF file.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "Poppler.h"
#include "ReportPainter.h"
#include "SmallReport.h"

namespace {

bool IsInk(QRgb Pixel) { return qGray(Pixel) < 160; }

// The first and last columns with ink in the rows Top..Bottom between Left and Right.
std::pair<int, int> InkSpan(const QImage& Image, int Left, int Right, int Top, int Bottom) {
  int First = -1;
  int Last = -1;
  for (int Y = Top; Y <= Bottom; ++Y)
    for (int X = Left; X <= Right; ++X)
      if (IsInk(Image.pixel(X, Y))) {
        if (First < 0 || X < First) First = X;
        Last = std::max(Last, X);
      }
  return {First, Last};
}

// A printer that writes the report's pages to a PDF file.
void PrintToPdf(QPrinter& Printer, const TReportPage& Page, const QString& Path) {
  SetUpReportPrinter(Printer, Page);
  Printer.setOutputFormat(QPrinter::PdfFormat);
  Printer.setOutputFileName(Path);
}

}  // namespace

class TestReportPainter : public QObject {
  Q_OBJECT

 private slots:
  void BandsAndRulesOnWhitePaper() {
    TSmallReport Small(TSmallReport::Numbered(1));
    QVERIFY(Small.Report.Prepare());
    const QImage Page = RenderReportPage(Small.Report.Layout(), 0, 96);
    QCOMPARE(Page.size(), QSize(400, 300));
    QCOMPARE(Page.pixel(370, 60), qRgb(192, 192, 192));  // the column header's background
    QCOMPARE(Page.pixel(390, 60), qRgb(255, 255, 255));  // the right margin
    // The detail's rule through the middle of its box (70 + 40 + 2).
    QCOMPARE(InkSpan(Page, 0, 399, 111, 113), std::make_pair(40, 379));
    QCOMPARE(InkSpan(Page, 0, 399, 108, 109), std::make_pair(-1, -1));
    // The summary's line along its top edge.
    QCOMPARE(InkSpan(Page, 0, 399, 114, 116), std::make_pair(40, 379));
  }

  // Right-aligned text ends on its box's right edge and left-aligned text starts
  // on its left edge, whatever the resolution.
  void TextSitsOnItsEdges_data() {
    QTest::addColumn<int>("Dpi");
    QTest::newRow("screen") << 96;
    QTest::newRow("300 dpi") << 300;
    QTest::newRow("600 dpi") << 600;
  }
  void TextSitsOnItsEdges() {
    QFETCH(int, Dpi);
    TSmallReport Small(std::vector<TSmallReport::TRow>{{"Row 1", "$1234.50"}});
    QVERIFY(Small.Report.Prepare());
    const QImage Page = RenderReportPage(Small.Report.Layout(), 0, Dpi);
    const double S = Dpi / 96.0;
    const int Top = int(72 * S);
    const int Bottom = int(89 * S);
    const auto Amount = InkSpan(Page, int(240 * S), int(390 * S), Top, Bottom);
    QVERIFY2(Amount.second >= int(338.5 * S) && Amount.second <= int(340 * S) + 1,
             qPrintable(QString("amount ends at %1").arg(Amount.second / S)));
    const auto Value = InkSpan(Page, 0, int(200 * S), Top, Bottom);
    QVERIFY2(Value.first >= int(40 * S) - 1 && Value.first <= int(42 * S),
             qPrintable(QString("value starts at %1").arg(Value.first / S)));
  }

  void PrintsTheChosenPagesOnTheReportsPaper() {
    TSmallReport Small(TSmallReport::Numbered(9));
    QVERIFY(Small.Report.Prepare());
    QTemporaryDir Dir;
    QPrinter Printer(QPrinter::HighResolution);
    PrintToPdf(Printer, Small.Report.Page, Dir.filePath("pages.pdf"));
    int Told = 0;
    std::string Error;
    QVERIFY(PrintReport(Small.Report.Layout(), Printer, 1, 2, [&Told](int32_t, int32_t Total) {
      ++Told;
      return Total == 2;
    }, Error));
    QCOMPARE(Told, 2);
    QCOMPARE(PdfPageCount(Dir.filePath("pages.pdf")), 2);
    QCOMPARE(PdfPageSize(Dir.filePath("pages.pdf")), QString("300 x 225 pts"));
    QVERIFY(PdfPageText(Dir.filePath("pages.pdf"), 1).contains("Row 5"));
    QVERIFY(PdfPageText(Dir.filePath("pages.pdf"), 2).contains("9 rows"));
  }

  // A PDF file gets no help from a print system: the copies and the reverse
  // order chosen in the print dialog are made by the print run itself.
  void PdfFileHoldsTheCopiesInTheChosenOrder_data() {
    QTest::addColumn<int>("Copies");
    QTest::addColumn<bool>("Collate");
    QTest::addColumn<bool>("Reverse");
    QTest::addColumn<QString>("Pages");
    QTest::newRow("one copy") << 1 << true << false << "2 3";
    QTest::newRow("reversed") << 1 << true << true << "3 2";
    QTest::newRow("two collated") << 2 << true << false << "2 3 2 3";
    QTest::newRow("two uncollated") << 2 << false << false << "2 2 3 3";
    QTest::newRow("two collated, reversed") << 2 << true << true << "3 2 3 2";
  }
  void PdfFileHoldsTheCopiesInTheChosenOrder() {
    QFETCH(int, Copies);
    QFETCH(bool, Collate);
    QFETCH(bool, Reverse);
    QFETCH(QString, Pages);
    TSmallReport Small(TSmallReport::Numbered(9));
    QVERIFY(Small.Report.Prepare());
    QTemporaryDir Dir;
    const QString Pdf = Dir.filePath("copies.pdf");
    QPrinter Printer(QPrinter::HighResolution);
    PrintToPdf(Printer, Small.Report.Page, Pdf);
    Printer.setCopyCount(Copies);
    Printer.setCollateCopies(Collate);
    Printer.setPageOrder(Reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
    int32_t LastDone = 0;
    int32_t LastTotal = 0;
    std::string Error;
    QVERIFY(PrintReport(Small.Report.Layout(), Printer, 1, 2,
                        [&](int32_t Done, int32_t Total) {
                          LastDone = Done;
                          LastTotal = Total;
                          return true;
                        },
                        Error));
    const QStringList Expected = Pages.split(' ');
    QCOMPARE(LastTotal, Expected.size());
    QCOMPARE(LastDone, LastTotal);
    QCOMPARE(PdfPageCount(Pdf), Expected.size());
    // Each page is known by its first row: rows 1, 5 and 9 open pages 1, 2 and 3.
    QStringList Printed;
    for (int P = 1; P <= Expected.size(); ++P) {
      const QRegularExpressionMatch Row = QRegularExpression("Row (\\d+)").match(PdfPageText(Pdf, P));
      Printed << (Row.hasMatch() ? QString::number((Row.captured(1).toInt() - 1) / 4 + 1) : "?");
    }
    QCOMPARE(Printed, Expected);
  }

  void CancelledPrintLeavesNoFile() {
    TSmallReport Small(TSmallReport::Numbered(9));
    QVERIFY(Small.Report.Prepare());
    QTemporaryDir Dir;
    QPrinter Printer(QPrinter::HighResolution);
    PrintToPdf(Printer, Small.Report.Page, Dir.filePath("pages.pdf"));
    std::string Error;
    QVERIFY(!PrintReport(Small.Report.Layout(), Printer, 0, 2,
                         [](int32_t Done, int32_t) { return Done < 2; }, Error));
    QVERIFY(Error.empty());
    QVERIFY(!QFile::exists(Dir.filePath("pages.pdf")));
  }
};

QTEST_MAIN(TestReportPainter)
#include "test_ReportPainter.moc"
