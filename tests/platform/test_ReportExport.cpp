// Saving a report run as plain text or comma-separated values: what a page
// becomes in each format, and files that appear whole or not at all.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "SmallReport.h"

namespace {

std::string PageOf(const TReportExportFilter& Filter, const TReportLayout& Layout, int32_t Page) {
  std::string Out;
  Filter.WritePage(Layout, Page, Out);
  return Out;
}

QByteArray ReadFile(const QString& Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void WriteFile(const QString& Path, const QByteArray& Bytes) {
  QFile File(Path);
  QVERIFY(File.open(QIODevice::WriteOnly));
  File.write(Bytes);
}

}  // namespace

class TestReportExport : public QObject {
  Q_OBJECT

 private slots:
  // A table: one header row of the detail band's column titles (a label's
  // name where it has none), then one row per detail with a field under every
  // title, even for a detail of several lines; every field quoted, quotes
  // doubled, an empty label an empty field. Headers, footers and the summary
  // stay on the printed page.
  void CsvIsOneRowPerDetailUnderOneHeaderRow() {
    TSmallReport Small({{"Smith, John", "$1.00"}, {"7 \"B\" St.", ""}});
    Small.Amount->ColumnTitle = "Amount";
    QVERIFY(Small.Report.Prepare());
    const TReportCSVFilter Filter(&Small.Report, nullptr);
    QCOMPARE(PageOf(Filter, Small.Report.Layout(), 0),
             std::string("\"lblValue\",\"Amount\",\"lblBelow\"\r\n"
                         "\"Smith, John\",\"$1.00\",\"below\"\r\n"
                         "\"7 \"\"B\"\" St.\",\"\",\"below\"\r\n"));
  }

  // The header row comes once, at the top of the file; later pages add rows.
  void CsvHeaderRowOnlyOnTheFirstPage() {
    TSmallReport Small(TSmallReport::Numbered(5));
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QCOMPARE(L.PageCount(), 2);
    const TReportCSVFilter Filter(&Small.Report, nullptr);
    QVERIFY(PageOf(Filter, L, 0).rfind("\"lblValue\",\"lblAmount\",\"lblBelow\"\r\n"
                                       "\"Row 1\",\"$1.00\",\"below\"\r\n", 0) == 0);
    QCOMPARE(PageOf(Filter, L, 1), std::string("\"Row 5\",\"$5.00\",\"below\"\r\n"));
  }

  // Columns follow the band's design in reading order, not the order the
  // labels were added in nor where a stretched label pushed them.
  void CsvColumnsInReadingOrder() {
    TSmallReport Small(std::vector<TSmallReport::TRow>{
        {"one two three four five six seven eight nine ten eleven", "$1.00"}});
    AddReportLabel(Small.Detail, {"lblMiddle", "mid", 160, 2, 30, 17, 10, 0,
                                  TReportAlignment::Left, false, false});
    QVERIFY(Small.Report.Prepare());
    const std::string Page =
        PageOf(TReportCSVFilter(&Small.Report, nullptr), Small.Report.Layout(), 0);
    QVERIFY2(Page.rfind("\"lblValue\",\"lblMiddle\",\"lblAmount\",\"lblBelow\"\r\n"
                        "\"one two three four five six seven eight nine ten eleven\",\"mid\","
                        "\"$1.00\",\"below\"\r\n", 0) == 0,
             Page.c_str());
  }

  void CsvSeparatorIsTheFilters() {
    TSmallReport Small(std::vector<TSmallReport::TRow>{{"a", "b"}});
    QVERIFY(Small.Report.Prepare());
    const TReportCSVFilter Filter(&Small.Report, nullptr, ';');
    QCOMPARE(PageOf(Filter, Small.Report.Layout(), 0),
             std::string("\"lblValue\";\"lblAmount\";\"lblBelow\"\r\n\"a\";\"b\";\"below\"\r\n"));
  }

  // Each label at the column of its place on the page (6/96 inch a column),
  // right-aligned texts ending on their box's edge, rules as dashes.
  void TextKeepsTheColumnsOfThePage() {
    TSmallReport Small({{"Smith, John", "$1.00"}, {"Row 2", "$1234.50"}});
    QVERIFY(Small.Report.Prepare());
    const TReportTextFilter Filter(&Small.Report, nullptr);
    const std::string Rule(57, '-');
    QCOMPARE(PageOf(Filter, Small.Report.Layout(), 0),
             "                    Small Report\r\n"
             "Value\r\n"
             "Smith, John                                  $1.00\r\n"
             "below\r\n" + Rule + "\r\n"
             "Row 2                                     $1234.50\r\n"
             "below\r\n" + Rule + "\r\n"
             "2 rows\r\n"
             "                                                  1\r\n");
  }

