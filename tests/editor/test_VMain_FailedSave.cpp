// A save on a disk that fails, on every path that saves, in both ways a disk
// fails (a write refused outright, a write that stores only part): the failure
// is told once, nothing on disk changes, and what the clerk had is still on
// screen and still to be saved, never shown as saved. A file that was never
// written stays empty wherever the clerk goes, and an unsaved member in it can
// always be dropped.

#include <filesystem>
#include <map>
#include <tuple>

#include "DetailFormFixture.h"
#include "FailingDisk.h"

namespace {

// Every entry of the data folder, hidden ones included, with its bytes.
std::map<std::string, std::string> DataFolder(const TTestFolder& Folder) {
  std::map<std::string, std::string> Entries;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder.Path("")))
    Entries[Entry.path().filename().string()] = Folder.Read(Entry.path().filename().string());
  return Entries;
}

using TFiles = std::vector<std::pair<std::string, std::vector<TTestMember>>>;

void WriteAll(const TTestFolder& Folder, const TFiles& Files) {
  for (const auto& [Name, Members] : Files) Folder.Write(Name, Members);
}

// The boxes that told of a failed save: the error box, or "Coudn't save the file!".
std::vector<TMessageRequest> FailureBoxes(const TFakeEnv& Env) {
  std::vector<TMessageRequest> Found;
  for (const TMessageRequest& Box : Env.Boxes)
    if (Box.Kind == TMsgKind::ErrorBox || Box.Text == "Coudn't save the file!") Found.push_back(Box);
  return Found;
}

// The one box a failed save of File shows: the system's reason for a write
// refused outright, the save's own refusal for a short one.
bool ToldOnce(const TFakeEnv& Env, TWriteFault Fault, const std::string& File) {
  const std::vector<TMessageRequest> Boxes = FailureBoxes(Env);
  if (Boxes.size() != 1) return false;
  if (Fault == TWriteFault::Short)
    return Boxes[0].Kind == TMsgKind::MessageBox && Boxes[0].Text == "Coudn't save the file!";
  return Boxes[0].Text.rfind("Cannot write file \"", 0) == 0 && Boxes[0].Text.find(File) != std::string::npos;
}

// A save path of the preparation form: the files it starts from, what the clerk
// does before the save (unarmed) and the step that saves (on the failing disk),
// and the file left on screen.
struct TFormPath {
  const char* Name;
  TFiles Files;
  std::function<void(TfrmTrans*)> Prepare;
  std::function<void(TfrmTrans*, TFakeEnv&)> Save;
  std::string Shown;
  int Members;
};

void EditARegularAmount(TfrmTrans* Form) {
  PasteIntoCell(Form->sgrContr, 5, 2, "70.5");
  Form->sgrContr->SetEditorMode(false);
}

const std::vector<TFormPath>& FormPaths() {
  static const std::vector<TFormPath> Paths = {
      {"Save", {{"20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")}}},
       EditARegularAmount, [](TfrmTrans* F, TFakeEnv&) { F->bbnSave->click(); }, "20041000.123", 2},
      {"Yes to the save question",
       {{"20040900.123", {Member("111111111", "Adams")}},
        {"20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")}}},
       EditARegularAmount,
       [](TfrmTrans* F, TFakeEnv& E) {
         E.Answers = {mrYes};
         F->dbnPrev->BtnClick(nbPrior);
       },
       "20041000.123", 2},
      {"Sort, writing the grid edit first",
       {{"20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")}}},
       [](TfrmTrans* F) {
         F->pgcTrans->RequestPage(2);
         EditARegularAmount(F);
       },
       [](TfrmTrans* F, TFakeEnv&) { F->bbnSort->click(); }, "20041000.123", 2},
      {"New", {{"20040900.123", {Member("111111111", "Adams"), Member("222222222", "Baker")}}}, nullptr,
       [](TfrmTrans* F, TFakeEnv& E) {
         E.Answers = {mrYes};
         F->bbnNew->click();
       },
       "20041000.123", 2},
      {"Revise", {{"20040900.123", {Member("111111111", "Adams"), Member("222222222", "Baker")}}}, nullptr,
       [](TfrmTrans* F, TFakeEnv& E) {
         E.Answers = {mrYes};
         F->bbnRevise->click();
       },
       "20040901.123", 2},
      {"Revise of an amendment",
       {{"20040900.123", {Member("111111111", "Adams"), Member("222222222", "Baker")}},
        {"20040910.123", {Member("333333333", "Clark")}}},
       nullptr,
       [](TfrmTrans* F, TFakeEnv& E) {
         E.Answers = {mrYes};
         F->bbnRevise->click();
       },
       "20040911.123", 1},
  };
  return Paths;
}

