// The current member after grid edits are written before a member command, or
// dropped by Cancel: the member the clerk picked in the grid in front stays
// current, and both grids' rows follow it, whichever row the other grid was
// left on, however the clerk reached the cell, in a filtered view too.

#include "MemberCommandsFixture.h"

namespace {

enum class TCommand { DetailButton, DoubleClick, Insert, Sort, Search, ShowErrors, ShowAll, Cancel };

const std::pair<const char*, TCommand> Commands[] = {
    {"Detail", TCommand::DetailButton}, {"double click", TCommand::DoubleClick},
    {"Insert", TCommand::Insert},       {"Sort", TCommand::Sort},
    {"Search", TCommand::Search},       {"Show Errors", TCommand::ShowErrors},
    {"Show All", TCommand::ShowAll},    {"Cancel", TCommand::Cancel},
};

// The member the other grid's row stays on, and the one the clerk edits.
const char* const SmithA = "111111111";
const char* const SmithC = "333333333";

const TRecord* MemberWithSSN(const TTransShort& T, const std::string& SSN) {
  for (const TRecord* R : T.Details)
    if (R->GetAsString(fnMemberSSN) == SSN) return R;
  return nullptr;
}

std::string CurrentSSN() { return Trans->Details[Trans->CurIndex]->GetAsString(fnMemberSSN); }

}  // namespace

Q_DECLARE_METATYPE(TCommand)

