// An amount typed into the contributions grid that is no number ("1,000", or
// an amount wiped out) is never stored as 0: every save that writes the grids'
// cells refuses it before anything is stored, with one box naming the member
// and the text, and puts the clerk on the cell, still editing with Save
// offered, so that a corrected amount then saves.

#include "MemberCommandsFixture.h"

namespace {

// How the clerk comes to save, and whether the save question is asked first.
enum class TSavePath { SaveButton, AltS, Sort, DoubleClick, LeaveThePage, Exit };

struct TSaveCase {
  const char* Name;
  TSavePath Path;
  bool Asked;  // "Data modified! Save?", answered Yes
};

const TSaveCase SaveCases[] = {
    {"Save", TSavePath::SaveButton, false},
    {"Alt+S, the cell's editor open", TSavePath::AltS, false},
    {"Sort", TSavePath::Sort, false},
    {"double click for Detail", TSavePath::DoubleClick, false},
    {"Yes on leaving the page", TSavePath::LeaveThePage, true},
    {"Yes on Exit", TSavePath::Exit, true},
};

const int32_t Regular = 5, Voluntary = 7;

}  // namespace

Q_DECLARE_METATYPE(TSavePath)

class TestVMainTypedAmounts : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  // The clerk raises Adams' regular amount, types a text that is no number as
  // Baker's voluntary amount and goes back to Adams (except where the save
  // comes from the cell's own editor), then saves.
  void AnAmountThatIsNoNumberIsRefusedByName_data() {
    QTest::addColumn<TSavePath>("Path");
    QTest::addColumn<bool>("Asked");
    QTest::addColumn<QString>("Typed");
    for (const TSaveCase& Case : SaveCases)
      for (const char* Typed : {"1,000", ""})
        QTest::newRow((std::string(Case.Name) + (*Typed != 0 ? ", 1,000" : ", wiped out")).c_str())
            << Case.Path << Case.Asked << QString(Typed);
  }
  void AnAmountThatIsNoNumberIsRefusedByName() {
    QFETCH(TSavePath, Path);
    QFETCH(bool, Asked);
    QFETCH(QString, Typed);
    TTestFolder Folder;
    TTestMember Baker = Valid("222222222", "Baker");
    Baker.First = "Bill";
    Baker.Voluntary = 25;
    Folder.Write("20041000.123", {Valid("111111111", "Adams"), Baker});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    Activate(Form.Form);
    ClickTab(Form.Form, 2);
    TStringGrid* Grid = Form->sgrContr;
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, CellCenter(Grid, Regular, 1));
    TypeKeys("70.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, CellCenter(Grid, Voluntary, 2));
    QTest::keyClick(Grid, Qt::Key_F2);
    QVERIFY(Grid->InplaceEditor() != nullptr);
    Grid->InplaceEditor()->selectAll();
    if (Typed.isEmpty())
      QTest::keyClick(Grid->InplaceEditor(), Qt::Key_Backspace);
    else
      TypeKeys(Typed);
    QCOMPARE(QString::fromStdString(Grid->Cells(Voluntary, 2)), Typed);
    if (Path != TSavePath::AltS) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, CellCenter(Grid, 2, 1));
      QCOMPARE(Trans->CurIndex, 0);
    }
    QVERIFY(Form->FEditing);

    if (Asked) Env->Answers = {mrYes};
    switch (Path) {
      case TSavePath::SaveButton: QTest::mouseClick(Form->bbnSave, Qt::LeftButton); break;
      case TSavePath::AltS: QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier); break;
      case TSavePath::Sort: QTest::mouseClick(Form->bbnSort, Qt::LeftButton); break;
      case TSavePath::DoubleClick: DoubleClick(Grid->viewport(), CellCenter(Grid, 2, 1)); break;
      case TSavePath::LeaveThePage: ClickTab(Form.Form, 0); break;
      case TSavePath::Exit: QTest::mouseClick(Form->bbnExit, Qt::LeftButton); break;
    }
    // An accelerator clicks its button a moment later.
    if (Path == TSavePath::AltS) QTRY_VERIFY(!Env->Boxes.empty());

    std::vector<std::string> Boxes;
    if (Asked) Boxes.push_back("Data modified! Save?");
    Boxes.push_back("The amount \"" + Typed.toStdString() +
                    "\" typed for member 222-22-2222 (Baker, Bill) under Voluntary is not a number.");
    QCOMPARE(Env->BoxTexts(), Boxes);
    QCOMPARE(Folder.Read("20041000.123"), Before);
    // Nothing stored, the number typed for Adams neither.
    QCOMPARE(Trans->Details[0]->GetAsFloat(fnContribEmployeePreTax), 70.0);
    QCOMPARE(Trans->Details[1]->GetAsFloat(fnContribVoluntaryPostTax), 25.0);
    QVERIFY(Form.Form != nullptr && Form->isVisible());
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsContr);
    QCOMPARE(Grid->Cells(Regular, 1), std::string("70.5"));
    QCOMPARE(QString::fromStdString(Grid->Cells(Voluntary, 2)), Typed);
    // On the cell, Baker current.
    QCOMPARE(Grid->Row(), 2);
    QCOMPARE(Grid->Col(), Voluntary);
    QCOMPARE(Form->sgrDemogr->Row(), 2);
    QCOMPARE(Trans->CurIndex, 1);

    // The clerk types the amount over it, where the cursor now is, and saves.
    QVERIFY(!Grid->EditorMode());
    Env->Boxes.clear();
    Activate(Form.Form);
    TypeKeys("100");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Grid->Cells(Voluntary, 2), std::string("100"));
    QTest::mouseClick(Form->bbnSave, Qt::LeftButton);
    QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
    auto Saved = OnDisk(Folder, "20041000.123");
    QCOMPARE(Saved->Details[0]->GetAsFloat(fnContribEmployeePreTax), 70.5);
    QCOMPARE(Saved->Details[1]->GetAsFloat(fnContribVoluntaryPostTax), 100.0);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainTypedAmounts)
#include "test_VMain_TypedAmounts.moc"
