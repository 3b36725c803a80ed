// The message window: showing the collected messages modally, closing it, and
// exporting the shown list as a text file for the text viewer.

#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "QtEnv.h"
#include "QtTestSupport.h"
#include "Utils.h"
#include "VMain.h"
#include "VMessage.h"
#include "VOpening.h"

namespace {

std::string ReadAll(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  std::ostringstream Bytes;
  Bytes << File.rdbuf();
  return Bytes.str();
}

// Sets or removes TMP for one test and puts the previous value back.
class TTmpVariable {
 public:
  explicit TTmpVariable(const char* Value) {
    if (const char* Old = std::getenv("TMP")) FOld = std::make_unique<std::string>(Old);
    if (Value != nullptr)
      setenv("TMP", Value, 1);
    else
      unsetenv("TMP");
  }
  ~TTmpVariable() {
    if (FOld)
      setenv("TMP", FOld->c_str(), 1);
    else
      unsetenv("TMP");
  }

 private:
  std::unique_ptr<std::string> FOld;
};

}  // namespace

class TestVMessage : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakeEnv> FEnv;
  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmMessage> FForm;

  std::string Folder() const { return FDir->path().toStdString(); }
  void Fill(const std::vector<std::string>& Messages) { FForm->SetMessages(Messages); }

 private slots:
  void initTestCase() { InitializeTransmittalUnits(); }
  void cleanupTestCase() { FinalizeTransmittalUnits(); }

  void init() {
    FEnv = std::make_unique<TFakeEnv>();
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    AppDir = Folder() + "/";
    SelectedEmployerId = "123";
    FForm = std::make_unique<TfrmMessage>();
    frmMessage = FForm.get();
  }

  void cleanup() {
    FForm.reset();
    FEnv.reset();
    FDir.reset();
  }

  void windowCarriesItsNames() {
    QCOMPARE(FForm->objectName(), QString("frmMessage"));
    QCOMPARE(FForm->windowTitle(), QString("KSF Transmittal Software - Error Messages"));
    QCOMPARE(FForm->btnOK->text(), QString("OK"));
    QCOMPARE(FForm->btnView->text(), QString("&As File..."));
    QCOMPARE(FForm->findChild<QListView*>("lvwMsg"), FForm->lvwMsg);
    QCOMPARE(FForm->findChild<QWidget*>("pnlOK"), FForm->pnlOK);
  }

  // The name carries year, month, amendment and revision without leading zeros,
  // so months 1 to 9 give one digit fewer than October to December.
  void exportFileName_data() {
    QTest::addColumn<int>("Year");
    QTest::addColumn<int>("Month");
    QTest::addColumn<int>("Amendment");
    QTest::addColumn<int>("Revision");
    QTest::addColumn<QString>("Employer");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("september, amendment 1") << 2004 << 9 << 1 << 0 << "123" << "/x/Msg2004910-123.tmp";
    QTest::newRow("october, two-digit month") << 2004 << 10 << 0 << 0 << "123" << "/x/Msg20041000-123.tmp";
    QTest::newRow("revision and employer") << 2005 << 6 << 2 << 9 << "045" << "/x/Msg2005629-045.tmp";
  }
  void exportFileName() {
    QFETCH(int, Year);
    QFETCH(int, Month);
    QFETCH(int, Amendment);
    QFETCH(int, Revision);
    QFETCH(QString, Employer);
    QFETCH(QString, Expected);
    QCOMPARE(QString::fromStdString(MessageExportFileName(
                 "/x", static_cast<uint16_t>(Year), static_cast<uint16_t>(Month),
                 static_cast<uint16_t>(Amendment), static_cast<uint16_t>(Revision),
                 Employer.toStdString())),
             Expected);
  }

  void exportFolderFollowsTmp() {
    {
      TTmpVariable Unset(nullptr);
      QCOMPARE(QString::fromStdString(MessageExportFolder()), QString::fromStdString(Folder()));
    }
    {
      TTmpVariable Empty("");
      QCOMPARE(QString::fromStdString(MessageExportFolder()), QString::fromStdString(Folder()));
    }
    {
      // Far longer than any fixed buffer the value might have been read into.
      const std::string Long = "/tmp/" + std::string(300, 'a');
      TTmpVariable Set(Long.c_str());
      QCOMPARE(QString::fromStdString(MessageExportFolder()), QString::fromStdString(Long));
    }
  }

  void asFileWritesShownMessagesAndOpensThem() {
    TTmpVariable Unset(nullptr);
    Fill({"SSN 123-45-6789: Last name is required.", "Trailer: no detail records"});
    FForm->btnViewClick();
    const std::string Expected = Folder() + "/Msg0000-123.tmp";
    QCOMPARE(QString::fromStdString(ReadAll(Expected)),
             QString("SSN 123-45-6789: Last name is required.\r\nTrailer: no detail records\r\n"));
    QCOMPARE(FEnv->OpenedFiles, std::vector<std::string>{Expected});
    QCOMPARE(FEnv->Beeps, 0);
    QVERIFY(FEnv->Boxes.empty());

    // A second export of the same file replaces it whole.
    Fill({"one"});
    FForm->btnViewClick();
    QCOMPARE(QString::fromStdString(ReadAll(Expected)), QString("one\r\n"));
  }

  // The clerk always learns where the list went: the viewer shows it, or, where
  // none can be started, a box names the file, in TMP's folder or the program's.
  void asFileWithoutViewerSaysWhereTheFileIs_data() {
    QTest::addColumn<bool>("TmpSet");
    QTest::addColumn<bool>("ViewerStarts");
    QTest::newRow("viewer, TMP set") << true << true;
    QTest::newRow("no viewer, TMP set") << true << false;
    QTest::newRow("no viewer, TMP unset") << false << false;
  }
  void asFileWithoutViewerSaysWhereTheFileIs() {
    QFETCH(bool, TmpSet);
    QFETCH(bool, ViewerStarts);
    const std::string Tmp = Folder() + "/tmp";
    QVERIFY(QDir().mkpath(QString::fromStdString(Tmp)));
    TTmpVariable Variable(TmpSet ? Tmp.c_str() : nullptr);
    FEnv->ViewerStarts = ViewerStarts;
    Fill({"SSN 123-45-6789: Last name is required."});
    FForm->btnViewClick();
    const std::string Written = (TmpSet ? Tmp : Folder()) + "/Msg0000-123.tmp";
    QCOMPARE(QString::fromStdString(ReadAll(Written)),
             QString("SSN 123-45-6789: Last name is required.\r\n"));
    QCOMPARE(FEnv->OpenedFiles, std::vector<std::string>{Written});
    QCOMPARE(FEnv->Beeps, 0);
    if (ViewerStarts) {
      QVERIFY(FEnv->Boxes.empty());
      return;
    }
    QCOMPARE(FEnv->Boxes.size(), size_t(1));
    QCOMPARE(FEnv->Boxes[0].Caption, std::string("KSF Transmittal Software"));
    QCOMPARE(FEnv->Boxes[0].Buttons, TMsgButtons::OK);
    QVERIFY2(FEnv->Boxes[0].Text.find(Written) != std::string::npos, FEnv->Boxes[0].Text.c_str());
  }

  void asFileNamesTheOpenTransmittal() {
    const std::string Tmp = Folder() + "/tmp";
    QVERIFY(QDir().mkpath(QString::fromStdString(Tmp)));
    TTmpVariable Set(Tmp.c_str());
    auto Trans = std::make_unique<TfrmTrans>(nullptr);
    frmTrans = Trans.get();
    frmTrans->FYear = 2004;
    frmTrans->FMonth = 9;
    frmTrans->FAmendment = 1;
    frmTrans->FRevision = 0;
    Fill({"a"});
    FForm->btnViewClick();
    Trans.reset();
    frmTrans = nullptr;
    QCOMPARE(FEnv->OpenedFiles, std::vector<std::string>{Tmp + "/Msg2004910-123.tmp"});
    QCOMPARE(QString::fromStdString(ReadAll(Tmp + "/Msg2004910-123.tmp")), QString("a\r\n"));
  }

  void asFileWithoutMessagesWritesNothing() {
    TTmpVariable Unset(nullptr);
    FForm->btnViewClick();
    QCOMPARE(FEnv->Beeps, 1);
    QCOMPARE(FEnv->BoxTexts(), std::vector<std::string>{"No messages"});
    QCOMPARE(FEnv->Boxes[0].Caption, std::string("KSF Transmittal Software"));
    QVERIFY(FEnv->OpenedFiles.empty());
    QVERIFY(QDir(FDir->path()).entryList(QDir::Files).isEmpty());
  }

  void asFileIntoMissingFolderRaisesAndOpensNothing() {
    const std::string Missing = Folder() + "/no/such/folder";
    TTmpVariable Set(Missing.c_str());
    Fill({"a"});
    QVERIFY_THROWS_EXCEPTION(EInOutError, FForm->btnViewClick());
    QVERIFY(FEnv->OpenedFiles.empty());
  }

  // The window lists the messages in order while it is shown, and is empty again
  // once it is closed by OK, Esc or its close box.
  void showListsMessagesUntilClosed_data() {
    QTest::addColumn<QString>("How");
    QTest::newRow("OK") << "ok";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
  }
  void showListsMessagesUntilClosed() {
    QFETCH(QString, How);
    std::vector<std::string> Seen;
    bool WasModal = false;
    WhenModalShown([&](QWidget* Modal) {
      WasModal = Modal == FForm.get();
      Seen = FForm->Items();
      if (How == "ok")
        FForm->btnOK->click();
      else if (How == "esc")
        QTest::keyClick(FForm->btnOK, Qt::Key_Escape);
      else
        FForm->close();
    });
    FForm->ShowMessages({"first", "second", "first"});
    QVERIFY(WasModal);
    QCOMPARE(Seen, (std::vector<std::string>{"first", "second", "first"}));
    QVERIFY(!FForm->isVisible());
    QCOMPARE(FForm->lvwMsg->model()->rowCount(), 0);
  }

  // The error list reaches this window through the environment; the list keeps
  // its messages after the window has closed.
  void errorListShowsHere() {
    TQtEnv QtEnv;
    RegisterMessageWindow(QtEnv);
    ErrorList->Clear();
    ErrorList->Add("Header: invalid month");
    ErrorList->Add("Trailer: no detail records");
    std::vector<std::string> Seen;
    WhenModalShown([&](QWidget*) {
      Seen = FForm->Items();
      FForm->btnOK->click();
    });
    ErrorList->Show();
    QCOMPARE(Seen, (std::vector<std::string>{"Header: invalid month", "Trailer: no detail records"}));
    QCOMPARE(FForm->lvwMsg->model()->rowCount(), 0);
    QCOMPARE(ErrorList->Messages.size(), size_t(2));
    ErrorList->Clear();
  }
};

QTEST_MAIN(TestVMessage)
#include "test_VMessage.moc"