class TestVMainCurrentMember : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
    LastSearchField = 0;
    LastSearchOp = 0;
    LastSearchValue.clear();
  }
  void cleanup() { Env.reset(); }

  // The clerk edits SMITHC's cell (reached by a click or by the arrow keys) in
  // one grid while the other grid's row stays on SMITHA, and runs a command,
  // which first writes the edit (or Cancel, which drops it): the command acts
  // on SMITHC, SMITHC stays current with both grids' rows on it, and a text
  // typed into the current cell afterwards is judged against SMITHC.
  void TheMemberPickedStaysCurrent_data() {
    QTest::addColumn<TCommand>("Command");
    QTest::addColumn<bool>("Keys");
    QTest::addColumn<bool>("Contr");
    QTest::addColumn<bool>("Filtered");
    for (const auto& [Name, Command] : Commands)
      for (bool Contr : {false, true})
        for (bool Keys : {false, true})
          for (bool Filtered : {false, true})
            QTest::newRow((std::string(Name) + (Contr ? ", contributions" : ", demographic") +
                           (Keys ? ", by keys" : ", by mouse") + (Filtered ? ", filtered" : ""))
                              .c_str())
                << Command << Keys << Contr << Filtered;
  }
  void TheMemberPickedStaysCurrent() {
    QFETCH(TCommand, Command);
    QFETCH(bool, Keys);
    QFETCH(bool, Contr);
    QFETCH(bool, Filtered);
    TTestFolder Folder;
    // Each column the clerk may end on tells the members apart.
    auto Smith = [](const char* SSN, const char* Last, double Amount) {
      TTestMember M = Valid(SSN, Last, Amount * 1000, Amount * 1000);
      M.Voluntary = Amount;
      return M;
    };
    Folder.Write("20041000.123", {Smith(SmithA, "SMITHA", 1), Smith("222222222", "SMITHB", 2), Smith(SmithC, "SMITHC", 3)});
    TOpenForm Form;
    Activate(Form.Form);
    ClickTab(Form.Form, Contr ? 2 : 1);
    TStringGrid* Grid = Contr ? Form->sgrContr : Form->sgrDemogr;
    TStringGrid* Other = Contr ? Form->sgrDemogr : Form->sgrContr;
    // Search "last name <> SMITHB" and "last name > A": the filtered view and
    // the whole list.
    auto Search = [&] {
      AnswerSearch(1, Filtered ? soNotEqual : soGreater, Filtered ? "SMITHB" : "A");
      QTest::mouseClick(Form->bbnSearch, Qt::LeftButton);
      Activate(Form.Form);
    };
    if (Filtered) {
      Search();
      QCOMPARE(ShownNames(Form.Form), (std::vector<std::string>{"SMITHA", "SMITHC"}));
    }

    const int32_t Row = Filtered ? 2 : 3;  // SMITHC's
    const int32_t Col = Contr ? 7 : 0;     // Voluntary, Last Name
    const QString Typed = Contr ? "5" : "SMITHCX";
    if (Keys) {
      Grid->setFocus();
      while (Grid->Row() < Row) QTest::keyClick(Grid, Qt::Key_Down);
      while (Grid->Col() < Col) QTest::keyClick(Grid, Qt::Key_Right);
    } else {
      QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, CellCenter(Grid, Col, Row));
    }
    QCOMPARE(Grid->Row(), Row);
    QCOMPARE(Grid->Col(), Col);
    QCOMPARE(Other->Row(), 1);
    TypeKeys(Typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(Form->FEditing);
    QCOMPARE(QString::fromStdString(Grid->Cells(Col, Row)), Typed);

    std::string Opened;  // the SSN the detail form showed; "new" for a new member
    auto WhenDetailShown = [&Opened] {
      WhenModalShown([&Opened](QWidget* Modal) {
        if (Modal != frmMbrDetail) return ForceCloseModal(Modal);
        Opened = InsertMode ? "new" : CurrentSSN();
        frmMbrDetail->done(mrCancel);
      });
    };
    switch (Command) {
      case TCommand::DetailButton:
        WhenDetailShown();
        QTest::mouseClick(Form->bbnEdit, Qt::LeftButton);
        break;
      case TCommand::DoubleClick:
        WhenDetailShown();
        DoubleClick(Grid->viewport(), CellCenter(Grid, Col, Row));
        break;
      case TCommand::Insert:
        WhenDetailShown();
        QTest::mouseClick(Form->bbnInsert, Qt::LeftButton);
        break;
      case TCommand::Sort:
        QTest::mouseClick(Form->bbnSort, Qt::LeftButton);
        break;
      case TCommand::Search:
        Search();
        break;
      case TCommand::ShowErrors:
        QTest::mouseClick(Form->bbnShowErr, Qt::LeftButton);
        QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"No errors found"});
        break;
      case TCommand::ShowAll:
        QTest::mouseClick(Form->bbnShowAll, Qt::LeftButton);
        break;
      case TCommand::Cancel:
        QTest::mouseClick(Form->bbnCancel, Qt::LeftButton);
        break;
    }
    QVERIFY(!Form->FEditing);
    if (Command == TCommand::DetailButton || Command == TCommand::DoubleClick) QCOMPARE(Opened, std::string(SmithC));
    if (Command == TCommand::Insert) QCOMPARE(Opened, std::string("new"));

    // The edit is in the file, on SMITHC; Cancel drops it.
    auto Saved = OnDisk(Folder, "20041000.123");
    const TRecord* C = MemberWithSSN(*Saved, SmithC);
    QVERIFY(C != nullptr);
    const bool Kept = Command != TCommand::Cancel;
    if (Contr)
      QCOMPARE(C->GetAsFloat(fnContribVoluntaryPostTax), Kept ? 5.0 : 3.0);
    else
      QCOMPARE(C->GetAsString(fnLastName), std::string(Kept ? "SMITHCX" : "SMITHC"));

    // A sort keeps the current position; SMITHC stays third by last name and
    // by voluntary amount alike.
    QCOMPARE(CurrentSSN(), std::string(SmithC));
    for (TStringGrid* G : {Form->sgrDemogr, Form->sgrContr}) {
      QVERIFY(G->Row() >= 1 && G->Row() <= static_cast<int32_t>(VisibleRows.size()));
      QCOMPARE(VisibleRows[static_cast<size_t>(G->Row() - 1)], Trans->CurIndex);
    }

    // SMITHA's text typed into the current cell differs from SMITHC's: an edit.
    const TRecord* A = MemberWithSSN(*Trans, SmithA);
    QVERIFY(A != nullptr);
    const TGridColumn& Column = (Contr ? ContrColumns : DemogrColumns)[static_cast<size_t>(Grid->Col())];
    Activate(Form.Form);
    Grid->setFocus();
    TypeKeys(QString::fromStdString(CellText(*A, Column)));
    QCOMPARE(VisibleRows[static_cast<size_t>(Grid->Row() - 1)], Trans->CurIndex);
    QVERIFY(Form->FEditing);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainCurrentMember)
#include "test_VMain_CurrentMember.moc"