  void TextThatRunsIntoTheNextColumnKeepsOneBlank() {
    TSmallReport Small(std::vector<TSmallReport::TRow>{{std::string(50, 'i'), "$1.00"}});
    QVERIFY(Small.Report.Prepare());
    const TReportTextFilter Filter(&Small.Report, nullptr);
    const std::string Page = PageOf(Filter, Small.Report.Layout(), 0);
    QVERIFY(Page.find(std::string(50, 'i') + " $1.00\r\n") != std::string::npos);
  }

  void PagesFollowOneAnotherAfterAnEmptyLine() {
    TSmallReport Small(TSmallReport::Numbered(5));
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    const TReportTextFilter Filter(&Small.Report, nullptr);
    const std::string Second = PageOf(Filter, L, 1);
    QVERIFY(Second.rfind("\r\n                    Small Report\r\n", 0) == 0);
    QVERIFY(PageOf(Filter, L, 0).rfind("                    Small Report\r\n", 0) == 0);
  }

  // A label that does not grow shows the lines its box holds; the files show
  // the same and no more.
  void FilesShowWhatThePageShows() {
    TSmallReport Small(std::vector<TSmallReport::TRow>{{"Row 1", ""}});
    Small.Below->Caption = "first line and then a second line";
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    const std::string Csv = PageOf(TReportCSVFilter(&Small.Report, nullptr), L, 0);
    const std::string Text = PageOf(TReportTextFilter(&Small.Report, nullptr), L, 0);
    QVERIFY(Csv.find("\"first line and then a\"\r\n") != std::string::npos);
    QVERIFY(Text.find("first line and then a\r\n") != std::string::npos);
    QVERIFY(Csv.find("second") == std::string::npos);
    QVERIFY(Text.find("second") == std::string::npos);
  }

  void ExportWritesEveryPage() {
    TSmallReport Small(TSmallReport::Numbered(9));
    QVERIFY(Small.Report.Prepare());
    const TReportLayout& L = Small.Report.Layout();
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("rows.csv");
    const TReportCSVFilter Filter(&Small.Report, nullptr);
    std::vector<int32_t> Told;
    std::string Error;
    QVERIFY(Filter.Export(L, Path, [&Told](int32_t Done, int32_t Total) {
      Told.push_back(Done * 10 + Total);
      return true;
    }, Error));
    QVERIFY(Error.empty());
    QCOMPARE(Told, (std::vector<int32_t>{13, 23, 33}));
    const std::string Expected = PageOf(Filter, L, 0) + PageOf(Filter, L, 1) + PageOf(Filter, L, 2);
    QCOMPARE(ReadFile(Path).toStdString(), Expected);
  }

  // Cancelled half-way, an export leaves the file that was there as it was and
  // nothing else behind.
  void CancelledExportLeavesNoTrace() {
    TSmallReport Small(TSmallReport::Numbered(9));
    QVERIFY(Small.Report.Prepare());
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("rows.txt");
    WriteFile(Path, "kept");
    std::string Error;
    QVERIFY(!TReportTextFilter(&Small.Report, nullptr)
                 .Export(Small.Report.Layout(), Path,
                         [](int32_t Done, int32_t) { return Done < 2; }, Error));
    QVERIFY(Error.empty());
    QCOMPARE(ReadFile(Path), QByteArray("kept"));
    QCOMPARE(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rows.txt"});
  }

  void ExportThatCannotWriteSaysWhy() {
    TSmallReport Small(TSmallReport::Numbered(1));
    QVERIFY(Small.Report.Prepare());
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("missing/rows.txt");
    std::string Error;
    QVERIFY(!TReportTextFilter(&Small.Report, nullptr)
                 .Export(Small.Report.Layout(), Path, nullptr, Error));
    QVERIFY2(Error.find(Path.toStdString()) != std::string::npos, Error.c_str());
    QVERIFY(!QFile::exists(Path));
  }
};

QTEST_MAIN(TestReportExport)
#include "test_ReportExport.moc"
