// The three commands that create a file: New, Revise and Amend.

#include "TransFormFixture.h"

namespace {
std::vector<std::string> LastNames(const TTransShort& T) {
  std::vector<std::string> Names;
  for (TRecord* R : T.Details) Names.push_back(R->GetAsString(fnLastName));
  return Names;
}

std::vector<std::string> LastNamesOnDisk(const TTestFolder& Folder, const std::string& Name) {
  TTransShort T;
  T.FileName = Folder.Path(Name);
  if (!T.LoadFromFile()) return {"<unreadable>"};
  return LastNames(T);
}

// Every file the employer's tree lists, oldest first.
std::vector<std::string> TreeNames() {
  std::vector<std::string> Names;
  for (TFilePeriod* P : Files->Periods)
    for (TFileNest* A : P->Amendments)
      for (TFileData* R : A->Revisions) Names.push_back(R->FileName());
  return Names;
}

QStringList FilesOnDisk() { return QDir(QString::fromStdString(AppDir + "Data")).entryList(QDir::Files); }

void OpenFile(TfrmTrans* Form, int Month, int Year, int Amendment, int Revision) {
  Form->SetPeriod(Month, Year);
  Form->SetAmendment(static_cast<uint16_t>(Amendment));
  Form->SetRevision(static_cast<uint16_t>(Revision));
  Form->OpenTransmittal();
}
}  // namespace

