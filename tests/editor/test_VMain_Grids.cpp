// The member grids: filling, the current member, typing, edit detection,
// storing edits (only the cells the clerk changed) and the totals.

#include "FailingDisk.h"
#include "HandEditFixture.h"
#include "TransFormFixture.h"

namespace {
void KeyInGrid(TStringGrid* Grid, Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
  QWidget* Target = Grid->InplaceEditor() != nullptr ? static_cast<QWidget*>(Grid->InplaceEditor()) : Grid;
  QTest::keyPress(Target, Key, Modifiers);
  Target = Grid->InplaceEditor() != nullptr ? static_cast<QWidget*>(Grid->InplaceEditor()) : Grid;
  QTest::keyRelease(Target, Key, Modifiers);
}

TTestMember WithGender(TTestMember M, const std::string& Gender) {
  M.Gender = Gender;
  return M;
}

// What the clerk types before a Save: over the employer's name, and into cells
// of the grids (0 sgrDemogr, 1 sgrContr); and the fields the save must then
// change in the file, of member 1 (the one with hand-edit slips) or member 2.
struct TCellTyping {
  int Grid;
  int Col;
  int Row;
  const char* Text;
};

struct TGridSaveCase {
  const char* Name;
  const char* EmployerName;  // null: the name is left alone
  std::vector<TCellTyping> Cells;
  std::vector<TChange> Changed;
};

// clang-format off
const TGridSaveCase GridSaveCases[] = {
    {"the employer name alone", "Hillside School", {}, {{0, &fnBatchEmployerName, "Hillside School"}}},
    {"a last name of the other member", nullptr, {{0, 0, 2, "Bakers"}}, {{2, &fnLastName, "Bakers"}}},
    {"a first name", nullptr, {{0, 1, 1, "Ann"}}, {{1, &fnFirstName, "Ann"}}},
    {"a phone number", nullptr, {{0, 3, 1, "5559876"}}, {{1, &fnPhoneNumber, "5559876"}}},
    {"a birth date", nullptr, {{0, 4, 1, "03041965"}}, {{1, &fnBirthDate, "03041965"}}},
    {"a gender", nullptr, {{0, 5, 1, "m"}}, {{1, &fnGenderCD, "1"}}},
    {"a regular amount", nullptr, {{1, 5, 1, "75"}}, {{1, &fnContribEmployeePreTax, "7500"}}},
    {"an FTE%", nullptr, {{1, 4, 1, "99.5"}}, {{1, &fnSalaryEarnableUnitsWorked, "9950"}}},
    {"a pensionable amount of the other member", nullptr, {{1, 2, 2, "1200"}}, {{2, &fnSalaryPensionAmount, "120000"}}},
    // Typed back to what the cell showed: no change, the slips stay ("Unknown"
    // over gender 4 counts as an edit, being code 3, so the save runs).
    {"cells typed back", nullptr, {{1, 2, 1, "0.00"}, {0, 0, 1, "Smith"}, {0, 5, 1, "Unknown"}}, {}},
};
// clang-format on
}  // namespace

