// The member commands below the grids and the grids' mouse shortcuts: Sort by
// button and by title, Search, Show Errors and Show All with the status line,
// pending grid edits written to the file before each command, and a save that
// fails there stopping the command instead of losing the edits.

#include <algorithm>

#include "MemberCommandsFixture.h"

class TestVMainMembers : public QObject {
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

  // Sort orders by the column the cursor is in; the same column again turns
  // the order round, and the status line says which.
  void SortTwiceOnAColumn() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Valid("111111111", "Clark", 1500), Valid("222222222", "Adams", 2000),
                                  Valid("333333333", "Baker", 1000)});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    QCOMPARE(Form->StatusBar->PanelText(1), std::string());
    Form->sgrContr->SetCol(5);
    Form->bbnSort->click();
    QCOMPARE(Form->StatusBar->PanelText(1), std::string("Sorted by regular amont (Ascending)"));
    QCOMPARE(ShownNames(Form.Form), (std::vector<std::string>{"Baker", "Clark", "Adams"}));
    Form->sgrContr->SetCol(5);
    Form->bbnSort->click();
    QCOMPARE(Form->StatusBar->PanelText(1), std::string("Sorted by regular amont (Descending)"));
    QCOMPARE(ShownNames(Form.Form), (std::vector<std::string>{"Adams", "Clark", "Baker"}));
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));
  }

  // A press on a column's title sorts by what that column shows, at once; a
  // second press turns the order round. Every column of both grids.
  void TitlePressSortsByThatColumn() {
    TTestFolder Folder;
    TTestMember A = Valid("333333333", "Clark", 1500, 2000), B = Valid("111111111", "Adams", 2000, 2500),
                C = Valid("222222222", "Baker", 1000, 4000);
    A.First = "Bea", B.First = "Cy", C.First = "Al";
    A.Phone = "5550003", B.Phone = "5550001", C.Phone = "5550002";
    A.BirthDate = "03/01/1960", B.BirthDate = "01/20/1970", C.BirthDate = "12/31/1950";
    A.Gender = "2", B.Gender = "3", C.Gender = "1";
    A.Voluntary = 5, B.Voluntary = 1, C.Voluntary = 9;
    A.Contracts = 20, B.Contracts = 30, C.Contracts = 10;
    Folder.Write("20041000.123", {A, B, C});
    TOpenForm Form;
    struct TCase {
      int Page;
      int32_t Col;
      const char* Label;
      std::vector<std::string> Ascending;  // the last names, top to bottom
    };
    const TCase Cases[] = {
        {2, 0, "name", {"Adams", "Baker", "Clark"}},
        {2, 1, "SSN", {"Adams", "Baker", "Clark"}},
        {2, 2, "pensionable amount", {"Baker", "Clark", "Adams"}},
        {2, 3, "earnable amount", {"Clark", "Adams", "Baker"}},
        {2, 4, "FTE%", {"Baker", "Clark", "Adams"}},
        {2, 5, "regular amont", {"Baker", "Clark", "Adams"}},
        {2, 6, "health amount", {"Baker", "Clark", "Adams"}},
        {2, 7, "voluntary amount", {"Adams", "Clark", "Baker"}},
        {2, 8, "contracts amount", {"Baker", "Clark", "Adams"}},
        {1, 0, "last name", {"Adams", "Baker", "Clark"}},
        {1, 1, "first name", {"Baker", "Clark", "Adams"}},
        {1, 2, "SSN", {"Adams", "Baker", "Clark"}},
        {1, 3, "phone number", {"Adams", "Baker", "Clark"}},
        {1, 4, "birth date", {"Baker", "Clark", "Adams"}},
        {1, 5, "gender", {"Baker", "Clark", "Adams"}},
    };
    for (const TCase& C : Cases) {
      Form->pgcTrans->RequestPage(C.Page);
      TStringGrid* Grid = C.Page == 1 ? Form->sgrDemogr : Form->sgrContr;
      // A new choice of column sorts ascending, also where two columns of the
      // grids sort by the same field.
      Trans->SortField = -1;
      PressTitle(Grid, C.Col);
      const std::string Label = std::string("Sorted by ") + C.Label;
      QCOMPARE(Form->StatusBar->PanelText(1), Label + " (Ascending)");
      QCOMPARE(ShownNames(Form.Form), C.Ascending);
      QVERIFY(HeaderClicked);
      PressTitle(Grid, C.Col, Qt::RightButton);
      QCOMPARE(Form->StatusBar->PanelText(1), Label + " (Descending)");
      // The whole text can be read.
      QLabel* Panel = Form->StatusBar->Panel(1);
      QVERIFY(Panel->fontMetrics().horizontalAdvance(Panel->text()) <= Panel->contentsRect().width());
      std::vector<std::string> Descending(C.Ascending.rbegin(), C.Ascending.rend());
      QCOMPARE(ShownNames(Form.Form), Descending);
    }
    // A press on a member's row selects it and sorts nothing.
    const std::string Before = Form->StatusBar->PanelText(1);
    TStringGrid* Grid = Form->sgrDemogr;
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {},
                      Grid->visualRect(Grid->model()->index(1, 3)).center());
    QVERIFY(!HeaderClicked);
    QCOMPARE(Grid->Row(), 2);
    QCOMPARE(Form->StatusBar->PanelText(1), Before);
  }

  // The column under the pointer is found from the column widths, past the
  // last column too, and with the grid scrolled sideways.
  void SelectColumnAtFindsTheColumnUnderThePointer() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Valid("111111111", "Adams")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(2);
    TStringGrid* Grid = Form->sgrContr;
    const int32_t W0 = Grid->ColWidths(0), W1 = Grid->ColWidths(1);
    const std::pair<int32_t, int32_t> Cases[] = {{0, 0}, {W0, 0}, {W0 + 1, 1}, {W0 + W1, 1}, {100000, 8}};
    for (auto [X, Col] : Cases) {
      SelectColumnAt(Grid, X);
      QCOMPARE(Grid->Col(), Col);
    }
    Grid->SetColWidths(0, 3000);
    QCoreApplication::processEvents();
    const int32_t Scrolled = Grid->horizontalScrollBar()->maximum();
    QVERIFY(Scrolled > 0);
    Grid->horizontalScrollBar()->setValue(Scrolled);
    // Column 1 begins 3000 pixels in, that is 3000 - Scrolled from the left edge.
    SelectColumnAt(Grid, 3000 - Scrolled + 1);
    QCOMPARE(Grid->Col(), 1);
  }

  // The sort keeps the current position, not the current member.
  void SortKeepsTheCurrentPosition() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Valid("111111111", "Clark"), Valid("222222222", "Adams"),
                                  Valid("333333333", "Baker")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    Form->sgrDemogr->SetRow(3);
    QCOMPARE(Trans->CurIndex, 2);
    PressTitle(Form->sgrDemogr, 0);
    QCOMPARE(Trans->CurIndex, 2);
    QCOMPARE(Form->sgrDemogr->Row(), 3);
    QCOMPARE(Form->sgrDemogr->Cells(0, 3), std::string("Clark"));
  }

  // A grid edit is written to the file before each command, without checks,
  // although the allow-incomplete-saves box is clear; the box stays clear.
  void GridEditIsWrittenBeforeEachCommand() {
    const std::pair<const char*, std::function<void(TfrmTrans*)>> Commands[] = {
        {"Sort", [](TfrmTrans* F) { F->bbnSort->click(); }},
        {"Search", [](TfrmTrans* F) {
           AnswerSearch(1, 0, "x", true);
           F->bbnSearch->click();
         }},
        {"Show Errors", [](TfrmTrans* F) { F->bbnShowErr->click(); }},
        {"Show All", [](TfrmTrans* F) { F->bbnShowAll->click(); }},
        {"Detail", [](TfrmTrans* F) {
           CloseDetailWhenShown();
           F->bbnEdit->click();
         }},
        {"Insert", [](TfrmTrans* F) {
           CloseDetailWhenShown();
           F->bbnInsert->click();
         }},
    };
    for (const auto& [Name, Run] : Commands) {
      TTestFolder Folder;
      Folder.Write("20041000.123", {Valid("111111111", "Adams"), Valid("222222222", "Baker")});
      TOpenForm Form;
      Form->pgcTrans->RequestPage(2);
      QVERIFY(!Form->chbSaveError->Checked());
      // 999.00 is far from 7% of 1000.00: a checked save would refuse it.
      PasteIntoCell(Form->sgrContr, 5, 2, "999");
      QVERIFY(Form->FEditing);
      Run(Form.Form);
      QVERIFY2(!Form->FEditing, Name);
      QVERIFY2(!Form->chbSaveError->Checked(), Name);
      auto Saved = OnDisk(Folder, "20041000.123");
      QVERIFY2(Saved->Details.Count() == 2, Name);
      double Regular = 0;
      for (const TRecord* R : Saved->Details)
        if (R->GetAsString(fnMemberSSN) == "222222222") Regular = R->GetAsFloat(fnContribEmployeePreTax);
      QVERIFY2(Regular == 999.0, Name);
    }
  }

  // When the file cannot be written at that moment (a full disk, the data
  // folder gone), the command does not go on: the edits stay on screen and
  // in the editing state, Save is offered and closing asks about them.
  void FailedSaveStopsTheCommand() {
    const std::pair<const char*, std::function<void(TfrmTrans*)>> Commands[] = {
        {"Sort", [](TfrmTrans* F) { F->bbnSort->click(); }},
        {"Search", [](TfrmTrans* F) { F->bbnSearch->click(); }},
        {"Show Errors", [](TfrmTrans* F) { F->bbnShowErr->click(); }},
        {"Show All", [](TfrmTrans* F) { F->bbnShowAll->click(); }},
        {"Detail", [](TfrmTrans* F) { F->bbnEdit->click(); }},
        {"Insert", [](TfrmTrans* F) { F->bbnInsert->click(); }},
    };
    for (bool FolderGone : {false, true}) {
      for (const auto& [Name, Run] : Commands) {
        Env->Boxes.clear();
        TTestFolder Folder;
        Folder.Write("20041000.123", {Valid("111111111", "Adams"), Valid("222222222", "Baker")});
        const std::string Before = Folder.Read("20041000.123");
        TOpenForm Form;
        Form->pgcTrans->RequestPage(2);
        PasteIntoCell(Form->sgrContr, 5, 2, "999");
        Form->sgrContr->SetEditorMode(false);
        std::string Opened;
        WhenModalShown([&Opened](QWidget* Modal) {
          Opened = Modal->objectName().toStdString();
          Modal->close();
        }, 300);
        {
          std::unique_ptr<TDiskFull> Full;
          if (FolderGone)
            std::filesystem::rename(Folder.Path(""), AppDir + "Moved");
          else
            Full = std::make_unique<TDiskFull>();
          Run(Form.Form);
        }
        QTest::qWait(400);
        const std::string Case = std::string(Name) + (FolderGone ? ", folder gone" : ", disk full");
        QVERIFY2(Opened.empty(), Case.c_str());
        QVERIFY2(Env->Boxes.size() == 1, Case.c_str());
        QVERIFY2(Env->Boxes[0].Kind == (FolderGone ? TMsgKind::ErrorBox : TMsgKind::MessageBox), Case.c_str());
        if (!FolderGone) QVERIFY2(Env->Boxes[0].Text == "Coudn't save the file!", Case.c_str());
        QVERIFY2(Form->FEditing && Form->bbnSave->isEnabled(), Case.c_str());
        QVERIFY2(!Form->chbSaveError->Checked(), Case.c_str());
        QVERIFY2(Form->sgrContr->Cells(5, 2) == "999", Case.c_str());
        QVERIFY2(Form->StatusBar->PanelText(1).empty(), Case.c_str());
        if (FolderGone) std::filesystem::rename(AppDir + "Moved", Folder.Path(""));
        QVERIFY2(Folder.Read("20041000.123") == Before, Case.c_str());
        Env->Boxes.clear();
        Env->Answers = {mrCancel};
        QVERIFY2(!Form->FormCloseQuery(), Case.c_str());
        QVERIFY2(Env->BoxTexts() == std::vector<std::string>{"Data modified! Save?"}, Case.c_str());
      }
    }
  }

  void ShowErrorsAndShowAll() {
    TTestFolder Folder;
    TTestMember Bad = Valid("222222222", "Baker");
    Bad.Health = 0;
    Folder.Write("20041000.123", {Valid("111111111", "Adams"), Bad, Valid("333333333", "Clark")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    Form->bbnShowErr->click();
    QCOMPARE(Env->ShownMessages.size(), size_t(1));
    QVERIFY(!Env->ShownMessages[0].empty());
    QCOMPARE(ShownNames(Form.Form), std::vector<std::string>{"Baker"});
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("Errors"));
    QCOMPARE(Trans->CurIndex, 1);

    // A cancelled search judges nobody, and says the list is filtered.
    AnswerSearch(1, 0, "x", true);
    Form->bbnSearch->click();
    QCOMPARE(ShownNames(Form.Form), std::vector<std::string>{"Baker"});
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("Filtered"));

    Form->bbnShowAll->click();
    QCOMPARE(ShownNames(Form.Form), (std::vector<std::string>{"Adams", "Baker", "Clark"}));
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));

    // With the member mended, nobody fails.
    PasteIntoCell(Form->sgrContr, 6, 2, "12.50");
    Env->Beeps = 0;
    Form->bbnShowErr->click();
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"No errors found"});
    QCOMPARE(Env->Boxes[0].Caption, std::string("KSF Transmittal Software"));
    QCOMPARE(Env->Beeps, 1);
    QCOMPARE(Env->ShownMessages.size(), size_t(1));
    QCOMPARE(ShownNames(Form.Form).size(), size_t(3));
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));
  }

  // When every member fails, a cancelled search after Show Errors finds the
  // list whole again: "All".
  void EveryMemberFailing() {
    TTestFolder Folder;
    TTestMember A = Valid("111111111", "Adams"), B = Valid("222222222", "Baker");
    A.Health = 0;
    B.Health = 0;
    Folder.Write("20041000.123", {A, B});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    Form->bbnShowErr->click();
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("Errors"));
    QCOMPARE(ShownNames(Form.Form).size(), size_t(2));
    AnswerSearch(0, 0, "", true);
    Form->bbnSearch->click();
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));
  }

  // The search cases, one after the other on one open file: each search judges
  // every member afresh; a value that does not convert keeps the flags and the
  // remembered choices of the search before it.
  void SearchCases() {
    TTestFolder Folder;
    auto With = [](TTestMember M, double P, const std::string& Birth) {
      M.Pensionable = P;
      M.BirthDate = Birth;
      return M;
    };
    Folder.Write("20041000.123",
                 {With(Member("111111111", "Smith"), 1000, "01/15/1970"),
                  With(Member("222222222", "SMITH"), 1000.01, "03/02/1940"),
                  With(Member("333333333", "smith"), 999.99, ""),
                  With(Member("444444444", "Mason"), 1500, "06/30/1950"),
                  With(Member("555555555", "M"), 0, "01/01/1950"),
                  With(Member("666666666", "Adams"), 1000, "12/31/1949")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    struct TCase {
      const char* Name;
      int Field, Op;
      QString Value;
      std::vector<std::string> Shown;
      const char* Box;
    };
    const std::vector<std::string> Smiths = {"Smith", "SMITH", "smith"};
    const TCase Cases[] = {
        {"smith", 1, soEqual, "smith", Smiths, nullptr},
        {"leading blank", 1, soEqual, " smith", {}, nullptr},
        {"after M", 1, soGreater, "M", {"Smith", "SMITH", "smith", "Mason"}, nullptr},
        {"not smith", 1, soNotEqual, "SMITH", {"Mason", "M", "Adams"}, nullptr},
        {"1000", 4, soEqual, "1000", {"Smith", "Adams"}, nullptr},
        {"above 1000", 4, soGreater, "1000", {"SMITH", "Mason"}, nullptr},
        {"from 1000.01", 4, soGreaterOrEqual, "1000.01", {"SMITH", "Mason"}, nullptr},
        {"not 1000", 4, soNotEqual, "1000.00", {"SMITH", "smith", "Mason", "M"}, nullptr},
        {"born before 1950", 3, soLess, "01/01/1950", {"SMITH", "smith", "Adams"}, nullptr},
        {"invalid date", 3, soEqual, "13/45/2004", {"SMITH", "smith", "Adams"}, "Invalid date!"},
        {"invalid amount", 7, soEqual, "abc", {"SMITH", "smith", "Adams"}, "Invalid amount!"},
        {"born 1/1/1950 or later", 3, soGreaterOrEqual, "1/1/1950", {"Smith", "Mason", "M"}, nullptr},
    };
    int Remembered = -1;  // the last case that completed
    for (int I = 0; I < static_cast<int>(std::size(Cases)); ++I) {
      const TCase& C = Cases[I];
      Env->Boxes.clear();
      AnswerSearch(C.Field, C.Op, C.Value);
      Form->bbnSearch->click();
      QVERIFY2(ShownNames(Form.Form) == C.Shown, C.Name);
      QVERIFY2(Form->StatusBar->PanelText(0) == (C.Shown.size() == 6 ? "All" : "Filtered"), C.Name);
      QVERIFY2(Env->BoxTexts() == (C.Box ? std::vector<std::string>{C.Box} : std::vector<std::string>{}), C.Name);
      if (C.Box == nullptr) Remembered = I;
      const TCase& R = Cases[Remembered];
      QVERIFY2(LastSearchField == R.Field && LastSearchOp == R.Op &&
                   LastSearchValue == R.Value.toStdString(), C.Name);
    }
  }

  // A double click on a member's row opens that member in the detail form; one
  // on the title row sorts (its presses do) and opens nothing; Detail with
  // nobody shown only beeps.
  void DoubleClickAndDetailWithNobodyShown() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Valid("111111111", "Clark"), Valid("222222222", "Adams")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    TStringGrid* Grid = Form->sgrDemogr;
    std::string Shown;
    WhenModalShown([&Shown](QWidget* Modal) {
      if (Modal == frmMbrDetail && !InsertMode) Shown = Trans->Details[Trans->CurIndex]->GetAsString(fnLastName);
      Modal->close();
    });
    DoubleClick(Grid->viewport(), Grid->visualRect(Grid->model()->index(1, 0)).center());
    QCOMPARE(Shown, std::string("Adams"));
    QVERIFY(!HeaderClicked);

    QWidget* Title = Grid->horizontalHeader()->viewport();
    std::string Opened;
    WhenModalShown([&Opened](QWidget* Modal) {
      Opened = Modal->objectName().toStdString();
      Modal->close();
    }, 300);
    HeaderClicked = false;
    DoubleClick(Title, QPoint(5, 5));
    QTest::qWait(400);
    QVERIFY(Opened.empty());
    QVERIFY(HeaderClicked);
    // Two presses on the title: sorted, and turned round.
    QCOMPARE(Form->StatusBar->PanelText(1), std::string("Sorted by last name (Descending)"));

    AnswerSearch(1, 0, "nobody");
    Form->bbnSearch->click();
    QVERIFY(VisibleRows.empty());
    Env->Beeps = 0;
    WhenModalShown([&Opened](QWidget* Modal) {
      Opened = Modal->objectName().toStdString();
      Modal->close();
    }, 300);
    QWidget* Rows = Form->sgrDemogr->viewport();
    DoubleClick(Rows, QPoint(20, 10));
    Form->bbnEditClick();
    QTest::qWait(400);
    QVERIFY(Opened.empty());
    QCOMPARE(Env->Beeps, 2);
    // Sort too.
    Form->bbnSortClick();
    QCOMPARE(Env->Beeps, 3);
  }

  // Insert opens the detail form for a new member with every member shown,
  // whatever the filter was; Detail opens it for the current member.
  void InsertShowsEveryMemberFirst() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Valid("111111111", "Clark"), Valid("222222222", "Adams")});
    TOpenForm Form;
    Form->pgcTrans->RequestPage(1);
    AnswerSearch(1, soEqual, "adams");
    Form->bbnSearch->click();
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("Filtered"));
    size_t ShownThen = 0;
    bool ForNew = false;
    WhenModalShown([&](QWidget* Modal) {
      ForNew = Modal == frmMbrDetail && InsertMode;
      ShownThen = VisibleRows.size();
      frmMbrDetail->done(mrCancel);
    });
    Form->bbnInsert->click();
    QVERIFY(ForNew);
    QCOMPARE(ShownThen, size_t(2));
    QCOMPARE(Form->StatusBar->PanelText(0), std::string("All"));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainMembers)
#include "test_VMain_Members.moc"
