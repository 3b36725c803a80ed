// The string grid: cells over a model, fixed title row, widths and heights (a
// row of height 0 hidden), the order of the select check and the click for
// every way of setting the current cell, the key handlers and their silent stop,
// in-place editing with masks reported keystroke by keystroke, and owner drawing.

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

#include "FakeEnv.h"
#include "QtTestSupport.h"
#include "StringGrid.h"
#include "Utils.h"

namespace {
// A grid like the member grids: a title row, no fixed column, editing, Tab moves.
struct TGridFixture {
  TStringGrid Grid;
  std::vector<std::string> Log;

  explicit TGridFixture(int Rows = 4, int Cols = 3) {
    Grid.resize(400, 300);
    Grid.SetColCount(Cols);
    Grid.SetFixedCols(0);
    Grid.SetRowCount(Rows);
    Grid.SetOptions(goVertLine | goHorzLine | goEditing | goTabs | goThumbTracking);
    for (int C = 0; C < Cols; ++C) {
      Grid.SetCells(C, 0, std::string("T").append(std::to_string(C)));
      for (int R = 1; R < Rows; ++R) Grid.SetCells(C, R, std::to_string(C) + "," + std::to_string(R));
    }
    Grid.OnSelectCell = [this](int32_t C, int32_t R, bool& CanSelect) {
      Log.push_back("select " + std::to_string(C) + "," + std::to_string(R));
      CanSelect = Refuse == 0;
    };
    Grid.OnClick = [this]() {
      Log.push_back("click " + std::to_string(Grid.Col()) + "," + std::to_string(Grid.Row()));
    };
  }
  void Show() {
    Grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Grid));
    Grid.setFocus();
    QCoreApplication::processEvents();
  }
  QPoint CellCenter(int C, int R) {
    return Grid.visualRect(Grid.model()->index(R - Grid.FixedRows(), C - Grid.FixedCols())).center();
  }
  // Types as a user does: each key goes to whatever has the focus (the grid, then its editor).
  void Type(const QString& Text) {
    for (QChar C : Text) QTest::keyClicks(QApplication::focusWidget(), QString(C));
  }
  int Refuse = 0;
};
}  // namespace

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
  void ClickOnCurrentCellClicksAgain();
  void DragAsksBeforeEachCell();
  void MousePressesAndDoubleClicks();
  void DoubleClickHandlerMayFreeTheGrid();
  void ShrinkingKeepsCurrentInside();
  void KeyHandlersSeeKeysAndCanDropThem();
  void KeyPressCanChangeCharacter();
  void KeyUpOnlyForAPressSeen();
  void HandlersMayCloseTheEditorOrTheGrid_data();
  void HandlersMayCloseTheEditorOrTheGrid();
  void EditingReportsEveryKeystroke();
  void EditMaskShapesCellText();
  void EditorTakesNoTextBesideTheKeys();
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

void TestStringGrid::ClickOnCurrentCellClicksAgain() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Show();
  F.Log.clear();
  QTest::mouseClick(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(0, 1));
  QCOMPARE(F.Log, (std::vector<std::string>{"select 0,1", "click 0,1"}));
}

