// The preparation form's opening of an employer: which file comes first, what
// the period labels say, the read-only rule and the allow-incomplete-saves box.

#include <QProcess>

#include "TransFormFixture.h"

class TestVMainOpen : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  void OpensTheNewestFileWithItsPeriod() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040901.123", {Member("111111111", "Adams")});
    Folder.Write("20040910.123", {Member("222222222", "Baker")});
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040910.123"));
    QCOMPARE(Form->edtMonthYear->text(), QString("September, 2004"));
    QCOMPARE(Form->lblAmend->text(), QString("1"));
    QCOMPARE(Form->lblRevision->text(), QString("0"));
    QCOMPARE(Form->lblPeriod->text(), QString("1"));
    QCOMPARE(Form->lblFiscYear->text(), QString("2005"));
    QCOMPARE(Form->pnlEmpId->text(), QString("123"));
    const QString Path = QString::fromStdString(Trans->FileName);
    QVERIFY(Path.endsWith("/Data/20040910.123"));
    QVERIFY(QFileInfo(Path).isAbsolute());
    QCOMPARE(Form->windowTitle(), "KSF Transmittal - " + Path);
    QCOMPARE(Form->edtFileName->text(), Path);
    QCOMPARE(Form->lblNotice->text(), QString("Please upload the file to Secure FTP Server."));
    QCOMPARE(Form->edtEmployerName->text(), QString("Lakeside School"));
    QCOMPARE(Form->lblRecordCount->text(), QString("1"));
    QCOMPARE(Form->lblRegular->text(), QString("$70.00"));
    QCOMPARE(Form->lblGrandTotal->text(), QString("$82.50"));
    QVERIFY(!Form->chbSaveError->Checked());
    QVERIFY(Env->Boxes.empty());
  }

  void PeriodArithmetic_data() {
    QTest::addColumn<int>("Month");
    QTest::addColumn<int>("Year");
    QTest::addColumn<QString>("Shown");
    QTest::addColumn<int>("SchoolPeriod");
    QTest::addColumn<int>("FiscalYear");
    QTest::newRow("September") << 9 << 2004 << "September, 2004" << 1 << 2005;
    QTest::newRow("December") << 12 << 2004 << "December, 2004" << 4 << 2005;
    QTest::newRow("January") << 1 << 2005 << "January, 2005" << 5 << 2005;
    QTest::newRow("June") << 6 << 2005 << "June, 2005" << 10 << 2005;
    QTest::newRow("July is June") << 7 << 2005 << "June, 2005" << 10 << 2005;
    QTest::newRow("August is June") << 8 << 2005 << "June, 2005" << 10 << 2005;
  }
  void PeriodArithmetic() {
    QFETCH(int, Month);
    QFETCH(int, Year);
    QFETCH(QString, Shown);
    QFETCH(int, SchoolPeriod);
    QFETCH(int, FiscalYear);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->SetPeriod(Month, Year);
    QCOMPARE(Form->edtMonthYear->text(), Shown);
    QCOMPARE(int(Form->FSchoolPeriod), SchoolPeriod);
    QCOMPARE(int(Form->FFiscalYear), FiscalYear);
    QCOMPARE(Form->lblPeriod->text().toInt(), SchoolPeriod);
    QCOMPARE(Form->lblFiscYear->text().toInt(), FiscalYear);
    QCOMPARE(Form->MakeFileName().substr(4, 2), TwoDigitMonth(std::to_string(Form->FMonth)));
  }

  void AmendmentAndRevisionAboveNineAreRefused() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->SetAmendment(10);
    Form->SetRevision(12);
    QCOMPARE(Env->BoxTexts(), (std::vector<std::string>{
                                  "Amendment should be between 0 and 9: 10\r\nAmendment set to 0!",
                                  "Revision should be between 0 and 9: 12\r\nRevision set to 0!"}));
    QCOMPARE(Env->Beeps, 2);
    QCOMPARE(int(Form->FAmendment), 0);
    QCOMPARE(int(Form->FRevision), 0);
    QCOMPARE(Form->MakeFileName(), std::string("20040900.123"));
  }

  void FileNameRoutines() {
    QCOMPARE(TwoDigitMonth("9"), std::string("09"));
    QCOMPARE(TwoDigitMonth("12"), std::string("12"));
    for (const char* Bad : {"", "x", "1a", "123"}) {
      try {
        TwoDigitMonth(Bad);
        QFAIL("no assertion");
      } catch (const Exception& E) {
        QCOMPARE(std::string(E.what()), "Expected Month (" + std::string(Bad) + ")");
      }
    }
    QVERIFY(IsRevisionFileName("20040901.123"));
    QVERIFY(!IsRevisionFileName("20040910.123"));
    QVERIFY(IsAmendmentFileName("20040910.123"));
    QVERIFY(!IsAmendmentFileName("20040901.123"));
  }

  // Which files of a folder can be changed, and what the form offers for each.
  void ReadOnlyMatrix_data() {
    QTest::addColumn<bool>("LaterPeriod");
    QTest::addColumn<QString>("Name");
    QTest::addColumn<bool>("ReadOnly");
    QTest::addColumn<bool>("CanCreate");
    QTest::newRow("newest amendment") << false << "20040910.123" << false << true;
    QTest::newRow("newest revision of the report") << false << "20040901.123" << false << true;
    QTest::newRow("older revision") << false << "20040900.123" << true << true;
    QTest::newRow("amendment, later period present") << true << "20040910.123" << true << false;
    QTest::newRow("revision, later period present") << true << "20040901.123" << true << false;
    QTest::newRow("last period") << true << "20041000.123" << false << true;
  }
  void ReadOnlyMatrix() {
    QFETCH(bool, LaterPeriod);
    QFETCH(QString, Name);
    QFETCH(bool, ReadOnly);
    QFETCH(bool, CanCreate);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040901.123", {Member("111111111", "Adams")});
    Folder.Write("20040910.123", {Member("222222222", "Baker")});
    if (LaterPeriod) Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    const std::string N = Name.toStdString();
    Form->SetPeriod(std::stoi(N.substr(4, 2)), std::stoi(N.substr(0, 4)));
    Form->SetAmendment(static_cast<uint16_t>(N[6] - '0'));
    Form->SetRevision(static_cast<uint16_t>(N[7] - '0'));
    Form->OpenTransmittal();
    QCOMPARE(OpenName(), N);
    QCOMPARE(ReadOnlyMode, ReadOnly);
    QCOMPARE(Form->bbnInsert->isEnabled(), !ReadOnly);
    QCOMPARE(Form->StatusBar->PanelText(2), std::string(ReadOnly ? "Read Only" : ""));
    QCOMPARE(Form->bbnNew->isEnabled(), CanCreate);
    QCOMPARE(Form->bbnRevise->isEnabled(), CanCreate);
    QCOMPARE(Form->bbnAmend->isEnabled(), CanCreate);
    QVERIFY(Form->bbnPrint->isEnabled());
    QVERIFY(!Form->bbnSave->isEnabled());
    // Editing never enables Save on a read-only file.
    Form->SetEditing(true);
    QCOMPARE(Form->bbnSave->isEnabled(), !ReadOnly);
    QVERIFY(!Form->bbnNew->isEnabled() && !Form->bbnPrint->isEnabled());
  }

  void FileWithoutMembersIsNeverReadOnly() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {});
    Folder.Write("20041000.123", {Member("111111111", "Adams")});
    TOpenForm Form;
    Form->SetPeriod(9, 2004);
    Form->OpenTransmittal();
    QVERIFY(!ReadOnlyMode);
    QVERIFY(Form->bbnInsert->isEnabled());
    for (TBitBtn* B : {Form->bbnPrint, Form->bbnNew, Form->bbnAmend, Form->bbnRevise}) QVERIFY(!B->isEnabled());
  }

  void EmployerNameSnapsBackOnReadOnlyFile() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")}, "Old Name");
    Folder.Write("20041000.123", {Member("111111111", "Adams")}, "New Name");
    TOpenForm Form;
    Form->dbnPrev->BtnClick(nbPrior);
    QVERIFY(ReadOnlyMode);
    QCOMPARE(Form->edtEmployerName->text(), QString("Old Name"));
    const int Before = Env->Beeps;
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QCOMPARE(Env->Beeps, Before + 1);  // the snap-back itself does not beep again
    QCOMPARE(Form->edtEmployerName->text(), QString("Old Name"));
    QVERIFY(!Form->FEditing);
    // On a writable file the same keystroke starts editing.
    Form->dbnNext->BtnClick(nbLast);
    QVERIFY(!ReadOnlyMode);
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(Form->FEditing);
    QVERIFY(Form->bbnSave->isEnabled());
  }

  // A file whose read stops short (here: its trailer line is cut off) is shown
  // read-only and told, so that no save can drop what was not read.
  void APartlyReadFileIsShownReadOnly() {
    TTestFolder Folder;
    Folder.Write("20041000.123", {Member("111111111", "Adams"), Member("222222222", "Baker")});
    const std::string Path = Folder.Path("20041000.123");
    const std::string Whole = ReadBytes(Path);
    const std::string Cut = Whole.substr(0, Whole.size() - 100);  // no trailer line
    WriteBytes(Path, Cut);
    TOpenForm Form;
    QVERIFY(ReadOnlyMode);
    QCOMPARE(Form->StatusBar->PanelText(2), std::string("Read Only"));
    QVERIFY(!Env->Boxes.empty());
    QCOMPARE(Env->Boxes.back().Text,
             std::string("The file 20041000.123 could not be read completely. It is shown "
                         "read-only, so that a save cannot drop the members that were not read."));
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(!Form->FEditing);
    QVERIFY(!Form->bbnSave->isEnabled());
    QCOMPARE(ReadBytes(Path), Cut);
  }

  // A file that cannot be opened at all ends in the error box; the form then
  // shows that file, read-only, not the members of the file shown before under its name.
  void AFileThatCannotBeOpenedIsShownReadOnly() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20041000.123", {Member("222222222", "Baker"), Member("333333333", "Clark")});
    const QString Old = QString::fromStdString(Folder.Path("20040900.123"));
    TOpenForm Form;
    QVERIFY(!ReadOnlyMode);
    // An immutable file cannot be opened for writing, not even by root.
    if (QProcess::execute("chattr", {"+i", Old}) != 0) QSKIP("chattr +i is not available here");
    Form->dbnPrev->BtnClick(nbPrior);
    QProcess::execute("chattr", {"-i", Old});
    QVERIFY(!Env->Boxes.empty());
    QCOMPARE(Env->Boxes.back().Kind, TMsgKind::ErrorBox);
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QVERIFY(ReadOnlyMode);
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(!Form->FEditing);
  }

  void FailingFileTicksTheBoxWhichStaysTicked() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20041000.123", {Member("12345", "Adams")});  // invalid SSN
    TOpenForm Form;
    QVERIFY(Form->chbSaveError->Checked());
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QVERIFY(Form->chbSaveError->Checked());
  }

  void NoFileToProcess() {
    TTestFolder Folder;
    Env->Answers = {mrOk, mrNo};
    TOpenForm Form;
    QCoreApplication::processEvents();
    QVERIFY(Env->BoxTexts().size() >= 1);
    QCOMPARE(Env->BoxTexts()[0], std::string("No file to process!"));
    QCOMPARE(Env->Boxes[0].Caption, std::string("KSF Transmittal Software"));
    // The close that follows validates the empty transmittal, which fails.
    QCOMPARE(Env->BoxTexts().size(), size_t(2));
    QVERIFY(Env->BoxTexts()[1].find("Exit now?") != std::string::npos);
    QCOMPARE(Env->Beeps, 1);  // only the exit warning beeps
    QVERIFY(!Form.Form.isNull());
    QVERIFY(Form->isVisible());
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainOpen)
#include "test_VMain_Open.moc"
