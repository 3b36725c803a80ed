// The search dialog on its own: its lists, what each way of closing it
// remembers and does to the members, and its keyboard.

#include <QApplication>
#include <QGroupBox>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "QtTestSupport.h"
#include "TransFixtures.h"
#include "Utils.h"
#include "VSearch.h"

namespace {

QStringList Items(const QListWidget* List) {
  QStringList Texts;
  for (int I = 0; I < List->count(); ++I) Texts << List->item(I)->text();
  return Texts;
}

// Shows a fresh dialog modally, lets Act work on it while it is shown (the
// dialog active, as for the user), and returns its modal result. A dialog that
// Act left open (a failed check) is closed with -1. The dialog is freed
// afterwards, as the search command frees it.
int RunDialog(const std::function<void(TfrmSearch*)>& Act) {
  auto Dialog = std::make_unique<TfrmSearch>();
  TfrmSearch* Raw = Dialog.get();
  WhenModalShown([Raw, &Act](QWidget*) {
    QApplication::setActiveWindow(Raw);
    if (QTest::qWaitForWindowActive(Raw)) Act(Raw);
    QTimer::singleShot(0, Raw, [Raw] {
      if (Raw->isVisible()) Raw->done(-1);
    });
  });
  const int Result = Dialog->ShowModal();
  return Dialog->result() == -1 ? -1 : Result;
}

void Choose(TfrmSearch* D, int Field, int Op, const QString& Value) {
  D->lbxFields->setCurrentRow(Field);
  D->lbxOps->setCurrentRow(Op);
  D->edtValue->setText(Value);
}

}  // namespace

