// Every text the preparation form shows can be read whole in our font: a
// thirty-character employer name, the largest amounts and patterns in the
// grid columns (whose widths are fixed in pixels), the status line.

#include <QFontMetrics>

#include "TransFormFixture.h"

namespace {

// The box shows Text whole: from its first character to its last the cursor
// moves by the text's whole width, so nothing is scrolled out of sight.
bool ShowsWhole(QLineEdit* Box, const QString& Text) {
  Box->setText(Text);
  // The box scrolls its text when it paints.
  auto CursorX = [Box] {
    Box->repaint();
    return Box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  };
  Box->setCursorPosition(0);
  const int Start = CursorX();
  Box->setCursorPosition(static_cast<int>(Text.size()));
  const int End = CursorX();
  return End - Start == QFontMetrics(Box->font()).horizontalAdvance(Text);
}

// The cell text fits its column with the 2 pixels either side that the drawing keeps free.
bool FitsColumn(const TStringGrid* Grid, int32_t Col, const QString& Text) {
  return QFontMetrics(Grid->font()).horizontalAdvance(Text) + 4 <= Grid->ColWidths(Col);
}

}  // namespace

class TestVMainLegibility : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() {
    ScreenDPI = 96;
    Env.reset();
  }

  void TheEmployerNameIsShownWhole_data() {
    QTest::addColumn<QString>("Name");
    QTest::newRow("narrow letters") << "LINCOLN COUNTY SCHOOL DISTRICT";
    QTest::newRow("wide letters") << "WOODROW WILSON MEMORIAL SCHOOL";
    QTest::newRow("mixed case") << "Woodrow Wilson Memorial School";
  }

  void TheEmployerNameIsShownWhole() {
    QFETCH(QString, Name);
    QCOMPARE(Name.size(), 30);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    QVERIFY(ShowsWhole(Form->edtEmployerName, Name));
  }

  // The Member Contributions amounts up to a six-figure pay and five-figure
  // contributions, the patterns and words of the demographic grid, and every
  // title, at the design resolution and a larger one.
  void GridColumnsShowTheirWidestTextsWhole_data() {
    QTest::addColumn<int>("DPI");
    QTest::newRow("96 per inch") << 96;
    QTest::newRow("120 per inch") << 120;
  }

  void GridColumnsShowTheirWidestTextsWhole() {
    QFETCH(int, DPI);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    ScreenDPI = DPI;
    Form->SetUpGrids();
    const TStringGrid* C = Form->sgrContr;
    const TStringGrid* D = Form->sgrDemogr;
    const std::vector<std::tuple<const TStringGrid*, int32_t, QString>> Widest = {
        {C, 1, "000-00-0000"}, {C, 2, "$999999.99"}, {C, 3, "$999999.99"}, {C, 4, "100.00"},
        {C, 5, "$99999.99"},   {C, 6, "$99999.99"},  {C, 7, "$99999.99"},  {C, 8, "$99999.99"},
        {D, 2, "000-00-0000"}, {D, 3, "555-1234"},   {D, 4, "12/31/1999"}, {D, 5, "Unknown"},
    };
    for (const auto& [Grid, Col, Text] : Widest)
      QVERIFY2(FitsColumn(Grid, Col, Text), qPrintable(Grid->objectName() + " " + Text));
    for (const TStringGrid* Grid : {C, D})
      for (int32_t Col = 0; Col < Grid->ColCount(); ++Col) {
        const QString Title = QString::fromStdString(Grid->Cells(Col, 0));
        QVERIFY2(FitsColumn(Grid, Col, Title), qPrintable(Grid->objectName() + " " + Title));
      }
    // Fitted, not shrunk out of reading.
    QVERIFY(C->font().pixelSize() >= 8);
  }

  // The status line gets the height it asks for and ends inside the window,
  // clear of its lower edge, so its panels are drawn whole.
  void TheStatusLineIsDrawnWhole() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    QWidget* Status = Form->pnlStatus;
    QVERIFY(Status->height() >= Status->sizeHint().height());
    for (int Panel = 0; Panel < 3; ++Panel) {
      QLabel* Label = Form->StatusBar->Panel(Panel);
      QVERIFY(Label->height() >= Label->sizeHint().height());
    }
    QVERIFY(Status->geometry().bottom() < Form->height() - 2);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainLegibility)
#include "test_VMain_Legibility.moc"
