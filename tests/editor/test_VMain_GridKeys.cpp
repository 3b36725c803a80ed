// Keys of the member grids whose handlers save, reread or change the page while
// a cell editor is open, and boxes that take a key press whose release then
// reaches a grid. Each key goes to the widget with the focus, press and release
// apart, and every box acts on the form as a real modal one does: it takes the
// focus, so an open cell editor closes, and runs events meanwhile.

#include "QtTestSupport.h"
#include "TransFormFixture.h"

namespace {
void Press(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
  QVERIFY(QApplication::focusWidget() != nullptr);
  QTest::keyPress(QApplication::focusWidget(), Key, Modifiers);
}
void Release(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
  QVERIFY(QApplication::focusWidget() != nullptr);
  QTest::keyRelease(QApplication::focusWidget(), Key, Modifiers);
}
}  // namespace

class TestVMainGridKeys : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
    Env->WhileShown = ImitateModalWindow;
  }
  void cleanup() { Env.reset(); }

  // Ctrl+Tab released in the cell editor that Tab has just opened asks about the
  // typed text; each answer does what it says and the form goes on working. With
  // Esc, the box took the Esc press and its release comes to the form afterwards.
  void CtrlTabFromAnOpenCellEditor_data() {
    QTest::addColumn<int>("Col");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<int>("Answer");
    QTest::addColumn<bool>("PageChanged");
    QTest::addColumn<bool>("Saved");
    QTest::addColumn<QString>("Cell");
    QTest::newRow("Yes: saved") << 0 << "Zed" << int(mrYes) << true << true << "Zed";
    QTest::newRow("Yes, the save refused: kept") << 4 << "13451970" << int(mrYes) << false << false << "13/45/1970";
    QTest::newRow("No: discarded") << 0 << "Zed" << int(mrNo) << true << false << "Adams";
    QTest::newRow("Esc: kept") << 0 << "Zed" << int(mrCancel) << false << false << "Zed";
  }
  void CtrlTabFromAnOpenCellEditor() {
    QFETCH(int, Col);
    QFETCH(QString, Typed);
    QFETCH(int, Answer);
    QFETCH(bool, PageChanged);
    QFETCH(bool, Saved);
    QFETCH(QString, Cell);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams"), Member("987654321", "Baker")});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    TStringGrid* D = Form->sgrDemogr;
    QVERIFY(Form->pgcTrans->RequestPage(1));
    TypeIntoCell(D, Col, 1, Typed);
    QVERIFY(Form->FEditing);
    Press(Qt::Key_Tab);
    Release(Qt::Key_Tab);
    QVERIFY(D->InplaceEditor() != nullptr);
    QCOMPARE(QApplication::focusWidget(), D->InplaceEditor());
    Env->Answers.push_back(Answer);
    Press(Qt::Key_Control, Qt::ControlModifier);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), D->InplaceEditor());
    Release(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(Env->BoxTexts().front(), std::string("Data modified! Save?"));
    Release(Qt::Key_Control);
    if (Answer == mrCancel) Release(Qt::Key_Escape);
    QCoreApplication::processEvents();
    const bool Pending = !Saved && !PageChanged;
    QCOMPARE(Form->pgcTrans->ActivePage(), PageChanged ? Form->tbsContr : Form->tbsDemogr);
    QCOMPARE(QString::fromStdString(D->Cells(Col, 1)), Cell);
    QCOMPARE(Folder.Read("20041000.123") != Before, Saved);
    // Ctrl+Tab is no Tab for the editor: the cursor stays where Tab put it.
    if (!PageChanged) QCOMPARE(D->Col(), Col + 1);
    QCOMPARE(Form->FEditing, Pending);
    QCOMPARE(Form->bbnSave->isEnabled(), Pending);
    // The form goes on taking keys: typing into the grid on show edits it.
    TStringGrid* Shown = PageChanged ? Form->sgrContr : D;
    TypeIntoCell(Shown, 5, 2, "55");
    QCOMPARE(Shown->Cells(5, 2), std::string("55"));
    QVERIFY(Form->FEditing);
  }

  // An Esc release whose press a box took, reaching the open cell editor, is no
  // Esc for the grid: the typed text stays pending.
  void EscReleaseWithoutItsPressKeepsTheEdits() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    TStringGrid* C = Form->sgrContr;
    QVERIFY(Form->pgcTrans->RequestPage(2));
    TypeIntoCell(C, 5, 1, "99");
    QVERIFY(C->InplaceEditor() != nullptr);
    QCOMPARE(QApplication::focusWidget(), C->InplaceEditor());
    Release(Qt::Key_Escape);
    QVERIFY(C->InplaceEditor() != nullptr);
    QVERIFY(Form->FEditing);
    QCOMPARE(C->Cells(5, 1), std::string("99"));
    // Pressed and released in the editor, Esc discards them.
    Press(Qt::Key_Escape);
    Release(Qt::Key_Escape);
    QVERIFY(!Form->FEditing);
    QCOMPARE(C->Cells(5, 1), std::string("70.00"));
  }

  // A wrong birth date, Alt+S, the message window, then the save refusal closed
  // with Esc: the Esc release reaches the grid and must leave the edits pending,
  // so that Save stays offered and closing asks about them.
  void EscClosingTheSaveRefusalKeepsTheEdits() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    TStringGrid* D = Form->sgrDemogr;
    QVERIFY(Form->pgcTrans->RequestPage(1));
    TypeIntoCell(D, 4, 1, "02301970");
    QVERIFY(Form->FEditing);
    Press(Qt::Key_Alt, Qt::AltModifier);
    Press(Qt::Key_S, Qt::AltModifier);
    Release(Qt::Key_S, Qt::AltModifier);
    Release(Qt::Key_Alt);
    // A button pressed by its accelerator clicks a moment later.
    QTRY_COMPARE(Env->BoxTexts(), std::vector<std::string>{"Coudn't save the file!"});
    QCOMPARE(Env->ShownMessages.size(), size_t(1));
    Release(Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(Folder.Read("20041000.123"), Before);
    QCOMPARE(D->Cells(4, 1), std::string("02/30/1970"));
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    Env->Boxes.clear();
    Env->Answers.push_back(mrCancel);
    Form->bbnExit->click();
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Data modified! Save?"});
    QVERIFY(Form->isVisible());
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainGridKeys)
#include "test_VMain_GridKeys.moc"