// Dragging with the button held moves the current cell too: each cell it
// reaches is asked first, and a refused one is not entered. No other way round
// the select check either.
void TestStringGrid::DragAsksBeforeEachCell() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Show();
  F.Log.clear();
  QTest::mousePress(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(0, 1));
  QMouseEvent Move(QEvent::MouseMove, F.CellCenter(1, 2), F.Grid.viewport()->mapToGlobal(F.CellCenter(1, 2)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(F.Grid.viewport(), &Move);
  QCOMPARE(F.Log, (std::vector<std::string>{"select 0,1", "click 0,1", "select 1,2", "click 1,2"}));
  QCOMPARE(F.Grid.Col(), 1);
  QCOMPARE(F.Grid.Row(), 2);
  F.Refuse = 1;
  F.Log.clear();
  QMouseEvent Refused(QEvent::MouseMove, F.CellCenter(2, 3), F.Grid.viewport()->mapToGlobal(F.CellCenter(2, 3)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(F.Grid.viewport(), &Refused);
  QCOMPARE(F.Log, (std::vector<std::string>{"select 2,3"}));
  QCOMPARE(F.Grid.Col(), 1);
  QCOMPARE(F.Grid.Row(), 2);
  QCOMPARE(F.Grid.currentIndex(), F.Grid.model()->index(1, 1));
  QTest::mouseRelease(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(1, 2));

  // Nor does a letter typed in a grid without editing jump to a matching cell.
  F.Refuse = 0;
  F.Grid.SetOptions(goVertLine | goHorzLine);
  F.Grid.SetCells(0, 3, "zeta");
  F.Log.clear();
  QTest::keyClick(&F.Grid, Qt::Key_Z);
  QVERIFY(F.Log.empty());
  QCOMPARE(F.Grid.Row(), 2);
}

// Every press, on the title row or a cell, reaches OnMouseDown after the grid's
// own work, in the grid's client coordinates with the title row on top; a
// double click runs OnDblClick and opens no editor.
void TestStringGrid::MousePressesAndDoubleClicks() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Grid.SetRowHeights(0, 21);
  F.Grid.SetColWidths(0, 50);
  F.Show();
  F.Grid.OnMouseDown = [&F](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    F.Log.push_back("down " + std::to_string(Button) + " " + std::to_string(Shift) + " " +
                    std::to_string(X) + "," + std::to_string(Y));
  };
  F.Grid.OnDblClick = [&F]() { F.Log.push_back("dblclick"); };
  QWidget* Title = F.Grid.horizontalHeader()->viewport();

  struct TCase {
    QWidget* Target;
    QPoint At;
    Qt::MouseButton Button;
    Qt::KeyboardModifiers Modifiers;
    std::vector<std::string> Log;
  };
  const QPoint Cell = F.CellCenter(1, 2);
  const std::string CellY = std::to_string(Cell.y() + 21);
  const TCase Cases[] = {
      {Title, QPoint(60, 0), Qt::LeftButton, {}, {"down 0 0 60,0"}},
      {Title, QPoint(10, 20), Qt::RightButton, Qt::ShiftModifier, {"down 1 1 10,20"}},
      {F.Grid.viewport(), QPoint(5, 0), Qt::LeftButton, {}, {"select 0,1", "click 0,1", "down 0 0 5,21"}},
      {F.Grid.viewport(), Cell, Qt::LeftButton, Qt::ControlModifier,
       {"select 1,2", "click 1,2", "down 0 2 " + std::to_string(Cell.x()) + "," + CellY}},
      {F.Grid.viewport(), Cell, Qt::MiddleButton, {}, {"down 2 0 " + std::to_string(Cell.x()) + "," + CellY}},
  };
  for (const TCase& C : Cases) {
    F.Log.clear();
    QTest::mousePress(C.Target, C.Button, C.Modifiers, C.At);
    QTest::mouseRelease(C.Target, C.Button, C.Modifiers, C.At);
    QCOMPARE(F.Log, C.Log);
  }

  // A double click as the window system delivers it: press, release, double
  // click (for the second press), release.
  // Below the last row too, where the view makes a press of it.
  const std::pair<QWidget*, QPoint> Places[] = {{Title, QPoint(60, 5)}, {F.Grid.viewport(), Cell},
                                                {F.Grid.viewport(), QPoint(30, 200)}};
  for (auto [Target, At] : Places) {
    QTest::mouseClick(Target, Qt::LeftButton, {}, At);
    F.Log.clear();
    QMouseEvent Double(QEvent::MouseButtonDblClick, At, Target->mapToGlobal(At), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Double);
    QTest::mouseRelease(Target, Qt::LeftButton, {}, At);
    const std::string Down = "down 0 0 " + std::to_string(At.x()) + "," +
                             std::to_string(Target == Title ? At.y() : At.y() + 21);
    QCOMPARE(F.Log, (std::vector<std::string>{"dblclick", Down}));
    // Nor later, when a click on the current cell would have opened it.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QVERIFY(!F.Grid.EditorMode());
  }
}

// A double click may open a window that ends with the grid freed: the grid
// touches nothing of itself afterwards.
void TestStringGrid::DoubleClickHandlerMayFreeTheGrid() {
  TFakeEnv Fake;
  QPointer<TStringGrid> Grid(new TStringGrid);
  Grid->SetColCount(2);
  Grid->SetRowCount(3);
  Grid->SetOptions(goEditing);
  Grid->resize(200, 120);
  Grid->show();
  QVERIFY(QTest::qWaitForWindowExposed(Grid.data()));
  Grid->OnDblClick = [&Grid]() { delete Grid.data(); };
  QWidget* Viewport = Grid->viewport();
  const QPoint At = Grid->visualRect(Grid->model()->index(1, 0)).center();
  QMouseEvent Double(QEvent::MouseButtonDblClick, At, Viewport->mapToGlobal(At), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Viewport, &Double);
  QVERIFY(Grid.isNull());
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

void TestStringGrid::KeyHandlersSeeKeysAndCanDropThem() {
  TFakeEnv Fake;
  TGridFixture F;
  std::vector<std::string> Keys;
  F.Grid.OnKeyDown = [&](uint16_t& Key, TShiftState) {
    Keys.push_back("down " + std::to_string(Key));
    if (Key == 'X') throw EAbort();  // the silent stop drops the key
    if (Key == VK_DOWN) Key = 0;      // so does clearing it
  };
  F.Grid.OnKeyPress = [&](char& Key) {
    Keys.push_back(std::string("press ") + Key);
    if (Key == 'q') throw EAbort();
  };
  F.Grid.OnKeyUp = [&](uint16_t& Key, TShiftState) { Keys.push_back("up " + std::to_string(Key)); };
  F.Show();

  QTest::keyClick(&F.Grid, Qt::Key_Down);
  QCOMPARE(F.Grid.Row(), 1);  // dropped: the cell did not move
  QTest::keyClick(&F.Grid, Qt::Key_X, Qt::NoModifier);
  QTest::keyClick(&F.Grid, Qt::Key_Q, Qt::NoModifier);
  QVERIFY(!F.Grid.EditorMode());  // neither opened the editor
  QCOMPARE(F.Grid.Cells(0, 1), std::string("0,1"));
  QCOMPARE(Keys, (std::vector<std::string>{"down 40", "up 40", "down 88", "up 88", "down 81", "press q",
                                           "up 81"}));
  QVERIFY(Fake.Boxes.empty());  // the silent stop shows nothing

  // Keys typed while the editor is open reach the same handlers, once each.
  Keys.clear();
  QTest::keyClick(&F.Grid, Qt::Key_A);
  QVERIFY(F.Grid.EditorMode());
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_B);
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_X);
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_Q);
  QCOMPARE(F.Grid.Cells(0, 1), std::string("ab"));
  QCOMPARE(Keys, (std::vector<std::string>{"down 65", "press a", "up 65", "down 66", "press b", "up 66",
                                           "down 88", "up 88", "down 81", "press q", "up 81"}));
}

