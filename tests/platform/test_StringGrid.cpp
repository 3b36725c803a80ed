// The string grid: cells over a model, fixed title row, widths and heights (a
// row of height 0 hidden), the order of the select check and the click for
// every way of setting the current cell, and owner drawing.

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QtTest>
#include <algorithm>

#include "FakeEnv.h"
#include "StringGrid.h"
#include "StringGridFixture.h"

class TestStringGrid : public QObject {
  Q_OBJECT
 private slots:
  void ModelStaysConsistent();
  void CellsAndFixedRow();
  void WidthsHeightsAndGridWidth();
  void CurrentCellEvents_data();
  void CurrentCellEvents();
  void RefusedSelectKeepsCell();
  void SettingSameCellDoesNothing();
  void ShrinkingKeepsCurrentInside();
  void DrawCellPaintsOnCanvas();
  void LargeGridFills();
};

void TestStringGrid::ModelStaysConsistent() {
  TGridFixture F(3, 3);
  QAbstractItemModelTester Tester(F.Grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
  F.Grid.SetRowCount(50);
  F.Grid.SetCells(1, 20, "x");
  F.Grid.SetRowCount(2);
  F.Grid.SetColCount(9);
  F.Grid.SetColCount(4);
  F.Grid.SetFixedCols(1);
  F.Grid.SetFixedRows(0);
  QCoreApplication::processEvents();  // the deferred change notice
  QCOMPARE(F.Grid.model()->rowCount(), 2);
  QCOMPARE(F.Grid.model()->columnCount(), 3);
}

void TestStringGrid::CellsAndFixedRow() {
  TGridFixture F(3, 2);
  QCOMPARE(F.Grid.Cells(1, 2), std::string("1,2"));
  QCOMPARE(F.Grid.Cells(5, 5), std::string());  // outside: empty, no crash
  F.Grid.SetCells(5, 5, "ignored");
  // Row 0 is the title row, shown by the header; data row r is model row r - 1.
  QCOMPARE(F.Grid.model()->headerData(1, Qt::Horizontal).toString(), QString("T1"));
  QCOMPARE(F.Grid.model()->index(0, 1).data().toString(), QString("1,1"));
  // Bytes above 127 pass through unchanged.
  F.Grid.SetCells(0, 1, "M\xfcller");
  QCOMPARE(F.Grid.Cells(0, 1), std::string("M\xfcller"));
  // Growing keeps the cells; shrinking drops those beyond.
  F.Grid.SetRowCount(10);
  QCOMPARE(F.Grid.Cells(1, 2), std::string("1,2"));
  QCOMPARE(F.Grid.Cells(1, 9), std::string());
  F.Grid.SetRowCount(2);
  F.Grid.SetRowCount(3);
  QCOMPARE(F.Grid.Cells(1, 2), std::string());
}

void TestStringGrid::WidthsHeightsAndGridWidth() {
  TGridFixture F(3, 6);
  F.Grid.resize(578, 322);
  F.Grid.SetDefaultColWidth(90);
  F.Grid.SetDefaultRowHeight(21);
  const int Widths[] = {90, 100, 80, 80, 80, 60};
  for (int C = 5; C >= 1; --C) F.Grid.SetColWidths(C, Widths[C]);
  QCOMPARE(F.Grid.ColWidths(0), 90);
  QCOMPARE(F.Grid.ColWidths(1), 100);
  // Each column's width plus its one-pixel line.
  QCOMPARE(F.Grid.GridWidth(), 496);
  F.Grid.SetColWidths(0, 900);
  QVERIFY(F.Grid.GridWidth() < 900);  // no more than the client width

  QCOMPARE(F.Grid.RowHeights(0), 21);
  QCOMPARE(F.Grid.RowHeights(1), 21);
  F.Grid.SetRowHeights(1, 26);
  QCOMPARE(F.Grid.RowHeights(1), 26);
  F.Grid.SetRowHeights(1, 0);
  QCOMPARE(F.Grid.RowHeights(1), 0);
  QVERIFY(F.Grid.verticalHeader()->isSectionHidden(0));
  F.Grid.SetRowHeights(1, 21);
  QVERIFY(!F.Grid.verticalHeader()->isSectionHidden(0));
}

void TestStringGrid::CurrentCellEvents_data() {
  QTest::addColumn<QString>("How");
  QTest::addColumn<int>("Col");
  QTest::addColumn<int>("Row");
  QTest::newRow("program row") << "SetRow" << 0 << 3;
  QTest::newRow("program col") << "SetCol" << 2 << 1;
  QTest::newRow("key down") << "Down" << 0 << 2;
  QTest::newRow("key right") << "Right" << 1 << 1;
  QTest::newRow("tab") << "Tab" << 1 << 1;
  QTest::newRow("mouse") << "Mouse" << 2 << 3;
}

void TestStringGrid::CurrentCellEvents() {
  QFETCH(QString, How);
  QFETCH(int, Col);
  QFETCH(int, Row);
  TFakeEnv Fake;
  TGridFixture F;
  F.Show();
  QCOMPARE(F.Grid.Col(), 0);
  QCOMPARE(F.Grid.Row(), 1);
  F.Log.clear();
  if (How == "SetRow") F.Grid.SetRow(Row);
  if (How == "SetCol") F.Grid.SetCol(Col);
  if (How == "Down") QTest::keyClick(&F.Grid, Qt::Key_Down);
  if (How == "Right") QTest::keyClick(&F.Grid, Qt::Key_Right);
  if (How == "Tab") QTest::keyClick(&F.Grid, Qt::Key_Tab);
  if (How == "Mouse") QTest::mouseClick(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(Col, Row));
  const std::string Cell = std::to_string(Col) + "," + std::to_string(Row);
  QCOMPARE(F.Log, (std::vector<std::string>{"select " + Cell, "click " + Cell}));
  QCOMPARE(F.Grid.Col(), Col);
  QCOMPARE(F.Grid.Row(), Row);
  QCOMPARE(F.Grid.currentIndex().row(), Row - 1);
}

void TestStringGrid::RefusedSelectKeepsCell() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Show();
  F.Refuse = 1;
  F.Log.clear();
  F.Grid.SetRow(3);
  QTest::keyClick(&F.Grid, Qt::Key_Down);
  QTest::mouseClick(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(2, 2));
  QCOMPARE(F.Log, (std::vector<std::string>{"select 0,3", "select 0,2", "select 2,2"}));
  QCOMPARE(F.Grid.Col(), 0);
  QCOMPARE(F.Grid.Row(), 1);
  QCOMPARE(F.Grid.currentIndex().row(), 0);
}