class TestVSearch : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakeEnv> FEnv;

  std::vector<bool> Flags() const {
    std::vector<bool> V;
    for (const TRecord* R : Trans->Details) V.push_back(R->Visible);
    return V;
  }

  // A fresh start: the run's first search, three members all shown.
  void Fresh() {
    delete Trans;
    FEnv.reset();
    FEnv = std::make_unique<TFakeEnv>();
    FEnv->SetToday(2004, 11, 15);
    ScreenDPI = 96;
    LastSearchField = 0;
    LastSearchOp = 0;
    LastSearchValue.clear();
    Trans = new TTransShort();
    AddMember(*Trans, "111111111", "Adams");
    AddMember(*Trans, "222222222", "Baker");
    AddMember(*Trans, "333333333", "Clark");
  }

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() { Fresh(); }
  void cleanup() {
    delete Trans;
    Trans = nullptr;
    FEnv.reset();
  }

  void ShowsItsListsAndTheRememberedChoices() {
    LastSearchField = 8;
    LastSearchOp = 3;
    LastSearchValue = "12.5";
    TfrmSearch Dialog;
    QCOMPARE(Dialog.windowTitle(), QString("Search Window"));
    QCOMPARE(Items(Dialog.lbxFields),
             QStringList({"SSN", "Last Name", "First Name", "BirthDate", "Pensionable Amount",
                          "Earnable Amount", "FTE%", "Regular Amount", "Healt Amount",
                          "Voluntary Amount", "Contracts Amount"}));
    QCOMPARE(Items(Dialog.lbxOps),
             QStringList({"Equal To", "Not Equal To", "Greater Than", "Greater or Equal Than",
                          "Less Than", "Less or Equal Than"}));
    QVERIFY(Dialog.width() >= 495 && Dialog.height() >= 254);
    Dialog.show();
    // Every item can be read whole, without scrolling, and nothing overlaps.
    for (QListWidget* List : {Dialog.lbxFields, Dialog.lbxOps}) {
      QVERIFY(List->viewport()->width() >= List->sizeHintForColumn(0));
      QVERIFY(List->viewport()->height() >= List->sizeHintForRow(0) * List->count());
    }
    QVERIFY(!Dialog.GroupBox1->geometry().intersects(Dialog.GroupBox2->geometry()));
    QVERIFY(!Dialog.GroupBox2->geometry().intersects(Dialog.GroupBox3->geometry()));
    QVERIFY(!Dialog.GroupBox3->geometry().intersects(Dialog.btnSearch->geometry()));
    QVERIFY(Dialog.rect().contains(Dialog.btnCancel->geometry()));
    QVERIFY(Dialog.rect().contains(Dialog.GroupBox1->geometry()));
    QCOMPARE(Dialog.lbxFields->currentRow(), 8);
    QCOMPARE(Dialog.lbxOps->currentRow(), 3);
    QCOMPARE(Dialog.edtValue->text(), QString("12.5"));
    for (const char* Name : {"GroupBox1", "lbxFields", "GroupBox2", "lbxOps", "GroupBox3",
                             "edtValue", "btnSearch", "btnCancel"})
      QVERIFY2(Dialog.findChild<QWidget*>(Name) != nullptr, Name);
  }

  // What each way of closing the dialog gives the caller, keeps of the
  // choices and does to the members' flags.
  void EachWayOfClosing() {
    struct TCase {
      const char* Name;
      std::function<void(TfrmSearch*)> Act;
      int Result;
      bool Remembers;
      std::vector<bool> Flags;
      std::vector<std::string> Boxes;
    };
    // Every case chooses "Last Name" "Equal To" baker first.
    const TCase Cases[] = {
        {"Search", [](TfrmSearch* D) { D->btnSearch->click(); }, mrOk, true, {false, true, false}, {}},
        {"Cancel", [](TfrmSearch* D) { D->btnCancel->click(); }, mrCancel, true, {true, true, true}, {}},
        {"close box", [](TfrmSearch* D) { D->close(); }, mrCancel, false, {true, true, true}, {}},
        {"invalid date",
         [](TfrmSearch* D) {
           Choose(D, 3, 4, "13/45/2004");
           D->btnSearch->click();
         },
         mrOk, false, {true, true, true}, {"Invalid date!"}},
        {"invalid amount",
         [](TfrmSearch* D) {
           Choose(D, 7, 0, "abc");
           D->btnSearch->click();
         },
         mrOk, false, {true, true, true}, {"Invalid amount!"}},
        {"empty amount",
         [](TfrmSearch* D) {
           Choose(D, 4, 0, "");
           D->btnSearch->click();
         },
         mrOk, false, {true, true, true}, {"Invalid amount!"}},
    };
    for (const TCase& C : Cases) {
      Fresh();
      // The choices of an earlier search, which a refused value must leave alone.
      LastSearchField = 2;
      LastSearchOp = 5;
      LastSearchValue = "earlier";
      const int Result = RunDialog([&](TfrmSearch* D) {
        Choose(D, 1, 0, "baker");
        C.Act(D);
      });
      QVERIFY2(Result == C.Result, C.Name);
      QVERIFY2(Flags() == C.Flags, C.Name);
      QVERIFY2(FEnv->BoxTexts() == C.Boxes, C.Name);
      QVERIFY2(FEnv->Beeps == static_cast<int>(C.Boxes.size()), C.Name);
      if (!C.Boxes.empty()) QVERIFY2(FEnv->Boxes[0].Caption == "KSF Transmittal Software", C.Name);
      // The next showing offers what is remembered.
      TfrmSearch Next;
      Next.show();
      const bool Remembered = Next.lbxFields->currentRow() == LastSearchField &&
                              Next.lbxOps->currentRow() == LastSearchOp &&
                              Next.edtValue->text() == QString::fromStdString(LastSearchValue);
      QVERIFY2(Remembered, C.Name);
      if (C.Remembers) {
        QVERIFY2(LastSearchField == 1 && LastSearchOp == 0 && LastSearchValue == "baker", C.Name);
      } else {
        QVERIFY2(LastSearchField == 2 && LastSearchOp == 5 && LastSearchValue == "earlier", C.Name);
      }
    }
  }

  // Every field of the list searches its own member field with every comparison:
  // three members differ in that field alone (below, at and above the value),
  // so a field read from the wrong column, or a comparison that is off at the
  // value itself, shows the wrong members.
  void EveryFieldWithEveryComparison() {
    struct TFieldCase {
      const std::string* Name;
      const char* Below;
      const char* At;
      const char* Above;
      QString Value;  // as typed
    };
    const TFieldCase Fields[] = {
        {&fnMemberSSN, "111111111", "222222222", "333333333", "222222222"},
        {&fnLastName, "Adams", "baker", "CLARK", "Baker"},
        {&fnFirstName, "Ann", "Bea", "Cy", "bea"},
        {&fnBirthDate, "01/15/1950", "06/30/1960", "12/31/1970", "6/30/1960"},
        {&fnSalaryPensionAmount, "999.99", "1000", "1000.01", "1000"},
        {&fnSalaryEarnableAmount, "1999.99", "2000", "2000.01", "2000.00"},
        {&fnSalaryEarnableUnitsWorked, "49.99", "50", "50.01", "50"},
        {&fnContribEmployeePreTax, "69.99", "70", "70.01", "70"},
        {&fnContribEmployerPreTax, "12.49", "12.5", "12.51", "12.50"},
        {&fnContribVoluntaryPostTax, "-0.01", "0", "0.01", "0"},
        {&fnContribContractPostTax, "4.99", "5", "5.01", "5"},
    };
    // Below, at, above the value, by comparison in list order.
    const std::vector<bool> Shown[] = {{false, true, false}, {true, false, true},
                                       {false, false, true}, {false, true, true},
                                       {true, false, false}, {true, true, false}};
    QCOMPARE(std::size(Fields), SearchFields.size());
    for (int Field = 0; Field < static_cast<int>(std::size(Fields)); ++Field) {
      const TFieldCase& F = Fields[Field];
      for (int Op = 0; Op < static_cast<int>(std::size(Shown)); ++Op) {
        Fresh();
        // Three members alike in every field but this one.
        ClearFreeList(&Trans->Details);
        for (const char* Text : {F.Below, F.At, F.Above})
          AddMember(*Trans)->SetAsString(*F.Name, Text);
        const int Result = RunDialog([&](TfrmSearch* D) {
          Choose(D, Field, Op, F.Value);
          D->btnSearch->click();
        });
        const QByteArray Case = QStringLiteral("%1 %2 %3")
                                    .arg(SearchFields[static_cast<size_t>(Field)].Item,
                                         SearchOps[static_cast<size_t>(Op)], F.Value)
                                    .toUtf8();
        QVERIFY2(Result == mrOk, Case.constData());
        QVERIFY2(FEnv->Boxes.empty(), Case.constData());
        QVERIFY2(Flags() == Shown[Op], Case.constData());
      }
    }
  }

  // Enter searches from the value box, Esc cancels, and the groups'
  // accelerators reach their controls.
  void WorksByKeyboard() {
    int Result = RunDialog([](TfrmSearch* D) {
      QTest::keyClick(D, Qt::Key_F, Qt::AltModifier);
      QVERIFY(D->lbxFields->hasFocus());
      QTest::keyClick(D->lbxFields, Qt::Key_Down);
      QTest::keyClick(D, Qt::Key_O, Qt::AltModifier);
      QVERIFY(D->lbxOps->hasFocus());
      QTest::keyClick(D->lbxOps, Qt::Key_Down);
      QTest::keyClick(D->lbxOps, Qt::Key_Down);
      QTest::keyClick(D, Qt::Key_V, Qt::AltModifier);
      QVERIFY(D->edtValue->hasFocus());
      D->edtValue->selectAll();
      QTest::keyClicks(D->edtValue, "b");
      QTest::keyClick(D->edtValue, Qt::Key_Return);
    });
    QCOMPARE(Result, int(mrOk));
    // Last Name, Greater Than "B": Baker and Clark.
    QCOMPARE(Flags(), (std::vector<bool>{false, true, true}));
    QCOMPARE(LastSearchValue, std::string("b"));

    Result = RunDialog([](TfrmSearch* D) {
      D->edtValue->setFocus();
      D->edtValue->setText("typed");
      QTest::keyClick(D->edtValue, Qt::Key_Escape);
    });
    QCOMPARE(Result, int(mrCancel));
    QCOMPARE(LastSearchValue, std::string("typed"));
    QCOMPARE(Flags(), (std::vector<bool>{false, true, true}));
  }
};

QTEST_MAIN(TestVSearch)
#include "test_VSearch.moc"