class TestVMainNewReviseAmend : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void NewMakesTheNextMonthWithTheMergedMembers_data() {
    QTest::addColumn<QString>("Report");
    QTest::addColumn<QString>("Revision");
    QTest::addColumn<QString>("Amendment");
    QTest::addColumn<QString>("Made");
    QTest::addColumn<QString>("Month");
    QTest::newRow("June") << "20040600.123" << "20040601.123" << "20040610.123" << "20040900.123"
                          << "September, 2004";
    QTest::newRow("December") << "20041200.123" << "20041201.123" << "20041210.123" << "20050100.123"
                              << "January, 2005";
  }
  void NewMakesTheNextMonthWithTheMergedMembers() {
    QFETCH(QString, Report);
    QFETCH(QString, Revision);
    QFETCH(QString, Amendment);
    QFETCH(QString, Made);
    QFETCH(QString, Month);
    TTestFolder Folder;
    Folder.Write(Report.toStdString(), {Member("111111111", "Adams")});
    Folder.Write(Revision.toStdString(), {Member("111111111", "Adams"), Member("222222222", "Baker")});
    Folder.Write(Amendment.toStdString(), {Member("333333333", "Clark"), Member("444444444", "Davis")});
    TOpenForm Form;
    QVERIFY(Form->bbnNew->isEnabled());
    Env->Answers = {mrYes};
    Form->bbnNew->click();
    QCOMPARE(Env->BoxTexts().at(0), std::string("A new report will be created for the next month.\r\n"
                                                "You will not be able to make revisions for the current month!\r\n"
                                                "Continue?"));
    QCOMPARE(Env->Boxes.size(), size_t(1));
    QCOMPARE(OpenName(), Made.toStdString());
    QCOMPARE(Form->edtMonthYear->text(), Month);
    QVERIFY(Folder.Exists(Made.toStdString()));
    // The report's newest revision first, then the amendment's members from its last.
    const std::vector<std::string> Expected = {"Adams", "Baker", "Davis", "Clark"};
    QCOMPARE(LastNamesOnDisk(Folder, Made.toStdString()), Expected);
    QCOMPARE(LastNames(*Trans), Expected);
    QVERIFY(!ReadOnlyMode);
    // The old month is now read-only and can no longer be revised.
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), Amendment.toStdString());
    QVERIFY(ReadOnlyMode);
    QVERIFY(!Form->bbnRevise->isEnabled());
  }

  void NewNeedsAYes() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Env->Answers = {mrNo};
    Form->bbnNew->click();
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QVERIFY(!Folder.Exists("20041000.123"));
  }

  void ReviseCopiesTheOpenRevision() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040901.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    Folder.Write("20040902.123", {Member("333333333", "Clark")});
    TOpenForm Form;
    OpenFile(Form.Form, 9, 2004, 0, 1);
    QVERIFY(ReadOnlyMode);
    Env->Answers = {mrYes};
    Form->bbnReviseClick();
    QCOMPARE(Env->BoxTexts(),
             std::vector<std::string>{"A new revision will be created for the current report.\r\nContinue?"});
    QCOMPARE(OpenName(), std::string("20040903.123"));
    QCOMPARE(LastNamesOnDisk(Folder, "20040903.123"), (std::vector<std::string>{"Adams", "Baker"}));
    QCOMPARE(LastNamesOnDisk(Folder, "20040902.123"), std::vector<std::string>{"Clark"});
    QVERIFY(!ReadOnlyMode);
    OpenFile(Form.Form, 9, 2004, 0, 2);
    QVERIFY(ReadOnlyMode);
  }

  void AmendListsItsAmendmentBeforeAnyFileExists() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040910.123", {Member("222222222", "Baker")});
    TOpenForm Form;
    Env->Answers = {mrYes};
    const int Beeps = Env->Beeps;
    Form->bbnAmend->click();
    QCOMPARE(Env->BoxTexts(),
             std::vector<std::string>{"A new amendment will be created to the current report.\r\nContinue?"});
    QCOMPARE(OpenName(), std::string("20040920.123"));
    QVERIFY(!Folder.Exists("20040920.123"));
    QCOMPARE(Trans->Details.Count(), 0);
    QCOMPARE(Form->edtEmployerName->text(), QString("Lakeside School"));
    QCOMPARE(Env->Beeps, Beeps + 1);  // the detail command finds no member
    QCOMPARE(Form->pmnFiles->Items.Items(0)->Items(0)->Name, std::string("A09200420"));
    QCOMPARE(Form->pmnFiles->Items.Items(0)->Items(0)->Caption, std::string("Amendment 2"));
    QVERIFY(!ReadOnlyMode);
    // Closing without members asks the exit question.
    Env->Answers = {mrNo};
    Form->bbnExit->click();
    QVERIFY(Env->BoxTexts().back().find("Exit now?") != std::string::npos);
  }

  // A revision missing from the folder does not make Revise land on an existing file.
  // A file the tree lists but the disk no longer holds never takes over the
  // members of the file open before: a Save would write them under its name.
  void AListedFileMissingOnDiskOpensEmpty_data() {
    QTest::addColumn<QString>("Missing");
    QTest::newRow("report") << "20041000.123";
    QTest::newRow("revision") << "20041001.123";
  }
  void AListedFileMissingOnDiskOpensEmpty() {
    QFETCH(QString, Missing);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    Folder.Write("20041000.123", {Member("333333333", "Clark")});
    Folder.Write("20041001.123", {Member("333333333", "Clark")});
    TOpenForm Form;
    std::filesystem::remove(Folder.Path(Missing.toStdString()));
    OpenFile(Form.Form, 9, 2004, 0, 0);
    QCOMPARE(Trans->Details.Count(), 2);
    OpenFile(Form.Form, 10, 2004, 0, Missing.endsWith("1.123") ? 1 : 0);
    QCOMPARE(OpenName(), Missing.toStdString());
    QCOMPARE(Trans->Details.Count(), 0);
    QVERIFY(!Folder.Exists(Missing.toStdString()));
  }

  void ReviseSkipsPastAGapInTheRevisions() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040902.123", {Member("222222222", "Baker")});
    const std::string Newest = Folder.Read("20040902.123");
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040902.123"));
    Env->Answers = {mrYes};
    Form->bbnReviseClick();
    QCOMPARE(OpenName(), std::string("20040903.123"));
    QCOMPARE(LastNamesOnDisk(Folder, "20040903.123"), std::vector<std::string>{"Baker"});
    QCOMPARE(Folder.Read("20040902.123"), Newest);
  }

  // Cancel on an amendment that was never written keeps it in memory, without an error.
  void CancelOnAnUnwrittenAmendment() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Env->Answers = {mrYes};
    Form->bbnAmendClick();
    QCOMPARE(OpenName(), std::string("20040910.123"));
    Form->edtEmployerName->setText("Typed");
    QVERIFY(Form->FEditing);
    const size_t Boxes = Env->Boxes.size();
    Form->bbnCancelClick();
    QCOMPARE(Env->Boxes.size(), Boxes);
    QVERIFY(!Form->FEditing);
    QCOMPARE(Form->edtEmployerName->text(), QString("Lakeside School"));
    QVERIFY(!Folder.Exists("20040910.123"));
  }

  void CommandsAreRefusedWhileIncompleteSavesAreAllowed() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->chbSaveError->SetChecked(true);
    Form->bbnNewClick();
    Form->bbnReviseClick();
    Form->bbnAmendClick();
    QCOMPARE(Env->BoxTexts(), (std::vector<std::string>{
                                  "A new transmittal cannot be generated from an incomplete file!",
                                  "An incomplete transmittal cannot be revised!",
                                  "An incopmlete transmittal cannot be amended!"}));
    QCOMPARE(Env->Beeps, 3);
    QCOMPARE(OpenName(), std::string("20040900.123"));
  }

  // A file whose third member line is cut short is shown read-only. New and
  // Revise must not make a file of what could be read of it, whatever the
  // allow-incomplete-saves box says: each refuses, nothing is written or listed,
  // and the open file stays open. Amend copies no member and goes on as ever.
  void NothingIsMadeOfAPartlyReadFile_data() {
    QTest::addColumn<QString>("Command");
    QTest::addColumn<bool>("AmendmentOpen");  // amendment 1, read whole, is the open file
    QTest::addColumn<QString>("Refusal");
    QTest::newRow("New, the open file") << "New" << false
                                        << "A new transmittal cannot be generated from an incomplete file!";
    QTest::newRow("New, an amendment it merges") << "New" << true
                                                 << "A new transmittal cannot be generated from an incomplete file!";
    QTest::newRow("Revise, the open file") << "Revise" << false << "An incomplete transmittal cannot be revised!";
  }
  void NothingIsMadeOfAPartlyReadFile() {
    QFETCH(QString, Command);
    QFETCH(bool, AmendmentOpen);
    QFETCH(QString, Refusal);
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker"),
                                  Member("333333333", "Clark")});
    const std::string Whole = Folder.Read("20041000.123");
    WriteBytes(Folder.Path("20041000.123"), Whole.substr(0, 54 + 2 * 328 + 100));
    if (AmendmentOpen) Folder.Write("20041010.123", {Member("444444444", "Davis")});
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string(AmendmentOpen ? "20041010.123" : "20041000.123"));
    QCOMPARE(ReadOnlyMode, !AmendmentOpen);
    Form->chbSaveError->SetChecked(false);
    const int Members = Trans->Details.Count();
    const std::vector<std::string> Tree = TreeNames();
    const QStringList Disk = FilesOnDisk();
    Env->Boxes.clear();
    Env->Answers = {mrYes, mrOk};
    if (Command == "New")
      Form->bbnNew->click();
    else
      Form->bbnRevise->click();
    const std::vector<std::string> Texts = Env->BoxTexts();
    QCOMPARE(std::count(Texts.begin(), Texts.end(), Refusal.toStdString()), 1);
    QCOMPARE(Env->Boxes.back().Text, Refusal.toStdString());
    QCOMPARE(FilesOnDisk(), Disk);
    QCOMPARE(TreeNames(), Tree);
    QCOMPARE(OpenName(), std::string(AmendmentOpen ? "20041010.123" : "20041000.123"));
    QCOMPARE(Trans->Details.Count(), Members);
    QCOMPARE(ReadOnlyMode, !AmendmentOpen);

    // Amend takes none of the members: the new amendment starts empty.
    Env->Answers = {mrYes};
    Form->bbnAmendClick();
    QCOMPARE(OpenName(), std::string(AmendmentOpen ? "20041020.123" : "20041010.123"));
    QCOMPARE(Trans->Details.Count(), 0);
    QVERIFY(!ReadOnlyMode);
  }

  void ReviseAndAmendOnlyInTheLastPeriod() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->dbnPrev->BtnClick(nbPrior);
    Env->Answers = {mrYes, mrOk, mrYes};
    Form->bbnReviseClick();
    Form->bbnAmendClick();
    QCOMPARE(Env->BoxTexts(), (std::vector<std::string>{
                                  "A new revision will be created for the current report.\r\nContinue?",
                                  "Revisions can be made only for the last reporting period",
                                  "A new amendment will be created to the current report.\r\nContinue?",
                                  "Amendments can be made only to the last report"}));
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QCOMPARE(QDir(QString::fromStdString(AppDir + "Data")).entryList(QDir::Files).size(), 2);
  }

  // At ten revisions or ten amendments the command stops after its message:
  // the open file stays open and no file is written or replaced.
  void TheTenthRevisionIsRefused() {
    TTestFolder Folder;
    for (int R = 0; R <= 9; ++R)
      Folder.Write("2004090" + std::to_string(R) + ".123", {Member("111111111", std::string("Rev") + char('a' + R))});
    const std::string Report = Folder.Read("20040900.123");
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040909.123"));
    Env->Answers = {mrYes};
    Form->bbnReviseClick();
    QCOMPARE(Env->BoxTexts().back(), std::string("Revision should be between 0 and 9: 10\r\nRevision set to 0!"));
    QCOMPARE(OpenName(), std::string("20040909.123"));
    QCOMPARE(Form->lblRevision->text(), QString("9"));
    QCOMPARE(Form->MakeFileName(), std::string("20040909.123"));
    QCOMPARE(Folder.Read("20040900.123"), Report);
    QCOMPARE(QDir(QString::fromStdString(AppDir + "Data")).entryList(QDir::Files).size(), 10);
  }

  void TheTenthAmendmentIsRefused() {
    TTestFolder Folder;
    for (int A = 0; A <= 9; ++A)
      Folder.Write("200409" + std::to_string(A) + "0.123", {Member("111111111", std::string("Amend") + char('a' + A))});
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040990.123"));
    Env->Answers = {mrYes};
    Form->bbnAmendClick();
    QCOMPARE(Env->BoxTexts().back(), std::string("Amendment should be between 0 and 9: 10\r\nAmendment set to 0!"));
    QCOMPARE(OpenName(), std::string("20040990.123"));
    QCOMPARE(Form->MakeFileName(), std::string("20040990.123"));
    QCOMPARE(Files->Periods[0]->Amendments.Count(), 10);
    QCOMPARE(Form->pmnFiles->Items.Items(0)->Count(), 10);
    QCOMPARE(Trans->Details.Count(), 1);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainNewReviseAmend)
#include "test_VMain_NewReviseAmend.moc"