void TestStringGrid::KeyPressCanChangeCharacter() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Grid.OnKeyPress = [](char& Key) {
    if (Key >= 'a' && Key <= 'z') Key = static_cast<char>(Key - 'a' + 'A');
  };
  F.Show();
  F.Type("ab");
  QCOMPARE(F.Grid.Cells(0, 1), std::string("AB"));
}

// A release is reported only where its press was seen, by the grid or by its
// editor, since the key's last release and since the focus last left the grid.
void TestStringGrid::KeyUpOnlyForAPressSeen() {
  enum TWhere { Grid, Editor, Focus, Away, OpenEditor };
  struct TStep {
    TWhere Where;
    bool Press = true;
    Qt::Key Key = Qt::Key_Escape;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
  };
  struct TCase {
    const char* Name;
    std::vector<TStep> Steps;
    std::vector<std::string> Ups;
  };
  const std::vector<TCase> Cases = {
      {"press and release in the grid", {{Grid}, {Grid, false}}, {"up 27"}},
      {"a release alone, in the grid", {{Grid, false}}, {}},
      {"a release alone, in the editor", {{OpenEditor}, {Editor, false}}, {}},
      {"pressed in the editor, which Esc closed", {{OpenEditor}, {Editor}, {Focus, false}}, {"up 27"}},
      {"pressed in the grid, which opened the editor",
       {{Grid, true, Qt::Key_A}, {Editor, false, Qt::Key_A}},
       {"up 65"}},
      {"Tab moved into the next cell's editor",
       {{OpenEditor}, {Editor, true, Qt::Key_Tab}, {Editor, false, Qt::Key_Tab}},
       {"up 9"}},
      {"released twice", {{Grid}, {Grid, false}, {Grid, false}}, {"up 27"}},
      {"a box took the focus in between", {{Grid}, {Away}, {Grid, false}}, {}},
      {"a shifted digit, Shift let go first",
       {{Grid, true, Qt::Key_Dollar, Qt::ShiftModifier}, {Grid, false, Qt::Key_4}},
       {"up 52"}},
  };
  TFakeEnv Fake;
  for (const TCase& Case : Cases) {
    TGridFixture F;
    std::vector<std::string> Ups;
    F.Grid.OnKeyUp = [&](uint16_t& Key, TShiftState) { Ups.push_back("up " + std::to_string(Key)); };
    F.Show();
    for (const TStep& Step : Case.Steps) {
      QWidget* Target = &F.Grid;
      switch (Step.Where) {
        case OpenEditor:
          F.Grid.SetEditorMode(true);
          continue;
        case Away:
          ImitateModalWindow();
          continue;
        case Editor:
          Target = F.Grid.InplaceEditor();
          break;
        case Focus:
          Target = QApplication::focusWidget();
          break;
        case Grid:
          break;
      }
      QVERIFY2(Target != nullptr, Case.Name);
      if (Step.Press)
        QTest::keyPress(Target, Step.Key, Step.Modifiers);
      else
        QTest::keyRelease(Target, Step.Key, Step.Modifiers);
    }
    QVERIFY2(Ups == Case.Ups, Case.Name);
  }
}

