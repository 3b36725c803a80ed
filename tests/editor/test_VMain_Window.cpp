// The preparation form as a window: its captions, tab order and keyboard
// accelerators, and the print-option dialog that Print opens.

#include <QAbstractButton>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

#include "QtTestSupport.h"
#include "TransFormFixture.h"
#include "VDemogr.h"
#include "VPrintSel.h"

namespace {
std::string FocusName() {
  QWidget* W = QApplication::focusWidget();
  return W == nullptr ? std::string("<none>") : W->objectName().toStdString();
}

// The names of Parent's buttons in the order the Tab key visits them.
std::vector<std::string> TabStops(QWidget* Parent) {
  std::vector<std::string> Names;
  QWidget* First = nullptr;
  for (QWidget* W = Parent->nextInFocusChain(); W != First; W = W->nextInFocusChain()) {
    if (First == nullptr) First = W;
    if (Parent->isAncestorOf(W) && (W->focusPolicy() & Qt::TabFocus) && qobject_cast<QAbstractButton*>(W))
      Names.push_back(W->objectName().toStdString());
  }
  return Names;
}
}  // namespace

class TestVMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void CaptionsOfButtonsAndGroups() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    const std::vector<std::pair<const char*, const char*>> Expected = {
        {"bbnExit", "E&xit"},         {"bbnNew", "&New"},
        {"bbnAmend", "&Amend"},       {"bbnRevise", "&Revise"},
        {"bbnPrint", "&Print"},       {"bbnSave", "&Save"},
        {"bbnHelp", "Help"},          {"bbnCancel", "Cancel"},
        {"bbnEdit", "D&etail"},       {"bbnInsert", "&Insert"},
        {"bbnSort", "S&ort"},         {"bbnSearch", "Sear&ch"},
        {"bbnShowErr", "S&how Errors"}, {"bbnShowAll", "Show A&ll"},
        {"chbSaveError", "Allow in&complete saves"},
    };
    for (const auto& [Name, Text] : Expected) {
      auto* B = Form->findChild<QAbstractButton*>(Name);
      QVERIFY2(B != nullptr, Name);
      QCOMPARE(B->text(), QString(Text));
    }
    const std::vector<std::pair<const char*, const char*>> Groups = {
        {"gbxReport", "Report Data"},  {"gbxEmployerData", "Employer Data"},
        {"gbxFileName", "Transmittal File Name"}, {"gbxVersion", "Program"},
        {"gbxNotice", "Important Notice"}};
    for (const auto& [Name, Text] : Groups) {
      auto* G = Form->findChild<QGroupBox*>(Name);
      QVERIFY2(G != nullptr, Name);
      QCOMPARE(G->title(), QString(Text));
    }
    QCOMPARE(Form->lblVersion->text() + Form->Label1->text(), QString("Employer Transmittal Software, v. 3.0"));
  }

  void TabOrderOfTheButtonRows() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    QCOMPARE(TabStops(Form->pnlBtns), (std::vector<std::string>{"bbnExit", "bbnNew", "bbnAmend", "bbnRevise",
                                                                 "bbnPrint", "bbnSave", "bbnHelp"}));
    // Show Errors is no tab stop.
    QCOMPARE(TabStops(Form->pnlBottomBtns), (std::vector<std::string>{"bbnCancel", "bbnEdit", "bbnInsert",
                                                                       "bbnSort", "bbnSearch", "bbnShowAll"}));
    QVERIFY(!(Form->bbnTree->focusPolicy() & Qt::TabFocus));
  }

  // Every accelerator of the first page does its one thing; two controls
  // sharing a letter would make Alt+letter only move the focus between them.
  void AcceleratorsOfTheFirstPage_data() {
    QTest::addColumn<int>("Key");
    QTest::addColumn<QString>("Box");
    QTest::addColumn<QString>("Focus");
    QTest::newRow("Alt+A Amend") << int(Qt::Key_A)
                                 << "A new amendment will be created to the current report.\r\nContinue?" << "";
    QTest::newRow("Alt+N New") << int(Qt::Key_N)
                               << "A new report will be created for the next month.\r\n"
                                  "You will not be able to make revisions for the current month!\r\n"
                                  "Continue?"
                               << "";
    QTest::newRow("Alt+R Revise") << int(Qt::Key_R)
                                  << "A new revision will be created for the current report.\r\nContinue?" << "";
    QTest::newRow("Alt+U period") << int(Qt::Key_U) << "" << "edtMonthYear";
    QTest::newRow("Alt+E employer name") << int(Qt::Key_E) << "" << "edtEmployerName";
  }
  void AcceleratorsOfTheFirstPage() {
    QFETCH(int, Key);
    QFETCH(QString, Box);
    QFETCH(QString, Focus);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    QApplication::setActiveWindow(Form.Form);
    Form->bbnHelp->setFocus();
    Env->DefaultAnswer = mrNo;
    QTest::keyClick(Form->bbnHelp, Qt::Key(Key), Qt::AltModifier);
    if (!Box.isEmpty()) {
      // A button pressed by its accelerator clicks a moment later.
      QTRY_COMPARE(Env->BoxTexts().size(), size_t(1));
      QCOMPARE(Env->BoxTexts()[0], Box.toStdString());
    } else {
      QCOMPARE(FocusName(), Focus.toStdString());
      QTest::qWait(150);
      QVERIFY(Env->Boxes.empty());
    }
    QCOMPARE(OpenName(), std::string("20041000.123"));
  }

  // Leaving a grid page with pending edits goes through the save question.
  void LeavingAGridPageWithPendingEdits_data() {
    QTest::addColumn<int>("Answer");
    QTest::addColumn<bool>("Leaves");
    QTest::addColumn<double>("Stored");
    QTest::newRow("Cancel stays") << int(mrCancel) << false << 70.0;
    QTest::newRow("No discards") << int(mrNo) << true << 70.0;
    QTest::newRow("Yes saves") << int(mrYes) << true << 71.0;
  }
  void LeavingAGridPageWithPendingEdits() {
    QFETCH(int, Answer);
    QFETCH(bool, Leaves);
    QFETCH(double, Stored);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    QVERIFY(Form->pgcTrans->RequestPage(2));
    QVERIFY(Form->bbnSort->isVisibleTo(Form.Form));
    TypeIntoCell(Form->sgrContr, 5, 1, "71");
    Form->sgrContr->SetEditorMode(false);
    QVERIFY(Form->FEditing);
    Env->Answers = {Answer};
    QCOMPARE(Form->pgcTrans->RequestPage(0), Leaves);
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Data modified! Save?"});
    QCOMPARE(Form->pgcTrans->ActivePage(), Leaves ? Form->tbsTrans : Form->tbsContr);
    QCOMPARE(Form->bbnSort->isVisibleTo(Form.Form), !Leaves);
    QCOMPARE(Form->FEditing, !Leaves);
    TTransShort Check;
    Check.FileName = Folder.Path("20041000.123");
    QVERIFY(Check.LoadFromFile());
    QCOMPARE(Check.Details[0]->GetAsFloat(fnContribEmployeePreTax), Stored);
  }

  // The first page cannot be left without an employer name or without members.
  void LeavingTheFirstPageIsRefused() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    Folder.Write("20041010.123", {});
    TOpenForm Form;
    QCOMPARE(Trans->Details.Count(), 0);
    // Instead, the member detail form opens for a first member.
    bool DetailForNew = false;
    WhenModalShown([&DetailForNew](QWidget* Modal) {
      DetailForNew = Modal == frmMbrDetail && InsertMode;
      frmMbrDetail->done(mrCancel);
    });
    QVERIFY(!Form->pgcTrans->RequestPage(1));
    QVERIFY(DetailForNew);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsTrans);
    QVERIFY(Env->Boxes.empty());
    QCOMPARE(Env->Beeps, 0);
    Form->edtEmployerName->clear();
    QVERIFY(!Form->pgcTrans->RequestPage(2));
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Employer name should not be empty!"});
    QCOMPARE(Env->Beeps, 1);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsTrans);
  }

  // Cancel puts both grids back where they stood and leaves in-place editing.
  void CancelKeepsTheGridPositions() {
    TTestFolder Folder;
    Folder.Write("20041000.123",
                 {Member("111111111", "Adams"), Member("222222222", "Baker"), Member("333333333", "Clark")});
    TOpenForm Form;
    QVERIFY(Form->pgcTrans->RequestPage(2));
    TypeIntoCell(Form->sgrContr, 6, 3, "13");
    QVERIFY(Form->FEditing);
    Form->bbnCancelClick();
    QVERIFY(!Form->FEditing);
    QCOMPARE(Form->sgrContr->Row(), 3);
    QCOMPARE(Form->sgrContr->Col(), 6);
    QVERIFY(!Form->sgrContr->EditorMode());
    QCOMPARE(Form->sgrContr->Cells(6, 3), std::string("12.50"));
    QCOMPARE(Trans->CurIndex, 2);
  }

  // Each button of the print-option dialog closes it with its own answer.
  void PrintOptionDialog_data() {
    QTest::addColumn<QString>("Button");
    QTest::addColumn<int>("Result");
    QTest::newRow("Demographic") << "btnDemogr" << int(mrYes);
    QTest::newRow("Transaction") << "btnContr" << int(mrNo);
    QTest::newRow("Cancel") << "btnCancel" << int(mrCancel);
    QTest::newRow("Esc") << "" << int(mrCancel);
  }
  void PrintOptionDialog() {
    QFETCH(QString, Button);
    QFETCH(int, Result);
    TfrmPrintQ Dialog(nullptr);
    QCOMPARE(frmPrintQ, &Dialog);
    QCOMPARE(Dialog.windowTitle(), QString("Select Print Option"));
    QCOMPARE(Dialog.size(), QSize(473, 148));
    QCOMPARE(Dialog.btnDemogr->text(), QString("&Demographic Information"));
    QCOMPARE(Dialog.btnContr->text(), QString("&Transaction Information"));
    QCOMPARE(Dialog.btnCancel->text(), QString("Cancel"));
    ArrangeModal(&Dialog);
    QTimer::singleShot(0, &Dialog, [&] {
      if (Button.isEmpty())
        QTest::keyClick(&Dialog, Qt::Key_Escape);
      else
        Dialog.findChild<QPushButton*>(Button)->click();
    });
    QCOMPARE(Dialog.exec(), Result);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainWindow)
#include "test_VMain_Window.moc"
