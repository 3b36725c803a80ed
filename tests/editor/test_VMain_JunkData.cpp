// Entries of the data folder that are not readable transmittals (an empty file,
// a folder, garbage, another employer's header) must not steer the form away
// from the employer whose files it walks.

#include <QDir>
#include <sys/stat.h>
#include <unistd.h>

#include "TransFormFixture.h"

class TestVMainJunkData : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }
  void init() {
    Env = std::make_unique<TFakeEnv>();
    Env->SetToday(2004, 11, 15);
  }
  void cleanup() { Env.reset(); }

  // The newest entry reads no header; stepping back must still reach the
  // employer's real file, with its members, under its own name.
  void UnreadableNewestEntryDoesNotHideTheEmployersFiles_data() {
    QTest::addColumn<QString>("Kind");
    QTest::newRow("empty file") << "empty";
    QTest::newRow("folder") << "folder";
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("NUL bytes") << "nul";
  }
  void UnreadableNewestEntryDoesNotHideTheEmployersFiles() {
    QFETCH(QString, Kind);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    const std::string Junk = Folder.Path("20040901.123");
    if (Kind == "folder") {
      QVERIFY(QDir().mkpath(QString::fromStdString(Junk)));
    } else {
      std::ofstream Out(Junk, std::ios::binary);
      if (Kind == "garbage") Out << "\x01\xff garbage that is no transmittal \x80\r\n";
      if (Kind == "nul") Out << std::string(400, '\0');
    }
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040901.123"));
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QCOMPARE(Trans->Details.Count(), 1);
    QCOMPARE(Form->pnlEmpId->text(), QString("123"));
  }

  // Anything under a transmittal's name that is not a regular file holds no
  // members to read: it is shown read-only with the notice, never as an empty
  // file that a save would write over, and it stays as it was.
  void NonFileEntryIsShownReadOnlyWithTheNotice_data() {
    QTest::addColumn<QString>("Kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("link loop") << "loop";
    QTest::newRow("link to nothing") << "dangling";
    QTest::newRow("pipe") << "pipe";
  }
  void NonFileEntryIsShownReadOnlyWithTheNotice() {
    QFETCH(QString, Kind);
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    const std::string Entry = Folder.Path("20040901.123");
    if (Kind == "folder") QVERIFY(QDir().mkpath(QString::fromStdString(Entry)));
    if (Kind == "loop") QCOMPARE(::symlink("20040901.123", Entry.c_str()), 0);
    if (Kind == "dangling") QCOMPARE(::symlink("no-such-file", Entry.c_str()), 0);
    if (Kind == "pipe") QCOMPARE(::mkfifo(Entry.c_str(), 0600), 0);
    struct stat Before {};
    QCOMPARE(::lstat(Entry.c_str(), &Before), 0);

    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040901.123"));
    QVERIFY(ReadOnlyMode);
    QCOMPARE(Form->StatusBar->PanelText(2), std::string("Read Only"));
    QCOMPARE(Trans->Details.Count(), 0);
    QVERIFY(!Env->Boxes.empty());
    QCOMPARE(Env->Boxes.back().Text,
             std::string("The file 20040901.123 could not be read completely. It is shown "
                         "read-only, so that a save cannot drop the members that were not read."));
    QTest::keyClick(Form->edtEmployerName, Qt::Key_X);
    QVERIFY(!Form->FEditing);
    QVERIFY(!Form->bbnSave->isEnabled());
    struct stat After {};
    QCOMPARE(::lstat(Entry.c_str(), &After), 0);
    QCOMPARE(After.st_mode, Before.st_mode);
  }

  // A file copied in from another employer carries that employer's ID in its
  // header; moving on from it must not open, and so later overwrite, that
  // employer's files.
  void ForeignHeaderDoesNotLeadIntoAnotherEmployersFiles() {
    TTestFolder Folder;
    Folder.Write("20040900.123", {Member("111111111", "Adams")});
    Folder.Write("20040900.456", {Member("999999999", "Other")}, "Other School");
    Folder.Write("20040901.456", {Member("888888888", "Copied")}, "Other School");
    std::filesystem::rename(Folder.Path("20040901.456"), Folder.Path("20040901.123"));
    const std::string Foreign = Folder.Read("20040900.456");
    TOpenForm Form;
    QCOMPARE(OpenName(), std::string("20040901.123"));
    Form->dbnPrev->BtnClick(nbPrior);
    QCOMPARE(OpenName(), std::string("20040900.123"));
    QCOMPARE(Trans->Details[0]->GetAsString(fnLastName).substr(0, 5), std::string("Adams"));
    QCOMPARE(Folder.Read("20040900.456"), Foreign);
  }

 private:
  std::unique_ptr<TFakeEnv> Env;
};

QTEST_MAIN(TestVMainJunkData)
#include "test_VMain_JunkData.moc"