// A key handler may open a box (which takes the focus, so the view closes the
// editor), reload the cells and close the editor, or destroy the grid with its
// window. The key then goes no further: it neither reaches a closed editor nor
// touches what is gone, and the grid goes on working.
void TestStringGrid::HandlersMayCloseTheEditorOrTheGrid_data() {
  QTest::addColumn<QString>("Handler");
  QTest::addColumn<QString>("Action");
  QTest::addColumn<QString>("Cell");  // the cell's text afterwards
  for (const char* Handler : {"down", "press", "up", "set"}) {
    // A key the press or the text change is still handling types nothing more;
    // a release comes after the character was typed.
    const bool Typed = QString(Handler) == "up" || QString(Handler) == "set";
    QTest::addRow("%s, box", Handler) << Handler << "box" << (Typed ? "x" : "0,1");
    QTest::addRow("%s, reload", Handler) << Handler << "reload" << "reloaded";
    if (!Typed || QString(Handler) == "up") QTest::addRow("%s, destroy", Handler) << Handler << "destroy" << "";
  }
}

void TestStringGrid::HandlersMayCloseTheEditorOrTheGrid() {
  QFETCH(QString, Handler);
  QFETCH(QString, Action);
  QFETCH(QString, Cell);
  TFakeEnv Fake;
  auto F = std::make_unique<TGridFixture>();
  TStringGrid* Grid = &F->Grid;
  bool Done = false;
  auto Act = [&]() {
    if (Done) return;
    Done = true;
    if (Action == "box") {
      ImitateModalWindow();
    } else if (Action == "reload") {
      F->Grid.SetCells(0, 1, "reloaded");
      F->Grid.SetEditorMode(false);
    } else {
      F.reset();
    }
  };
  if (Handler == "down") Grid->OnKeyDown = [&](uint16_t&, TShiftState) { Act(); };
  if (Handler == "press") Grid->OnKeyPress = [&](char&) { Act(); };
  if (Handler == "up") Grid->OnKeyUp = [&](uint16_t&, TShiftState) { Act(); };
  if (Handler == "set") Grid->OnSetEditText = [&](int32_t, int32_t, const std::string&) { Act(); };
  F->Show();
  Grid->SetEditorMode(true);
  QVERIFY(Grid->InplaceEditor() != nullptr);
  QTest::keyPress(Grid->InplaceEditor(), Qt::Key_X);
  if (F != nullptr && Grid->InplaceEditor() != nullptr) QTest::keyRelease(Grid->InplaceEditor(), Qt::Key_X);
  QVERIFY(Done);
  QCoreApplication::processEvents();
  if (Action == "destroy") {
    QVERIFY(F == nullptr);
    return;
  }
  QVERIFY(Grid->InplaceEditor() == nullptr);
  QCOMPARE(QString::fromStdString(Grid->Cells(0, 1)), Cell);
  // It goes on working: a letter typed into the grid opens the editor again.
  Grid->setFocus();
  F->Type("z");
  QCOMPARE(Grid->Cells(0, 1), std::string("z"));
}

