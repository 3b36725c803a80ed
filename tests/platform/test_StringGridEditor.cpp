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

QTEST_MAIN(TestStringGridEditor)
#include "test_StringGridEditor.moc"