void TestStringGrid::SettingSameCellDoesNothing() {
  TGridFixture F;
  F.Log.clear();
  F.Grid.SetRow(1);
  F.Grid.SetCol(0);
  F.Grid.SetRow(0);   // the title row cannot become current
  F.Grid.SetRow(99);  // nor a row beyond the grid
  QVERIFY(F.Log.empty());
  QCOMPARE(F.Grid.Row(), 1);
}

void TestStringGrid::ShrinkingKeepsCurrentInside() {
  TGridFixture F(10, 3);
  F.Grid.SetRow(9);
  F.Log.clear();
  F.Grid.SetRowCount(2);
  QCOMPARE(F.Grid.Row(), 1);
  QVERIFY(F.Log.empty());  // a structural change raises no events
  F.Grid.SetRowCount(10);
  F.Grid.SetRow(5);
  QCOMPARE(F.Log.back(), std::string("click 0,5"));
}

void TestStringGrid::DrawCellPaintsOnCanvas() {
  TFakeEnv Fake;
  TGridFixture F;
  std::vector<std::pair<int, int>> Drawn;
  F.Grid.OnDrawCell = [&](int32_t C, int32_t R, const TRect& Rect, TGridDrawState State) {
    Drawn.emplace_back(C, R);
    QVERIFY(F.Grid.Canvas != nullptr);
    if (R == 2 && C == 1) {
      F.Grid.Canvas->Brush->Color = 0x00FF00;
      F.Grid.Canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 2, "");
    }
    if (R == 0) QVERIFY(State & gdFixed);
  };
  F.Show();
  const QImage Image = F.Grid.grab().toImage();
  QVERIFY(F.Grid.Canvas == nullptr);
  QVERIFY(std::find(Drawn.begin(), Drawn.end(), std::make_pair(1, 2)) != Drawn.end());
  QVERIFY(std::find(Drawn.begin(), Drawn.end(), std::make_pair(0, 0)) != Drawn.end());
  const QPoint Center = F.Grid.viewport()->mapTo(&F.Grid, F.CellCenter(1, 2));
  QCOMPARE(QColor(Image.pixel(Center)), QColor(0, 255, 0));
}

void TestStringGrid::LargeGridFills() {
  TGridFixture F(2, 9);
  F.Show();
  F.Grid.SetRowCount(100001);
  for (int R = 1; R <= 100000; ++R)
    for (int C = 0; C < 9; ++C) F.Grid.SetCells(C, R, "cell");
  F.Grid.SetCells(8, 100000, "last");
  QCoreApplication::processEvents();
  QCOMPARE(F.Grid.model()->rowCount(), 100000);
  F.Grid.SetRow(100000);
  QCOMPARE(F.Grid.model()->index(99999, 8).data().toString(), QString("last"));
  QVERIFY(F.Grid.rowAt(F.Grid.viewport()->height() - 1) >= 0 || F.Grid.rowAt(0) >= 0);
}

QTEST_MAIN(TestStringGrid)
#include "test_StringGrid.moc"