void TestStringGrid::EditingReportsEveryKeystroke() {
  TFakeEnv Fake;
  TGridFixture F;
  std::vector<std::string> Seen;
  std::vector<std::string> CellWhenSeen;
  F.Grid.OnGetEditText = [&](int32_t C, int32_t R, std::string& Value) {
    Seen.push_back("get " + std::to_string(C) + "," + std::to_string(R) + " " + Value);
  };
  F.Grid.OnSetEditText = [&](int32_t C, int32_t R, const std::string& Value) {
    Seen.push_back("set " + std::to_string(C) + "," + std::to_string(R) + " " + Value);
    CellWhenSeen.push_back(F.Grid.Cells(C, R));
  };
  F.Show();
  F.Grid.SetCol(1);
  F.Type("12");
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_Backspace);
  QCOMPARE(Seen, (std::vector<std::string>{"get 1,1 1,1", "set 1,1 1", "set 1,1 12", "set 1,1 1"}));
  // The cell already holds the new text when the handler runs.
  QCOMPARE(CellWhenSeen, (std::vector<std::string>{"1", "12", "1"}));
  // Leaving the editor keeps the text; the next cell starts from its own.
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_Tab);
  QCOMPARE(F.Grid.Cells(1, 1), std::string("1"));
  QCOMPARE(F.Grid.Col(), 2);
}

void TestStringGrid::EditMaskShapesCellText() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Grid.SetCells(1, 1, "5551234");
  F.Grid.SetCells(2, 1, "01/02/1960");
  F.Grid.OnGetEditMask = [](int32_t C, int32_t R, std::string& Value) {
    if (R >= 1 && C == 1) Value = "000\\-0000;0;_";
    if (R >= 1 && C == 2) Value = "!99/99/0000;1;_";
  };
  std::string LastSet;
  F.Grid.OnSetEditText = [&](int32_t, int32_t, const std::string& Value) { LastSet = Value; };
  F.Show();

  F.Grid.SetCol(1);
  F.Grid.SetEditorMode(true);
  QVERIFY(F.Grid.InplaceEditor() != nullptr);
  QCOMPARE(F.Grid.InplaceEditor()->displayText(), QString("555-1234"));
  F.Grid.InplaceEditor()->selectAll();
  QTest::keyClicks(F.Grid.InplaceEditor(), "8675309");
  QCOMPARE(LastSet, std::string("8675309"));  // digits only: the literals are left out
  QCOMPARE(F.Grid.Cells(1, 1), std::string("8675309"));

  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_Tab);
  F.Grid.SetEditorMode(true);
  QCOMPARE(F.Grid.InplaceEditor()->displayText(), QString("01/02/1960"));
  F.Grid.InplaceEditor()->setCursorPosition(10);
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_Backspace);
  QCOMPARE(LastSet, std::string("01/02/196 "));  // literals kept, a blank in the open position
  // A cell may be left incomplete: the program judges its text, not the editor.
  QTest::keyClick(F.Grid.InplaceEditor(), Qt::Key_Tab);
  QVERIFY(Fake.Boxes.empty());
}

// A handler that refuses every character must also keep dropped text out: the
// editor offers no paste menu and takes no drop.
void TestStringGrid::EditorTakesNoTextBesideTheKeys() {
  TFakeEnv Fake;
  TGridFixture F;
  F.Grid.OnKeyPress = [](char&) { throw EAbort(); };
  std::vector<std::string> Set;
  F.Grid.OnSetEditText = [&](int32_t, int32_t, const std::string& Value) { Set.push_back(Value); };
  F.Show();
  F.Grid.SetEditorMode(true);
  QLineEdit* Editor = F.Grid.InplaceEditor();
  QVERIFY(Editor != nullptr);
  QMimeData Data;
  Data.setText("dropped");
  const QPointF At(Editor->rect().center());
  QDragEnterEvent Enter(At.toPoint(), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Editor, &Enter);
  QDropEvent Drop(At, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Editor, &Drop);
  QCOMPARE(Editor->text(), QString("0,1"));
  QVERIFY(Set.empty());
  QCOMPARE(F.Grid.Cells(0, 1), std::string("0,1"));
  QCOMPARE(Editor->contextMenuPolicy(), Qt::NoContextMenu);
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