class TestVMainGrids : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void GridsShowTheMembers() {
    TTestFolder Folder;
    TTestMember M = Member("123456789", "Adams", 12.5);
    M.Gender = "1";
    M.Phone = "5551234";
    Folder.Write("20041000.123", {M, WithGender(Member("222222222", "Baker"), "4"),
                                  WithGender(Member("333333333", "Clark"), " ")});
    TOpenForm Form;
    TStringGrid* D = Form->sgrDemogr;
    TStringGrid* C = Form->sgrContr;
    QCOMPARE(D->RowCount(), 4);
    QCOMPARE(C->RowCount(), 4);
    QCOMPARE(D->Cells(0, 0), std::string("Last Name"));
    QCOMPARE(C->Cells(0, 0), std::string("Last, First"));
    QCOMPARE(D->Cells(0, 1), std::string("Adams"));
    QCOMPARE(D->Cells(2, 1), std::string("123456789"));
    QCOMPARE(D->Cells(3, 1), std::string("5551234"));
    QCOMPARE(D->Cells(4, 1), std::string("01/15/1970"));
    QCOMPARE(D->Cells(5, 1), std::string("Male"));
    QCOMPARE(D->Cells(5, 2), std::string("Unknown"));
    QCOMPARE(C->Cells(0, 1), std::string("Adams, Anna"));
    QCOMPARE(C->Cells(2, 1), std::string("1000.00"));
    QCOMPARE(C->Cells(4, 1), std::string("100.00"));
    QCOMPARE(C->Cells(5, 1), std::string("12.50"));
    QCOMPARE(VisibleRows, (std::vector<int32_t>{0, 1, 2}));
    // Widths for 96 pixels per inch.
    QCOMPARE(D->ColWidths(0), 130);
    QCOMPARE(D->ColWidths(5), 60);
    QCOMPARE(C->ColWidths(0), 88);
    QCOMPARE(C->ColWidths(4), 39);
    // A blank gender stored as a default (Unknown, 3) at loading.
    QCOMPARE(Trans->Details[2]->GetAsString(fnGenderCD), std::string("3"));
  }

  // Sizes follow the screen: at 120 pixels per inch the first data row is 26
  // pixels high and the gender column 75 wide.
  void SizesScaleWithTheScreen() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    ScreenDPI = 120;
    Form->SetUpGrids();
    Form->SyncGridSelection();
    QCOMPARE(Form->sgrDemogr->ColWidths(5), 75);
    QCOMPARE(Form->sgrContr->ColWidths(4), 48);  // 39 * 120 / 96, truncated
    QCOMPARE(Form->sgrDemogr->RowHeights(1), 26);
    QCOMPARE(Form->sgrContr->RowHeights(1), 26);
    ScreenDPI = 96;
  }

  // Whether a typed value counts as an edit of the current member.
  void EditDetection_data() {
    QTest::addColumn<bool>("Contr");
    QTest::addColumn<int>("Col");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<bool>("Edit");
    QTest::newRow("12.5 over 12.50") << true << 5 << "12.5" << false;
    QTest::newRow("12.51 over 12.50") << true << 5 << "12.51" << true;
    QTest::newRow("abc over 12.50") << true << 5 << "abc" << true;
    QTest::newRow("1000 pensionable") << true << 2 << "1000" << false;
    QTest::newRow("FTE 100.001") << true << 4 << "100.00001" << false;
    QTest::newRow("last name case and blanks") << false << 0 << "adams " << false;
    QTest::newRow("last name changed") << false << 0 << "Adam" << true;
    QTest::newRow("female over code 2") << false << 5 << "female" << false;
    QTest::newRow("f over code 2") << false << 5 << "f" << false;
    QTest::newRow("m over code 2") << false << 5 << "m" << true;
    QTest::newRow("same phone") << false << 3 << "5551234" << false;
    QTest::newRow("other phone") << false << 3 << "5551235" << true;
    QTest::newRow("same birth date") << false << 4 << "01151970" << false;
    QTest::newRow("other birth date") << false << 4 << "01161970" << true;
  }
  void EditDetection() {
    QFETCH(bool, Contr);
    QFETCH(int, Col);
    QFETCH(QString, Typed);
    QFETCH(bool, Edit);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams", 12.5)});
    TOpenForm Form;
    TStringGrid* Grid = Contr ? Form->sgrContr : Form->sgrDemogr;
    PasteIntoCell(Grid, Col, 1, Typed);
    QCOMPARE(Grid->Cells(Col, 1), (Col == 4 && !Contr ? std::string("01/") + Typed.toStdString().substr(2, 2) + "/1970"
                                                     : Typed.toStdString()));
    QCOMPARE(Form->FEditing, Edit);
    QCOMPARE(Form->bbnSave->isEnabled(), Edit);
    QCOMPARE(Form->bbnNew->isEnabled(), !Edit);
  }

  // Keystroke by keystroke: deleting the last zero of 12.50 leaves the same amount.
  void DeletingATrailingZeroIsNoEdit() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams", 12.5)});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    Form->sgrContr->setFocus();
    Form->sgrContr->SetCol(5);
    Form->sgrContr->SetEditorMode(true);
    QLineEdit* Editor = Form->sgrContr->InplaceEditor();
    QVERIFY(Editor != nullptr);
    QCOMPARE(Editor->text(), QString("12.50"));
    Editor->end(false);
    QTest::keyClick(Editor, Qt::Key_Backspace);
    QCOMPARE(Form->sgrContr->Cells(5, 1), std::string("12.5"));
    QVERIFY(!Form->FEditing);
    QVERIFY(!Form->bbnSave->isEnabled());
    QTest::keyClick(Editor, Qt::Key_1);
    QVERIFY(Form->FEditing);
  }

  void EditingStaysOnUntilSaveCancelOrRefresh() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams", 12.5)});
    TOpenForm Form;
    TypeIntoCell(Form->sgrContr, 5, 1, "13");
    QVERIFY(Form->FEditing);
    PasteIntoCell(Form->sgrContr, 5, 1, "12.50");
    QVERIFY(Form->FEditing);
    Form->RefreshGrids();
    QVERIFY(!Form->FEditing);
    QCOMPARE(Form->sgrContr->Cells(5, 1), std::string("12.50"));
  }

  // A typed amount that is no number beeps at every drawing, and not even a
  // save with incomplete saves allowed stores it (as 0).
  void NonNumericAmountBeepsWhenDrawnAndIsNeverStored() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams", 12.5)});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    TypeIntoCell(Form->sgrContr, 5, 1, "abc");
    Form->sgrContr->SetEditorMode(false);
    const int Before = Env->Beeps;
    Form->sgrContr->grab();
    QVERIFY(Env->Beeps > Before);
    Form->chbSaveError->SetChecked(true);
    QVERIFY(!Form->SaveTransmittal());
    QCOMPARE(Env->BoxTexts().size(), size_t(1));
    QCOMPARE(Trans->Details[0]->GetAsFloat(fnContribEmployeePreTax), 12.5);
    QVERIFY(Form->FEditing);
  }

  void GenderTypingAndStoring_data() {
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Stored");
    QTest::newRow("f") << "f" << "2";
    QTest::newRow("male") << "male" << "1";
    QTest::newRow("x") << "x" << "3";
    QTest::newRow("blank") << " " << "3";
  }
  void GenderTypingAndStoring() {
    QFETCH(QString, Typed);
    QFETCH(QString, Stored);
    TTestFolder Folder;
    Folder.Write("20041000.123", {WithGender(Member("123456789", "Adams"), "4")});
    TOpenForm Form;
    QCOMPARE(Form->sgrDemogr->Cells(5, 1), std::string("Unknown"));
    TypeIntoCell(Form->sgrDemogr, 5, 1, Typed);
    Form->sgrDemogr->SetEditorMode(false);
    Form->chbSaveError->SetChecked(true);  // a typed "x" leaves an invalid gender... or not
    Form->SetEditing(true);
    QVERIFY(Form->SaveTransmittal());
    QCOMPARE(QString::fromStdString(Trans->Details[0]->GetAsString(fnGenderCD)), Stored);
  }

  void EscInAGridDiscardsTheEdits() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams", 12.5)});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsContr);
    TypeIntoCell(Form->sgrContr, 5, 1, "99");
    QVERIFY(Form->FEditing);
    KeyInGrid(Form->sgrContr, Qt::Key_Escape);
    QVERIFY(!Form->FEditing);
    QCOMPARE(Form->sgrContr->Cells(5, 1), std::string("12.50"));
    QCOMPARE(Trans->Details[0]->GetAsFloat(fnContribEmployeePreTax), 12.5);
  }

  void TypingRules() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("123456789", "Adams")});
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    TStringGrid* D = Form->sgrDemogr;
    Form->pgcTrans->RequestPage(1);
    D->setFocus();
    // The SSN column takes no typing: letters and digits beep and are dropped.
    D->SetCol(2);
    int Before = Env->Beeps;
    KeyInGrid(D, Qt::Key_5);
    QCOMPARE(Env->Beeps, Before + 1);
    QCOMPARE(D->Cells(2, 1), std::string("123456789"));
    QVERIFY(!Form->FEditing);
    // Arrows move without a beep.
    Before = Env->Beeps;
    KeyInGrid(D, Qt::Key_Left);
    QCOMPARE(Env->Beeps, Before);
    QCOMPARE(D->Col(), 1);
    // On a read-only file every column beeps.
    Form->dbnPrev->BtnClick(nbPrior);
    QVERIFY(ReadOnlyMode);
    D->setFocus();
    D->SetCol(0);
    Before = Env->Beeps;
    KeyInGrid(D, Qt::Key_Z);
    QCOMPARE(Env->Beeps, Before + 1);
    QCOMPARE(D->Cells(0, 1), std::string("Adams"));
  }

  // The rules name keys, not characters: Shift+4 is the 4 key and beeps on a
  // read-only file; the point key's release beeps while nobody is shown.
  void ShiftedDigitsAndPunctuationFollowTheKeyRules() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("123456789", "Adams")});
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    Form->dbnPrev->BtnClick(nbPrior);
    QVERIFY(ReadOnlyMode);
    Form->pgcTrans->RequestPage(2);
    TStringGrid* C = Form->sgrContr;
    C->setFocus();
    int Before = Env->Beeps;
    KeyInGrid(C, Qt::Key_Dollar, Qt::ShiftModifier);
    QCOMPARE(Env->Beeps, Before + 1);
    QVERIFY(C->InplaceEditor() == nullptr);
    Trans->Details[0]->Visible = false;
    Form->RefreshGrids();
    Form->SyncGridSelection();
    Before = Env->Beeps;
    KeyInGrid(C, Qt::Key_Period);
    QCOMPARE(Env->Beeps, Before + 1);
  }

  void CtrlTabMovesBetweenPages() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    Form->sgrDemogr->setFocus();
    KeyInGrid(Form->sgrDemogr, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsContr);
    Form->sgrContr->setFocus();
    KeyInGrid(Form->sgrContr, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsDemogr);
  }

  void LeavingTheFirstPageNeedsAnEmployerName() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "Adams")});
    TOpenForm Form;
    Form->edtEmployerName->clear();
    QVERIFY(!Form->pgcTrans->RequestPage(1));
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Employer name should not be empty!"});
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsTrans);
    QVERIFY(Form->bbnSort->isHidden());
  }

  // Totals cover every member; the current member survives a filter.
  void FilterKeepsTotalsAndTheCurrentMember() {
    TTestFolder Folder;
    Folder.Write("20041000.123",
                 {Member("111111111", "Adams", 70), Member("222222222", "Baker", 71), Member("333333333", "Clark", 69.5)});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    Form->sgrContr->SetRow(2);
    QCOMPARE(Trans->CurIndex, 1);
    struct TCase {
      std::vector<bool> Visible;
      int32_t CurIndex;
      int32_t Row;
    };
    for (const TCase& Case : std::vector<TCase>{{{true, false, true}, 2, 2}, {{true, false, false}, 0, 1},
                                               {{false, false, false}, 0, 1}}) {
      Trans->CurIndex = 1;
      for (int I = 0; I < 3; ++I) Trans->Details[I]->Visible = Case.Visible[static_cast<size_t>(I)];
      Form->RefreshGrids();
      Form->SyncGridSelection();
      QCOMPARE(Trans->CurIndex, Case.CurIndex);
      QCOMPARE(Form->sgrContr->Row(), Case.Row);
      QCOMPARE(Form->lblRecordCount->text(), QString("3"));
      QCOMPARE(Form->lblRegular->text(), QString("$210.50"));
      QCOMPARE(Trans->Trailer->GetAsFloat(fnTotalEmplContribAmt), 210.5);
      QCOMPARE(Trans->Trailer->GetAsInteger(fnTotalRecCount), 3);
    }
    // Everything hidden: one empty row of height 0, and the commands that need a member are off.
    QCOMPARE(Form->sgrContr->RowCount(), 2);
    QCOMPARE(Form->sgrContr->RowHeights(1), 0);
    QVERIFY(VisibleRows.empty());
    QVERIFY(!Form->bbnSort->isEnabled() && !Form->bbnEdit->isEnabled());
    QVERIFY(Form->bbnSearch->isEnabled() && Form->bbnShowErr->isEnabled() && Form->bbnShowAll->isEnabled());
    const int Before = Env->Beeps;
    KeyInGrid(Form->sgrContr, Qt::Key_Down);
    QCOMPARE(Env->Beeps, Before + 1);
  }

  // Hiding every member while an amount column is current: the grids go back to
  // their first column while the old rows can still take it, so no key can type
  // into the empty, hidden row.
  void HidingEveryMemberLeavesTheFirstColumnCurrent() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    Form->sgrContr->SetCol(5);
    Form->sgrDemogr->SetCol(3);
    for (int I = 0; I < 2; ++I) Trans->Details[I]->Visible = false;
    Form->RefreshGrids();
    Form->SyncGridSelection();
    QCOMPARE(Form->sgrContr->Col(), 0);
    QCOMPARE(Form->sgrDemogr->Col(), 0);
    Form->sgrContr->setFocus();
    const int Before = Env->Beeps;
    KeyInGrid(Form->sgrContr, Qt::Key_5);
    QCOMPARE(Env->Beeps, Before + 2);  // the key refused, and its release with nobody shown
    QVERIFY(Form->sgrContr->InplaceEditor() == nullptr);
    QVERIFY(!Form->FEditing);
  }

  // An amount too large for its field stops the copy with the field's own
  // message: no beep, nothing written, the typed texts and the editing state kept.
  void AnAmountThatDoesNotFitStopsTheSave() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    TypeIntoCell(Form->sgrDemogr, 0, 1, "Allen");
    Form->sgrDemogr->SetEditorMode(false);
    Form->sgrContr->SetCells(5, 2, "99999999999");
    const int Beeps = Env->Beeps;
    QVERIFY(!Form->SaveTransmittal());
    QCOMPARE(Env->Beeps, Beeps);
    QCOMPARE(Env->BoxTexts().size(), size_t(1));
    QVERIFY(Env->BoxTexts()[0].find("does not fit") != std::string::npos);
    QCOMPARE(Env->Boxes[0].Caption, std::string("KSF Transmittal Software"));
    QCOMPARE(Folder.Read("20041000.123"), Before);
    QVERIFY(Form->FEditing);
    QCOMPARE(Form->sgrContr->Cells(5, 2), std::string("99999999999"));
    QCOMPARE(Form->sgrDemogr->Cells(0, 1), std::string("Allen"));
    QCOMPARE(Trans->Details[1]->GetAsFloat(fnContribEmployeePreTax), 70.0);
  }

  // A Save copies back only the cells the clerk changed: a member whose line
  // holds values no cell can show (hand-edit slips; incomplete saves allowed,
  // as the file fails its checks) keeps them byte for byte, and so does every
  // column the clerk left alone.
  void SaveStoresOnlyChangedCells_data() {
    QTest::addColumn<int>("Case");
    for (size_t I = 0; I < std::size(GridSaveCases); ++I)
      QTest::newRow(GridSaveCases[I].Name) << static_cast<int>(I);
  }
  void SaveStoresOnlyChangedCells() {
    QFETCH(int, Case);
    const TGridSaveCase& C = GridSaveCases[Case];
    TTestFolder Folder;
    WriteWithSlips(Folder, "20041000.123",
                   {Member("123456789", "Smith"), Member("222222222", "Baker")}, 1);
    TOpenForm Form;
    const std::string Before = Folder.Read("20041000.123");
    QVERIFY(Form->chbSaveError->Checked());
    for (const TCellTyping& T : C.Cells) {
      Form->pgcTrans->RequestPage(T.Grid == 0 ? 1 : 2);
      TStringGrid* Grid = T.Grid == 0 ? Form->sgrDemogr : Form->sgrContr;
      TypeIntoCell(Grid, T.Col, T.Row, QString::fromLatin1(T.Text));
      if (QTest::currentTestFailed()) return;
      QTest::keyClick(Grid->InplaceEditor(), Qt::Key_Tab);
    }
    if (C.EmployerName != nullptr) {
      // Last: with an edit pending, leaving the page would ask about saving.
      Form->pgcTrans->RequestPage(0);
      Form->edtEmployerName->setFocus();
      Form->edtEmployerName->selectAll();
      QTest::keyClicks(Form->edtEmployerName, QString::fromLatin1(C.EmployerName));
    }
    QVERIFY(Form->FEditing);
    QTest::mouseClick(Form->bbnSave, Qt::LeftButton);
    QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
    QVERIFY(!Form->FEditing);
    const std::string Difference =
        UnexpectedDifference(Before, Folder.Read("20041000.123"), C.Changed);
    QVERIFY2(Difference.empty(), Difference.c_str());
  }

  // A Save is refused after the members already hold the typed cells (the
  // file's validation, a write refused, a short write). The clerk types the
  // cells of the first member back as they were, in either grid, after going
  // to the other member's row and back or not, and saves: the file holds what
  // the grids show, which is the file as it was.
  void ACellPutBackAfterARefusedSaveIsStored_data() {
    QTest::addColumn<int>("Refusal");  // 0 validation, else a TWriteFault + 1
    QTest::addColumn<int>("Grid");     // 0 sgrDemogr, 1 sgrContr
    QTest::addColumn<bool>("Away");
    const std::pair<const char*, int> Refusals[] = {
        {"file's validation", 0},
        {"write refused", 1 + static_cast<int>(TWriteFault::Raised)},
        {"short write", 1 + static_cast<int>(TWriteFault::Short)},
    };
    for (const auto& [Name, Refusal] : Refusals)
      for (int Grid : {0, 1})
        for (bool Away : {false, true})
          QTest::newRow((std::string(Name) + (Grid == 0 ? ", names and dates" : ", amounts") +
                         (Away ? ", via the other row" : ""))
                            .c_str())
              << Refusal << Grid << Away;
  }
  void ACellPutBackAfterARefusedSaveIsStored() {
    QFETCH(int, Refusal);
    QFETCH(int, Grid);
    QFETCH(bool, Away);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("123456789", "SMITHA"), Member("222222222", "Baker")});
    const std::string Before = Folder.Read("20041000.123");
    TOpenForm Form;
    QVERIFY(!Form->chbSaveError->Checked());
    struct TCell {
      int Col;
      const char* Edit;       // refused by the validation when it is the refusal
      const char* ValidEdit;  // passes it, for the refusals of the disk
    };
    // Last name, birth date, gender; regular and health amounts.
    const std::vector<TCell> Cells =
        Grid == 0 ? std::vector<TCell>{{0, "ZED", "ZED"}, {4, "12312099", "01151971"}, {5, "M", "M"}}
                  : std::vector<TCell>{{5, "99", "71.5"}, {6, "50", "12.75"}};
    TStringGrid* G = Grid == 0 ? Form->sgrDemogr : Form->sgrContr;
    Form->pgcTrans->RequestPage(Grid == 0 ? 1 : 2);
    auto Type = [&](const TCell& C, const std::string& Text) {
      TypeIntoCell(G, C.Col, 1, QString::fromStdString(Text));
      if (QTest::currentTestFailed()) return;
      QTest::keyClick(G->InplaceEditor(), Qt::Key_Tab);
    };
    std::vector<std::string> Shown;
    for (const TCell& C : Cells) {
      Shown.push_back(G->Cells(C.Col, 1));
      Type(C, Refusal == 0 ? C.Edit : C.ValidEdit);
      if (QTest::currentTestFailed()) return;
    }
    QVERIFY(Form->FEditing);
    {
      std::unique_ptr<TFailingDisk> Disk;
      if (Refusal > 0) Disk = std::make_unique<TFailingDisk>(static_cast<TWriteFault>(Refusal - 1));
      QTest::mouseClick(Form->bbnSave, Qt::LeftButton);
    }
    QVERIFY2(!Env->Boxes.empty(), "the save was not refused");
    QVERIFY(Form->FEditing);
    QCOMPARE(Folder.Read("20041000.123"), Before);
    Env->Boxes.clear();
    Env->ShownMessages.clear();

    if (Away) {
      // To the other member's row and back, by mouse.
      for (int Row : {2, 1}) {
        const TRect R = G->CellRect(1, Row);
        QTest::mouseClick(G->viewport(), Qt::LeftButton, {},
                          QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
        QCOMPARE(Trans->CurIndex, Row - 1);
      }
    }
    for (size_t I = 0; I < Cells.size(); ++I) {
      // The gender cell shows a word; typing its first letter is what a clerk does.
      Type(Cells[I], Shown[I] == "Female" ? "F" : Shown[I]);
      if (QTest::currentTestFailed()) return;
    }
    QTest::mouseClick(Form->bbnSave, Qt::LeftButton);
    QVERIFY2(Env->Boxes.empty(), Env->Boxes.empty() ? "" : Env->Boxes[0].Text.c_str());
    QVERIFY(!Form->FEditing);
    for (size_t I = 0; I < Cells.size(); ++I) QCOMPARE(G->Cells(Cells[I].Col, 1), Shown[I]);
    const std::string Difference = UnexpectedDifference(Before, Folder.Read("20041000.123"), {});
    QVERIFY2(Difference.empty(), Difference.c_str());
  }

  void StoringSkipsHiddenMembersAndTheSSN() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    Trans->Details[0]->Visible = false;
    Form->RefreshGrids();
    QCOMPARE(Form->sgrDemogr->Cells(0, 1), std::string("Baker"));
    Form->sgrDemogr->SetCells(0, 1, "Brown");
    Form->sgrDemogr->SetCells(2, 1, "999999999");
    QVERIFY(Form->StoreGridEdits());
    QCOMPARE(Trans->Details[1]->GetAsString(fnLastName), std::string("Brown"));
    QCOMPARE(Trans->Details[1]->GetAsString(fnMemberSSN), std::string("222222222"));
    QCOMPARE(Trans->Details[0]->GetAsString(fnLastName), std::string("Adams"));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainGrids)
#include "test_VMain_Grids.moc"