// How a member of the detail form is saved: its own Save, or Delete's save.
enum class TDetailSave { EditedMember, NewMember, DeleteOneOfTwo, DeleteOnlyMember };

}  // namespace

Q_DECLARE_METATYPE(TWriteFault)
Q_DECLARE_METATYPE(TDetailSave)

class TestVMainFailedSave : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  // The preparation form's saves: the file or the copy that could not be
  // written stays on screen being edited, Save offered and the commands that
  // build on a file refused, closing asks about it, and the next Save, with room
  // on the disk, writes it whole.
  void AFailedSaveLeavesTheEditPending_data() {
    QTest::addColumn<int>("Path");
    QTest::addColumn<TWriteFault>("Fault");
    for (size_t P = 0; P < FormPaths().size(); ++P)
      for (TWriteFault Fault : {TWriteFault::Raised, TWriteFault::Short})
        QTest::newRow((std::string(FormPaths()[P].Name) + ", " + FaultName(Fault)).c_str())
            << static_cast<int>(P) << Fault;
  }
  void AFailedSaveLeavesTheEditPending() {
    QFETCH(int, Path);
    QFETCH(TWriteFault, Fault);
    const TFormPath& Case = FormPaths()[static_cast<size_t>(Path)];
    TTestFolder Folder;
    WriteAll(Folder, Case.Files);
    TOpenForm Form;
    if (Case.Prepare) Case.Prepare(Form.Form);
    const auto Before = DataFolder(Folder);
    {
      TFailingDisk Disk(Fault);
      Case.Save(Form.Form, *Env);
    }
    QVERIFY2(ToldOnce(*Env, Fault, Case.Shown), Env->BoxTexts().empty() ? "no box" : Env->BoxTexts().back().c_str());
    QVERIFY(DataFolder(Folder) == Before);
    QCOMPARE(OpenName(), Case.Shown);
    QCOMPARE(Trans->Details.Count(), Case.Members);
    QCOMPARE(VisibleRows.size(), size_t(Case.Members));
    if (Case.Prepare) QCOMPARE(Form->sgrContr->Cells(5, 2), std::string("70.5"));

    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    for (TBitBtn* B : {Form->bbnNew, Form->bbnRevise, Form->bbnAmend, Form->bbnPrint}) QVERIFY(!B->isEnabled());
    Env->Boxes.clear();
    Env->Answers = {mrCancel};
    QVERIFY(!Form->FormCloseQuery());
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Data modified! Save?"});

    Env->Boxes.clear();
    Form->bbnSave->click();
    QVERIFY(Env->Boxes.empty());
    QVERIFY(!Form->FEditing);
    QCOMPARE(Folder.Read(Case.Shown).size(), size_t(154 + 328 * Case.Members));
  }

  // A save whose member totals no longer fit the trailer (a voluntary total
  // beyond 21,474,836.47) raises before anything is written. It fails as a disk
  // does: one box naming the total, the file and its folder as they were, still
  // editing with Save offered, and Exit answered Yes to the save question keeps
  // the window open with the same box. The totals below the grids stay one set,
  // the file's, though the save got as far as a regular total that fits.
  void ASaveWhoseTotalsDoNotFitIsToldOnce() {
    TTestFolder Folder;
    TTestMember Adams = Member("111111111", "Adams"), Baker = Member("222222222", "Baker");
    Adams.Voluntary = 15000000;
    Baker.Voluntary = 1000000;
    Folder.Write("20041000.123", {Adams, Baker});
    const auto Before = DataFolder(Folder);
    TOpenForm Form;
    const std::vector<QLabel*> Totals{Form->lblRecordCount, Form->lblRegular, Form->lblHealth,
                                      Form->lblVoluntary, Form->lblContracts, Form->lblGrandTotal};
    auto Shown = [&] {
      std::vector<QString> Texts;
      for (QLabel* L : Totals) Texts.push_back(L->text());
      return Texts;
    };
    const std::vector<QString> FileTotals = Shown();
    QCOMPARE(Form->lblVoluntary->text(), QString("$16,000,000.00"));
    Form->pgcTrans->RequestPage(2);
    for (auto [Col, Row, Text] : {std::tuple{5, 1, "80"}, std::tuple{7, 2, "15000000.00"}}) {
      TypeIntoCell(Form->sgrContr, Col, Row, Text);
      QTest::keyClick(Form->sgrContr->InplaceEditor(), Qt::Key_Return);
    }
    QVERIFY(Form->FEditing);

    const std::string Told = "Value 30000000.00 does not fit field TotalVolContribAmt";
    QTest::mouseClick(Form->bbnSave, Qt::LeftButton);
    QCOMPARE(Env->BoxTexts(), std::vector<std::string>{Told});
    QVERIFY(DataFolder(Folder) == Before);
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    QCOMPARE(Shown(), FileTotals);

    Env->Boxes.clear();
    Env->Answers = {mrYes};
    QTest::mouseClick(Form->bbnExit, Qt::LeftButton);
    QCOMPARE(Env->BoxTexts(), (std::vector<std::string>{"Data modified! Save?", Told}));
    QVERIFY(Form.Form != nullptr && Form->isVisible());
    QVERIFY(DataFolder(Folder) == Before);
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
    QCOMPARE(Shown(), FileTotals);

    // A refresh over the edit in memory cannot hold its totals either: it raises
    // before the panel shows them.
    QVERIFY_THROWS_EXCEPTION(EDoesNotFit, Form->RefreshGrids());
    QCOMPARE(Shown(), FileTotals);
  }

  // Cancel on a file whose first save failed has nothing on disk to go back
  // to: the file is empty again, as opening it would show it, and nothing
  // claims members that are not on disk or builds on them.
  void CancelOnAFileNeverWrittenEmptiesIt_data() {
    QTest::addColumn<QString>("Command");
    QTest::addColumn<QString>("Made");
    QTest::newRow("New") << "New" << "20041000.123";
    QTest::newRow("Revise") << "Revise" << "20040901.123";
  }
  void CancelOnAFileNeverWrittenEmptiesIt() {
    QFETCH(QString, Command);
    QFETCH(QString, Made);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    TOpenForm Form;
    Env->Answers = {mrYes};
    {
      TFailingDisk Disk(TWriteFault::Short);
      (Command == "New" ? Form->bbnNew : Form->bbnRevise)->click();
    }
    QCOMPARE(OpenName(), Made.toStdString());
    Env->Boxes.clear();
    Form->bbnCancel->click();
    QVERIFY(Env->Boxes.empty());
    QCOMPARE(Trans->Details.Count(), 0);
    QVERIFY(VisibleRows.empty());
    QVERIFY(!Form->FEditing);
    for (TBitBtn* B : {Form->bbnSave, Form->bbnNew, Form->bbnRevise, Form->bbnAmend, Form->bbnPrint})
      QVERIFY(!B->isEnabled());
    QVERIFY(!Folder.Exists(Made.toStdString()));
  }

  // A revision of an amendment that could not be written, left (No to the save
  // question) and opened again from the file list, is empty and written by
  // nothing: the file open in between must not become its content.
  void ARevisionNeverWrittenTakesNoOtherFilesMembers_data() {
    QTest::addColumn<TWriteFault>("Fault");
    QTest::newRow("write refused") << TWriteFault::Raised;
    QTest::newRow("short write") << TWriteFault::Short;
  }
  void ARevisionNeverWrittenTakesNoOtherFilesMembers() {
    QFETCH(TWriteFault, Fault);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    Folder.Write("20040910.123", {Member("333333333", "Clark")});
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040910.123"));
    Env->Answers = {mrYes};
    {
      TFailingDisk Disk(Fault);
      Form->bbnRevise->click();
    }
    QCOMPARE(OpenName(), std::string("20040911.123"));
    Env->Answers = {mrNo};
    Form->dbnPrev->BtnClick(nbFirst);
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QCOMPARE(Trans->Details.Count(), 2);
    Form->dbnNext->BtnClick(nbLast);
    QCOMPARE(OpenName(), std::string("20040911.123"));
    QCOMPARE(Trans->Details.Count(), 0);
    QVERIFY(!Folder.Exists("20040911.123"));
    QVERIFY(!Form->bbnSave->isEnabled());
    Form->bbnExit->click();  // answered No: the exit question of an empty file
    QVERIFY(!Folder.Exists("20040911.123"));
  }

  // The member detail form's saves. A member whose file could not be written
  // stays as typed and being edited (a new one stays in the list, not added
  // twice), closing the form asks about it, and a later Save writes it. Delete
  // whose save fails keeps the member, in memory as on disk.
  void AFailedDetailSaveKeepsTheMember_data() {
    QTest::addColumn<TDetailSave>("How");
    QTest::addColumn<TWriteFault>("Fault");
    const std::pair<const char*, TDetailSave> Hows[] = {
        {"edited member", TDetailSave::EditedMember},
        {"new member", TDetailSave::NewMember},
        {"delete one of two", TDetailSave::DeleteOneOfTwo},
        {"delete the only member", TDetailSave::DeleteOnlyMember},
    };
    for (const auto& [Name, How] : Hows)
      for (TWriteFault Fault : {TWriteFault::Raised, TWriteFault::Short})
        QTest::newRow((std::string(Name) + ", " + FaultName(Fault)).c_str()) << How << Fault;
  }
  void AFailedDetailSaveKeepsTheMember() {
    QFETCH(TDetailSave, How);
    QFETCH(TWriteFault, Fault);
    const bool Deleting = How == TDetailSave::DeleteOneOfTwo || How == TDetailSave::DeleteOnlyMember;
    const int Members = How == TDetailSave::DeleteOnlyMember ? 1 : 2;
    TTestFolder Folder;
    std::vector<TTestMember> List{Member("111111111", "Adams"), Member("222222222", "Baker")};
    List.resize(static_cast<size_t>(Members));
    Folder.Write("20041000.123", List);
    const auto Before = DataFolder(Folder);
    TOpenForm Form;
    DETAIL(Form, How == TDetailSave::NewMember, [&](TfrmMbrDetail* D) {
      if (How == TDetailSave::EditedMember) TypeInto(D->edtLastName, "Adamson");
      if (How == TDetailSave::NewMember) FillMember(D, "555555555", "Young");
      {
        TFailingDisk Disk(Fault);
        if (Deleting) {
          Env->Answers = {mrYes};
          D->bbnDel->click();
        } else {
          D->bbnSave->click();
        }
      }
      QVERIFY2(ToldOnce(*Env, Fault, "20041000.123"),
               Env->BoxTexts().empty() ? "no box" : Env->BoxTexts().back().c_str());
      QVERIFY(DataFolder(Folder) == Before);
      QVERIFY(!HeaderOnly);
      if (Deleting) {
        QCOMPARE(D->Mode, 'B');
        QCOMPARE(Trans->Details.Count(), Members);
        QCOMPARE(D->mskSSN->Text(), std::string("111111111"));
        QCOMPARE(Form->sgrDemogr->Cells(0, 1), std::string("Adams"));
        QVERIFY(!D->chbSaveError->Checked());
        return;
      }
      const bool New = How == TDetailSave::NewMember;
      QCOMPARE(D->Mode, New ? 'I' : 'E');
      QCOMPARE(D->stbMessage->PanelText(0), std::string(New ? "Inserting..." : "Editing..."));
      QVERIFY(D->bbnSave->isEnabled());
      QCOMPARE(D->edtLastName->Text(), std::string(New ? "Young" : "Adamson"));
      QCOMPARE(Trans->Details.Count(), New ? 3 : 2);

      Env->Boxes.clear();
      Env->Answers = {mrCancel};
      D->bbnExit->click();
      Settle();
      QVERIFY(D->isVisible());
      QCOMPARE(Env->BoxTexts(), std::vector<std::string>{"Save the current record?"});

      Env->Boxes.clear();
      D->bbnSave->click();
      QVERIFY(Env->Boxes.empty());
      QCOMPARE(D->Mode, 'B');
      QCOMPARE(Trans->Details.Count(), New ? 3 : 2);
      const std::string File = Folder.Read("20041000.123");
      QCOMPARE(File.size(), size_t(154 + 328 * (New ? 3 : 2)));
      QCOMPARE(MemberLine(File, New ? 3 : 1).substr(15, 7), std::string(New ? "Young  " : "Adamson"));
    });
  }

  // The first member of an amendment that is not on disk yet, left unsaved (a
  // check failed, or the disk did), is dropped by Cancel and by No to the close
  // question, as for any file: the form shows a blank new member or closes,
  // and no error about opening the file comes up.
  void AnUnsavedFirstMemberOfANewAmendmentCanBeDropped_data() {
    QTest::addColumn<QString>("Unsaved");
    QTest::addColumn<bool>("ByClosing");
    for (const char* Unsaved : {"check fails", "write refused", "short write"})
      for (bool ByClosing : {false, true})
        QTest::newRow((std::string(Unsaved) + (ByClosing ? ", No on closing" : ", Cancel")).c_str())
            << Unsaved << ByClosing;
  }
  void AnUnsavedFirstMemberOfANewAmendmentCanBeDropped() {
    QFETCH(QString, Unsaved);
    QFETCH(bool, ByClosing);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Env->Answers = {mrYes};
    Form->bbnAmend->click();
    QCOMPARE(OpenName(), std::string("20040910.123"));
    bool Closed = false;
    DETAIL(Form, true, [&](TfrmMbrDetail* D) {
      FillMember(D, "555555555", "Young");
      if (Unsaved == "check fails") {
        D->edtCity->SetText("");
        D->bbnSave->click();
      } else {
        TFailingDisk Disk(Unsaved == "short write" ? TWriteFault::Short : TWriteFault::Raised);
        D->bbnSave->click();
      }
      QCOMPARE(D->Mode, 'I');
      QCOMPARE(Trans->Details.Count(), 1);
      Env->Boxes.clear();
      if (ByClosing) {
        Env->Answers = {mrNo};
        D->bbnExit->click();
      } else {
        D->bbnCancel->click();
      }
      Settle();
      QCOMPARE(Env->BoxTexts(), ByClosing ? std::vector<std::string>{"Save the current record?"}
                                          : std::vector<std::string>{});
      QCOMPARE(Trans->Details.Count(), 0);
      Closed = !D->isVisible();
      if (!Closed) {
        QCOMPARE(D->Mode, 'A');
        QCOMPARE(D->mskSSN->Text(), std::string());
      }
    });
    QCOMPARE(Closed, ByClosing);
    QCOMPARE(Trans->Details.Count(), 0);
    QCOMPARE(Form->pgcTrans->ActivePage(), Form->tbsTrans);
    QVERIFY(!Folder.Exists("20040910.123"));
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainFailedSave)
#include "test_VMain_FailedSave.moc"
