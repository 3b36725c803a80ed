// Measuring and setting report texts: widths in units of 1/96 inch that hold on
// every device, line breaks at blanks, and fonts that shrink rather than cut a word.

#include <QApplication>
#include <QtTest>

#include "ReportText.h"

namespace {

TReportFont Arial(double Size = 10, uint8_t Style = 0) {
  TReportFont Font;
  Font.Size = Size;
  Font.Style = Style;
  return Font;
}

}  // namespace

class TestReportText : public QObject {
  Q_OBJECT

 private slots:
  // The layouts' fixed widths were made for Arial; its metric twin must give
  // the same widths (an advance of 1139/2048 em for a digit).
  void ArialIsMeasuredWithItsMetricTwin() {
    const TReportMetrics& M = TReportMetrics::Of(Arial());
    QVERIFY(qAbs(M.Width("0") - 1139.0 / 2048 * 40 / 3) < 0.01);
    QVERIFY(qAbs(M.Width("100.00%") - 52.64) < 0.05);
    QVERIFY(qAbs(M.Width("Ab c") - (M.Advance('A') + M.Advance('b') + M.Advance(' ') +
                                    M.Advance('c'))) < 1e-9);
    QVERIFY(M.LineSpacing() > 15 && M.LineSpacing() < 16);
    QVERIFY(qAbs(TReportMetrics::Of(Arial(12, fsBold)).Width("Grand Total Receivables:") -
                 192.06) < 0.1);
  }

  void SettingText_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<double>("Width");
    QTest::addColumn<bool>("Wrap");
    QTest::addColumn<QString>("Lines");  // joined by "|"
    QTest::addColumn<bool>("Shrinks");
    QTest::newRow("fits") << "Smith, John" << 310.0 << true << "Smith, John" << false;
    QTest::newRow("breaks at a blank") << "Richardson, Christopher A." << 148.0 << true
                                       << "Richardson, Christopher|A." << false;
    QTest::newRow("a word wider than the box shrinks") << "$7000000.00" << 68.0 << true
                                                       << "$7000000.00" << true;
    QTest::newRow("a unit too wide still fits") << "100.00%" << 52.0 << true << "100.00%"
                                                << false;
    QTest::newRow("one line without word wrap") << "Richardson, Christopher A." << 148.0
                                                << false << "Richardson, Christopher A."
                                                << true;
    QTest::newRow("sized to its text") << "Report date : 09/15/2004" << 0.0 << true
                                       << "Report date : 09/15/2004" << false;
    QTest::newRow("empty") << "" << 100.0 << true << "" << false;
    QTest::newRow("blanks only") << "   " << 100.0 << true << "" << false;
    QTest::newRow("blanks inside a line stay") << "a  b" << 100.0 << true << "a  b" << false;
    QTest::newRow("leading blanks stay") << "  lead" << 100.0 << true << "  lead" << false;
    QTest::newRow("blanks between lines go") << "aaaa   bbbb" << 30.0 << true << "aaaa|bbbb"
                                             << false;
  }
  void SettingText() {
    QFETCH(QString, Text);
    QFETCH(double, Width);
    QFETCH(bool, Wrap);
    QFETCH(QString, Lines);
    QFETCH(bool, Shrinks);
    const std::string Source = Text.toStdString();
    TReportTextSetting Setting;
    SetReportText(Arial(), Source, Width, Wrap, Setting);
    QStringList Got;
    for (std::string_view Line : Setting.Lines) Got << QString::fromLatin1(Line.data(), Line.size());
    QCOMPARE(Got.join("|"), Lines);
    QCOMPARE(Setting.Scale < 1, Shrinks);
    for (double LineWidth : Setting.Widths)
      if (Width > 0) QVERIFY(LineWidth <= Width + 1);
  }

  void VisibleLines_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<double>("Height");
    QTest::addColumn<int>("Shown");
    QTest::newRow("one line box shows the first of two") << "aaaa bbbb" << 17.0 << 1;
    QTest::newRow("a box for two") << "aaaa bbbb" << 33.0 << 2;
    QTest::newRow("a box too low still shows the first") << "aaaa bbbb" << 5.0 << 1;
    QTest::newRow("nothing to show") << "" << 17.0 << 0;
  }
  void VisibleLines() {
    QFETCH(QString, Text);
    QFETCH(double, Height);
    QFETCH(int, Shown);
    const std::string Source = Text.toStdString();
    TReportTextSetting Setting;
    SetReportText(Arial(), Source, 30, true, Setting);
    QCOMPARE(VisibleReportLines(Arial(), Setting, Height), Shown);
  }
};

QTEST_MAIN(TestReportText)
#include "test_ReportText.moc"
