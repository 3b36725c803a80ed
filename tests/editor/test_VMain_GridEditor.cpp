// The in-place editor of the member grids against the form's commands and the
// keys that change a cell without typing a character.

#include <QClipboard>
#include <QTabBar>

#include "TransFormFixture.h"

class TestVMainGridEditor : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  // Cancel (its button's accelerator leaves the editor open) rereads the file;
  // the text typed before must not come back when the editor closes, where it
  // would show while nothing is pending and be saved with the next edit.
  void CancelDiscardsTheTextOfAnOpenEditor_data() {
    QTest::addColumn<bool>("Contr");
    QTest::addColumn<int>("Col");
    QTest::addColumn<int>("Row");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Kept");
    QTest::newRow("regular, first row") << true << 5 << 1 << "99" << "12.50";
    QTest::newRow("regular, second row") << true << 5 << 2 << "99" << "70.00";
    QTest::newRow("last name") << false << 0 << 1 << "Zed" << "Adams";
    QTest::newRow("birth date") << false << 4 << 2 << "02031980" << "01/15/1970";
  }
  void CancelDiscardsTheTextOfAnOpenEditor() {
    QFETCH(bool, Contr);
    QFETCH(int, Col);
    QFETCH(int, Row);
    QFETCH(QString, Typed);
    QFETCH(QString, Kept);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams", 12.5), Member("987654321", "Baker")});
    TOpenForm Form;
    TStringGrid* Grid = Contr ? Form->sgrContr : Form->sgrDemogr;
    Form->pgcTrans->RequestPage(Contr ? 2 : 1);
    TypeIntoCell(Grid, Col, Row, Typed);
    QVERIFY(Form->FEditing);
    QVERIFY(Grid->InplaceEditor() != nullptr);
    Form->bbnCancelClick();
    QVERIFY(Grid->InplaceEditor() == nullptr);
    QCOMPARE(QString::fromStdString(Grid->Cells(Col, Row)), Kept);
    QVERIFY(!Form->FEditing);
    // A later edit elsewhere saves every visible member from its cells.
    TypeIntoCell(Form->sgrDemogr, 1, 1, "Bo");
    Form->sgrDemogr->SetEditorMode(false);
    QVERIFY(Form->SaveTransmittal());
    QCOMPARE(QString::fromStdString(Grid->Cells(Col, Row)), Kept);
  }

  // A clerk who opens a grid's page by its tab and clicks the highlighted cell
  // types the new value at once: every key lands in the cell, the first one too.
  void KeysTypedRightAfterAClickOnTheHighlightedCellLand_data() {
    QTest::addColumn<bool>("Contr");
    QTest::addColumn<QString>("Typed");
    QTest::newRow("pensionable") << true << "4000";
    QTest::newRow("last name") << false << "Zed";
  }
  void KeysTypedRightAfterAClickOnTheHighlightedCellLand() {
    QFETCH(bool, Contr);
    QFETCH(QString, Typed);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams"), Member("987654321", "Baker")});
    TOpenForm Form;
    QApplication::setActiveWindow(Form.Form);
    QVERIFY(QTest::qWaitForWindowActive(Form.Form));
    QTabBar* Tabs = Form->pgcTrans->tabBar();
    QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(Contr ? 2 : 1).center());
    TStringGrid* Grid = Contr ? Form->sgrContr : Form->sgrDemogr;
    QCOMPARE(Form->pgcTrans->ActivePage(), Contr ? Form->tbsContr : Form->tbsDemogr);
    const int32_t Col = Grid->Col();
    const int32_t Row = Grid->Row();
    const QPoint Cell = Grid->visualRect(Grid->model()->index(Row - 1, Col)).center();
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Cell);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Grid));
    for (QChar C : Typed) QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
    QCOMPARE(QString::fromStdString(Grid->Cells(Col, Row)), Typed);
    QVERIFY(Form->FEditing);
  }

  // Shift+Insert pastes as Ctrl+V does: into a cell that takes typing, and on a
  // read-only file or in the SSN column it beeps and changes nothing.
  void ShiftInsertFollowsTheTypingRules_data() {
    QTest::addColumn<bool>("ReadOnly");
    QTest::addColumn<int>("Col");
    QTest::addColumn<QString>("Cell");
    QTest::addColumn<int>("Beeps");
    QTest::newRow("last name") << false << 0 << "Zed" << 0;
    QTest::newRow("last name, read-only") << true << 0 << "Adams" << 1;
    QTest::newRow("SSN") << false << 2 << "123456789" << 1;
  }
  void ShiftInsertFollowsTheTypingRules() {
    QFETCH(bool, ReadOnly);
    QFETCH(int, Col);
    QFETCH(QString, Cell);
    QFETCH(int, Beeps);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("123456789", "Adams")});
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    if (ReadOnly) Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(ReadOnlyMode, ReadOnly);
    Form->pgcTrans->RequestPage(1);
    QApplication::clipboard()->setText("Zed");
    TStringGrid* D = Form->sgrDemogr;
    D->setFocus();
    D->SetCol(Col);
    QTest::keyClick(D, Qt::Key_F2);
    QLineEdit* Editor = D->InplaceEditor();
    QVERIFY(Editor != nullptr);
    Editor->selectAll();
    const int Before = Env->Beeps;
    QTest::keyClick(Editor, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(Env->Beeps, Before + Beeps);
    QCOMPARE(QString::fromStdString(D->Cells(Col, 1)), Cell);
    QCOMPARE(Form->FEditing, Beeps == 0);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainGridEditor)
#include "test_VMain_GridEditor.moc"
