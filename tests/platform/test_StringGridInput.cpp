// The string grid's mouse and keys: presses and double clicks on cells and
// titles, drags that ask before each cell, and the key handlers with their
// silent stop and the rule that a release is told only where its press was seen.

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include "FakeEnv.h"
#include "QtTestSupport.h"
#include "StringGrid.h"
#include "StringGridFixture.h"
#include "Utils.h"

class TestStringGridInput : public QObject {
  Q_OBJECT
 private slots:
  void ClickOnCurrentCellClicksAgain();
  void DragAsksBeforeEachCell();
  void MousePressesAndDoubleClicks();
  void DoubleClickHandlerMayFreeTheGrid();
  void KeyHandlersSeeKeysAndCanDropThem();
  void KeyPressCanChangeCharacter();
  void KeyUpOnlyForAPressSeen();
};

void TestStringGridInput::ClickOnCurrentCellClicksAgain() {
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
void TestStringGridInput::DragAsksBeforeEachCell() {
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
void TestStringGridInput::MousePressesAndDoubleClicks() {
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
void TestStringGridInput::DoubleClickHandlerMayFreeTheGrid() {
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

void TestStringGridInput::KeyHandlersSeeKeysAndCanDropThem() {
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

void TestStringGridInput::KeyPressCanChangeCharacter() {
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
void TestStringGridInput::KeyUpOnlyForAPressSeen() {
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

QTEST_MAIN(TestStringGridInput)
#include "test_StringGridInput.moc"
