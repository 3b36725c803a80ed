// The string grid's in-place editor: masks, every keystroke reported, no text
// but by the keys, and handlers that close the editor or free the grid.

#include <QLineEdit>
#include <QMimeData>
#include <QtTest>
#include <memory>

#include "FakeEnv.h"
#include "QtTestSupport.h"
#include "StringGrid.h"
#include "StringGridFixture.h"
#include "Utils.h"

class TestStringGridEditor : public QObject {
  Q_OBJECT
 private slots:
  void HandlersMayCloseTheEditorOrTheGrid_data();
  void HandlersMayCloseTheEditorOrTheGrid();
  void EditingReportsEveryKeystroke();
  void EditMaskShapesCellText();
  void EditorTakesNoTextBesideTheKeys();
  void FirstKeyOpensTheEditorWithIt_data();
  void FirstKeyOpensTheEditorWithIt();
  void ClickOnTheCurrentCellOpensTheEditorOnlyWhereItIsStill();
  void ClickIntoAMaskedEditorTypesWhereTypingStarts_data();
  void ClickIntoAMaskedEditorTypesWhereTypingStarts();
};

// A key handler may open a box (which takes the focus, so the view closes the
// editor), reload the cells and close the editor, or destroy the grid with its
// window. The key then goes no further: it neither reaches a closed editor nor
// touches what is gone, and the grid goes on working.
void TestStringGridEditor::HandlersMayCloseTheEditorOrTheGrid_data() {
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

void TestStringGridEditor::HandlersMayCloseTheEditorOrTheGrid() {
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

void TestStringGridEditor::EditingReportsEveryKeystroke() {
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

void TestStringGridEditor::EditMaskShapesCellText() {
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
void TestStringGridEditor::EditorTakesNoTextBesideTheKeys() {
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

// A masked cell's editor opens with its whole text selected, so that the first
// key replaces it; a click into it afterwards follows the masked box's rule: past
// the last digit (the middle of an empty phone cell) the keys start where typing
// starts, not after the click or after the end of the mask.
void TestStringGridEditor::ClickIntoAMaskedEditorTypesWhereTypingStarts_data() {
  QTest::addColumn<QString>("Cell");
  QTest::addColumn<bool>("Click");  // in the middle of the editor, once it is open
  QTest::addColumn<QString>("Keys");
  QTest::addColumn<QString>("Result");
  QTest::newRow("empty, clicked") << "" << true << "5551234" << "5551234";
  QTest::newRow("partly filled, clicked") << "555" << true << "1234" << "5551234";
  QTest::newRow("full, typed over at opening") << "5551234" << false << "8675309" << "8675309";
}

void TestStringGridEditor::ClickIntoAMaskedEditorTypesWhereTypingStarts() {
  QFETCH(QString, Cell);
  QFETCH(bool, Click);
  QFETCH(QString, Keys);
  QFETCH(QString, Result);
  TFakeEnv Fake;
  TGridFixture F;
  F.Grid.SetColWidths(1, 100);
  F.Grid.SetCells(1, 1, Cell.toStdString());
  F.Grid.OnGetEditMask = [](int32_t C, int32_t, std::string& Value) {
    if (C == 1) Value = "000\\-0000;0;_";
  };
  F.Show();
  F.Grid.SetCol(1);
  F.Grid.SetEditorMode(true);
  QLineEdit* Editor = F.Grid.InplaceEditor();
  QVERIFY(Editor != nullptr);
  QCOMPARE(Editor->selectedText(), Editor->displayText());
  if (Click) {
    const QPoint Middle = Editor->rect().center();
    QVERIFY(Editor->cursorPositionAt(Middle) > 4);  // after "555-": beyond every digit
    QTest::mouseClick(Editor, Qt::LeftButton, {}, Middle);
    QCOMPARE(F.Grid.InplaceEditor(), Editor);
  }
  QTest::keyClicks(Editor, Keys);
  QCOMPARE(F.Grid.Cells(1, 1), Result.toStdString());
}

QTEST_MAIN(TestStringGridEditor)
#include "test_StringGridEditor.moc"

// However a cell became current and the grid got the keyboard, the first key
// typed opens the cell's editor with that key in it, also while the grid waits
// to tell a click on the current cell from a double click: "4000" typed at
// once is 4000, not 000 or nothing.
void TestStringGridEditor::FirstKeyOpensTheEditorWithIt_data() {
  QTest::addColumn<QString>("Way");
  QTest::newRow("click on the current cell") << "click current";
  QTest::newRow("click on another cell") << "click other";
  QTest::newRow("arrow key") << "arrow";
  QTest::newRow("Tab into the grid") << "tab";
  QTest::newRow("focus moved by the program") << "program";
}

void TestStringGridEditor::FirstKeyOpensTheEditorWithIt() {
  QFETCH(QString, Way);
  TFakeEnv Fake;
  QWidget Window;
  auto* Before = new QLineEdit(&Window);
  auto* Grid = new TStringGrid(&Window);
  Grid->move(0, 40);
  Grid->resize(400, 200);
  Grid->SetColCount(3);
  Grid->SetFixedCols(0);
  Grid->SetRowCount(4);
  Grid->SetOptions(goVertLine | goHorzLine | goEditing | goTabs);
  for (int R = 1; R < 4; ++R) Grid->SetCells(1, R, "70.00");
  std::vector<std::string> Edits;
  Grid->OnSetEditText = [&](int32_t, int32_t, const std::string& Value) { Edits.push_back(Value); };
  Window.setTabOrder(Before, Grid);
  Window.resize(420, 260);
  Window.show();
  QVERIFY(QTest::qWaitForWindowActive(&Window));
  Grid->SetCol(1);
  const auto Center = [&](int C, int R) { return Grid->visualRect(Grid->model()->index(R - 1, C)).center(); };
  Before->setFocus();
  QTRY_VERIFY(Before->hasFocus());
  if (Way == "click current") QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Center(1, 1));
  if (Way == "click other") QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Center(1, 2));
  if (Way == "arrow") {
    Grid->setFocus();
    QTest::keyClick(Grid, Qt::Key_Down);
  }
  if (Way == "tab") QTest::keyClick(Before, Qt::Key_Tab);
  if (Way == "program") Grid->setFocus();
  QTRY_VERIFY(Grid->hasFocus());
  const int32_t Row = Grid->Row();
  for (QChar C : QString("4000")) QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
  QCOMPARE(Grid->Cells(1, Row), std::string("4000"));
  QCOMPARE(Edits, (std::vector<std::string>{"4", "40", "400", "4000"}));
  // The wait for a second click, if any, ends in nothing: the editor keeps what was typed.
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  QVERIFY(Grid->EditorMode());
  QCOMPARE(Grid->InplaceEditor()->text(), QString("4000"));
}

// A click on the current cell opens its editor, with the text selected, once no
// second click has come; but not on a cell the user has moved on from, and not
// when the keyboard has gone elsewhere, where the editor would take it back.
void TestStringGridEditor::ClickOnTheCurrentCellOpensTheEditorOnlyWhereItIsStill() {
  TFakeEnv Fake;
  QWidget Window;
  auto* Other = new QLineEdit(&Window);
  TGridFixture F;
  F.Grid.setParent(&Window);
  F.Grid.move(0, 40);
  Window.resize(420, 360);
  Window.show();
  QVERIFY(QTest::qWaitForWindowActive(&Window));
  F.Grid.setFocus();
  QTRY_VERIFY(F.Grid.hasFocus());
  const int Wait = QApplication::doubleClickInterval() + 100;
  QCOMPARE(F.Grid.Col(), 0);
  QCOMPARE(F.Grid.Row(), 1);
  QTest::mouseClick(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(0, 1));
  QVERIFY(!F.Grid.EditorMode());
  QTRY_VERIFY_WITH_TIMEOUT(F.Grid.EditorMode(), Wait * 2);
  QCOMPARE(F.Grid.InplaceEditor()->selectedText(), QString("0,1"));
  F.Grid.SetEditorMode(false);

  // Moved on with an arrow key before the editor opened.
  QTest::mouseClick(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(0, 1));
  QTest::keyClick(&F.Grid, Qt::Key_Down);
  QTest::qWait(Wait);
  QVERIFY(!F.Grid.EditorMode());
  QCOMPARE(F.Grid.Row(), 2);

  // Gone to another box.
  QTest::mouseClick(F.Grid.viewport(), Qt::LeftButton, {}, F.CellCenter(0, 2));
  Other->setFocus();
  QTest::qWait(Wait);
  QVERIFY(!F.Grid.EditorMode());
  QVERIFY(Other->hasFocus());
}
